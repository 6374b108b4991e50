// Record on signal in the main window, on the virtual soundcard looping a
// generated recording with five transmissions (a 1000 Hz tone at -13 dBFS
// in band noise at about -55 dBFS): five files and five log rows within
// the attack and hang times; a full disk stops the mode with the
// recorder's message and keeps what was written; the settings' own section.
#include "app/core/CommandLine.h"
#include "app/window/RecordOnSignalController.h"
#include "audio/transmission/TransmissionLog.h"
#include "audio/recorder/WaveRecorder.h"
#include "../BurstRecording.h"
#include "../../support/FileSizeLimit.h"
#include "WindowFixture.h"
#include "audio/virtual/WavLoopSource.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QSlider>
#include <QToolButton>
#include <QtTest>

#include <cmath>
#include <ctime>
#include <filesystem>
#include <iomanip>
#include <sstream>

using namespace moravel::testing;

namespace {

constexpr int kRate = 4000;  // the 2 KHz range, the file's own rate
constexpr double kSeconds = 56;

const std::vector<Burst> kBursts = {{3, 2}, {12, 5}, {24, 0.6}, {32, 8}, {46, 3}};

// Noise everywhere, the tone during each burst.
void MakeRecording(const std::string& path) {
    const std::vector<std::int16_t> samples = BurstRecording(kRate, kSeconds, kBursts);
    moravel::WaveRecorder file(path, kRate);
    QVERIFY(file.Append(samples.data(), static_cast<std::int32_t>(samples.size() * 2)));
    QVERIFY(file.Stop());
}

std::string Settings() { return std::string(kConfiguredMixer) + "[SETTINGS]\nAGC_enabled=0\nAudioRange=0\n"; }

std::vector<std::vector<std::string>> LogRows(const std::string& folder) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(ReadText(folder + "/" + moravel::TransmissionLog::kFileName));
    std::string line;
    std::getline(in, line);  // the header
    while (std::getline(in, line)) {
        std::vector<std::string> fields;
        std::istringstream row(line);
        for (std::string field; std::getline(row, field, ',');) fields.push_back(field);
        rows.push_back(fields);
    }
    return rows;
}

std::time_t SecondsOf(const std::string& start) {
    std::tm time{};
    std::istringstream(start) >> std::get_time(&time, "%Y-%m-%d %H:%M:%S");
    time.tm_isdst = -1;
    return std::mktime(&time);
}

std::uint32_t Le32(const std::string& data, std::size_t at) {
    std::uint32_t value = 0;
    for (int k = 3; k >= 0; --k) value = value << 8 | std::uint8_t(data[at + k]);
    return value;
}

// Where the data chunk's size field is.
std::size_t DataChunk(const std::string& data) { return data.find("data", 12) + 4; }

// The samples of a transmission file (16-bit mono).
std::vector<std::int16_t> FileSamples(const std::string& path) {
    const std::string data = ReadText(path);
    std::vector<std::int16_t> samples;
    for (std::size_t at = DataChunk(data) + 4; at + 1 < data.size(); at += 2)
        samples.push_back(static_cast<std::int16_t>(std::uint8_t(data[at]) | std::uint8_t(data[at + 1]) << 8));
    return samples;
}

// The RMS level of `s` from `from` to `to` seconds, dBFS.
double LevelDbfs(const std::vector<std::int16_t>& s, double from, double to) {
    double squares = 0;
    const auto first = static_cast<std::size_t>(from * kRate), last = static_cast<std::size_t>(to * kRate);
    for (std::size_t n = first; n < last; ++n) squares += double(s[n]) * s[n];
    return 10 * std::log10(squares / double(last - first) / (32768.0 * 32768.0));
}

double FirstLoud(const std::vector<std::int16_t>& s) {
    std::size_t n = 0;
    while (n < s.size() && std::abs(s[n]) < 2000) ++n;
    return static_cast<double>(n) / kRate;
}

double LastLoud(const std::vector<std::int16_t>& s) {
    std::size_t n = s.size();
    while (n > 0 && std::abs(s[n - 1]) < 2000) --n;
    return static_cast<double>(n) / kRate;
}

// A window on the virtual card looping the recording, the mode switched on
// on `folder` by its Folder and Record on signal buttons.
struct SignalWindow {
    TempFolder files;
    std::string recording = files.File("five.wav");
    std::string folder = files.File("rx");
    std::unique_ptr<WindowFixture> f;

    SignalWindow() {
        MakeRecording(recording);
        f = std::make_unique<WindowFixture>(Settings(), std::string(), moravel::WavLoopSource::Factory(recording));
        f->AnswerDialog(QString::fromStdString(folder));
        f->Click("sb_browse_signal_folder");
        std::filesystem::create_directory(folder);
        f->Click("sb_record_on_signal");
        f->Start();
    }
    void RunSeconds(int seconds) {
        for (int s = 0; s < seconds; ++s) f->Card().RunFor(std::chrono::seconds(1));
    }
    QString State() { return f->Find<QLabel>("LabelSignalState")->text(); }
};

}  // namespace

class RecordOnSignalTest : public QObject {
    Q_OBJECT

private slots:
    void fiveTransmissionsGiveFiveFilesAndLogRowsWithinAttackAndHang() {
        SignalWindow w;
        const moravel::TransmissionSettings squelch;  // -35 dBFS, 0.2 s attack, 2 s hang, 1 s pre-roll
        w.RunSeconds(13);
        QCOMPARE(w.State().left(11), QStringLiteral("Recording \""));
        QVERIFY(w.State().endsWith(QStringLiteral(", 1 file")));
        w.RunSeconds(40);
        QCOMPARE(w.State(), QStringLiteral("Waiting, 5 files"));
        w.f->Form().close();
        QCOMPARE(w.f->Messages(), QStringList());

        const auto rows = LogRows(w.folder);
        QCOMPARE(rows.size(), kBursts.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const Burst& burst = kBursts[i];
            const auto& row = rows[i];
            QCOMPARE(row.size(), 5u);
            QVERIFY2(std::abs(std::stod(row[1]) - (burst.length + squelch.hangSeconds)) <= squelch.attackSeconds,
                     row[1].c_str());
            QVERIFY2(std::abs(std::stod(row[3]) - 1000) < 50, row[3].c_str());
            // Starts a whole second apart at most from the true ones, counted from the first.
            const double apart = std::difftime(SecondsOf(row[0]), SecondsOf(rows[0][0]));
            QVERIFY(std::abs(apart - (burst.start - kBursts[0].start)) <= 1);
            // The tone a pre-roll into the file, its length, and the hang after it.
            const auto samples = FileSamples(w.folder + "/" + row[4]);
            const double toneStart = FirstLoud(samples);
            const double toneEnd = LastLoud(samples);
            QVERIFY2(std::abs(toneStart - squelch.preRollSeconds) <= squelch.attackSeconds, row[4].c_str());
            QVERIFY(std::abs(toneEnd - toneStart - burst.length) <= squelch.attackSeconds);
            const double tail = static_cast<double>(samples.size()) / kRate - toneEnd;
            QVERIFY(std::abs(tail - squelch.hangSeconds) <= squelch.attackSeconds);
            // The peak level is the tone's, as processed.
            QVERIFY2(std::abs(std::stod(row[2]) - LevelDbfs(samples, toneStart + 0.1, toneEnd - 0.1)) < 1,
                     row[2].c_str());
        }
        std::size_t wavs = 0;
        for (const auto& entry : std::filesystem::directory_iterator(w.folder))
            wavs += entry.path().extension() == ".wav";
        QCOMPARE(wavs, kBursts.size());
    }

    // The second transmission's file outgrows the file size limit: the mode
    // stops with the recorder's message, the first file and its row stay,
    // and the second holds what was written, with its header up to date.
    void aFullDiskStopsTheModeAndKeepsWhatWasWritten() {
        SignalWindow w;
        {
            const FileSizeLimit limit(50000);  // bytes: 6 s at 4000 Hz
            w.RunSeconds(20);
            QCoreApplication::sendPostedEvents();
        }

        QVERIFY(!w.f->Find<QToolButton>("sb_record_on_signal")->isChecked());
        QCOMPARE(w.State(), QStringLiteral("Off, 1 file"));
        QCOMPARE(w.f->Messages().size(), 1);
        QVERIFY2(w.f->Messages()[0].contains(QStringLiteral("Recording on signal stopped")),
                 qPrintable(w.f->Messages()[0]));
        const auto rows = LogRows(w.folder);
        QCOMPARE(rows.size(), 1u);
        std::vector<std::filesystem::path> wavs;
        for (const auto& entry : std::filesystem::directory_iterator(w.folder))
            if (entry.path().extension() == ".wav") wavs.push_back(entry.path());
        QCOMPARE(wavs.size(), 2u);
        for (const auto& path : wavs) {
            const std::string data = ReadText(path.string());
            QCOMPARE(Le32(data, 4), std::uint32_t(data.size() - 8));
            QCOMPARE(Le32(data, DataChunk(data)), std::uint32_t(data.size() - DataChunk(data) - 4));
        }
    }

    // A file whose user never touches the mode gets no section; settings
    // changed in the window come back in the next run, the mode on again;
    // a mode started from the command line leaves the stored state alone.
    void settingsGoToTheirOwnSectionOnlyWhenChanged() {
        TempFolder files;
        const std::string rx = files.File("rx");
        {
            WindowFixture f(Settings(), files.File("a.ini"));
            f.Start();
            f.Run(500);
            moravel::CommandLineOptions options;
            options.recordOnSignal = rx;
            f.Form().StartFromCommandLine(options);
            QVERIFY(f.Find<QToolButton>("sb_record_on_signal")->isChecked());
            f.Form().close();
            QVERIFY(ReadText(files.File("a.ini")).find("RECORD_ON_SIGNAL") == std::string::npos);
        }
        {
            // A value the spin box rounds (0.25 s shown as 0.3 s) is no change.
            WindowFixture f(Settings() + "[RECORD_ON_SIGNAL]\nAttackSeconds=0.25\n", files.File("c.ini"));
            f.Form().close();
            const std::string kept = ReadText(files.File("c.ini"));
            QVERIFY(kept.ends_with("[RECORD_ON_SIGNAL]\nAttackSeconds=0.25\n"));
        }
        {
            WindowFixture f(Settings(), files.File("b.ini"));
            f.Find<QSlider>("TrackSignalThreshold")->setValue(-42);
            f.Find<QDoubleSpinBox>("SpinSignalAttack")->setValue(0.5);
            f.Find<QDoubleSpinBox>("SpinSignalHang")->setValue(4);
            f.Find<QDoubleSpinBox>("SpinSignalPreRoll")->setValue(0.3);
            f.AnswerDialog(QString::fromStdString(rx));
            f.Click("sb_browse_signal_folder");
            f.Click("sb_record_on_signal");
            f.Form().close();
        }
        const std::string stored = ReadText(files.File("b.ini"));
        QVERIFY(stored.starts_with(Settings()));
        WindowFixture again({}, files.File("b.ini"));
        QCOMPARE(again.Find<QSlider>("TrackSignalThreshold")->value(), -42);
        QCOMPARE(again.Find<QLabel>("LabelSignalThreshold")->text(), QStringLiteral("-42 dBFS"));
        QCOMPARE(again.Find<QDoubleSpinBox>("SpinSignalAttack")->value(), 0.5);
        QCOMPARE(again.Find<QDoubleSpinBox>("SpinSignalHang")->value(), 4.0);
        QCOMPARE(again.Find<QDoubleSpinBox>("SpinSignalPreRoll")->value(), 0.3);
        QCOMPARE(again.Find<QLabel>("PanelSignalFolder")->text(), QString::fromStdString(rx));
        QVERIFY(again.Find<QToolButton>("sb_record_on_signal")->isChecked());
    }
};

QTEST_MAIN(RecordOnSignalTest)
#include "test_window_record_on_signal.moc"
