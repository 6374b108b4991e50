// The soundcard mixer in the main window, on the virtual soundcard with a
// simulated mixer: the Soundcard page against the card's own values, "Auto
// set audio" in its order, and the first run from an empty settings file
// through the offer, the dialog and one OK to a running pipeline.
#include "mixer/AudioMixer.h"
#include "app/help/HelpRouter.h"
#include "app/help/HelpWindow.h"
#include "MixerDialogAnswer.h"
#include "mixer/setup/MixerSetupDialog.h"
#include "ServerOnlyCard.h"
#include "mixer/simulated/SimulatedMixerService.h"
#include "app/window/SoundcardMixerPage.h"
#include "mixer/simulated/TypicalSoundcard.h"
#include "WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

using moravel::AudioMixer;
using moravel::MixerSetupDialog;
using moravel::testing::DevicesDialogAnswer;
using moravel::testing::DialogAnswer;
using moravel::testing::waitFor;
using moravel::testing::WindowFixture;
namespace mixer = moravel::mixer;

namespace {

// Every line of the typical card assigned: wave in is "Stereo Mix".
const char* const kAllLines =
    "[MIXER]\nMicrophone_Out=1\nLine_Out=2\nWave_Out=0\nMicrophone_In=0\nLine_In=1\nWave_In=2\n";

// The window on its own simulated mixer, whose card the test reads and
// changes directly (as another program would).
struct MixerWindow {
    explicit MixerWindow(
        const std::string& settings,
        std::shared_ptr<mixer::SimulatedMixerService> mixers = std::make_shared<mixer::SimulatedMixerService>(),
        moravel::ConfigureOffer offer = {}, std::function<void(moravel::MainFormOptions&)> more = {})
        : service(std::move(mixers)),
          f(settings, {}, {}, 4096, [this, offer, more](moravel::MainFormOptions& options) {
              options.mixerService = service;
              options.offerConfiguration = offer;
              if (more) more(options);
          }) {}

    AudioMixer& Mixer() { return f.Form().Mixer(); }
    mixer::SimulatedCard& Card() { return service->Card(0); }
    // The first control of `type` of a line (connection -1: the destination).
    const mixer::MixerControl& Control(int destination, int connection, std::uint32_t type) {
        const moravel::MixerDestination* d = Mixer().Destinations()->Item(destination);
        const moravel::MixerControls& controls =
            connection == -1 ? d->Controls() : d->Connections().Item(connection)->Controls();
        for (int i = 0; i < controls.Count(); ++i)
            if (controls.Item(i)->type == type) return *controls.Item(i);
        throw std::runtime_error("no such control");
    }
    std::vector<std::uint32_t> Values(int destination, int connection, std::uint32_t type, std::uint32_t items = 0) {
        std::vector<std::uint32_t> values;
        Card().ControlValues(Control(destination, connection, type).controlId, items ? 1 : 2, items, values);
        return values;
    }
    void SetVolume(int destination, int connection, std::vector<std::uint32_t> values) {
        const auto channels = static_cast<std::uint32_t>(values.size());
        Card().SetControlValues(Control(destination, connection, mixer::kControlTypeVolume).controlId, channels, 0,
                                values);
    }
    std::vector<std::uint32_t> Selection() { return Values(1, -1, mixer::kControlTypeMux, 4); }
    bool Enabled(const char* name) { return f.Find<QWidget>(name)->isEnabled(); }
    bool Checked(const char* name) { return f.Find<QCheckBox>(name)->isChecked(); }
    int Position(const char* name) { return f.Find<QSlider>(name)->value(); }

    std::shared_ptr<mixer::SimulatedMixerService> service;
    WindowFixture f;
};

// Lets the event loop deliver the mixer's notifications.
void deliver() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
}

}  // namespace

class MixerWindowTest : public QObject {
    Q_OBJECT

private slots:
    void pageShowsTheCardsStateOnceStarted() {
        MixerWindow w("[MIXER]\nMicrophone_Out=1\nLine_Out=2\nWave_Out=0\nMicrophone_In=0\nLine_In=1\nWave_In=-1\n");
        QCOMPARE(w.f.Find<QLabel>("Label4")->text(), QStringLiteral("Moravel Virtual Soundcard"));
        // Nothing read yet: nothing to use.
        for (const char* name : {"CheckBox7", "TrackBar7", "CheckBox2", "ButtonAutoSetAudio"})
            QVERIFY(!w.Enabled(name));
        w.f.Start();
        QVERIFY(w.f.Form().State().SamplingEnabled);
        for (const char* name : {"CheckBox2", "CheckBox3", "CheckBox4", "CheckBox5", "CheckBox6", "CheckBox7",
                                 "TrackBar2", "TrackBar7", "ButtonAutoSetAudio"})
            QVERIFY2(w.Enabled(name), name);
        QVERIFY(!w.Enabled("CheckBox8"));  // Wave_In is not available
        QVERIFY(!w.Enabled("TrackBar8"));
        QCOMPARE(w.Position("TrackBar7"), 50);  // 32768
        QVERIFY(w.Checked("CheckBox7"));
        QVERIFY(w.Checked("CheckBox2"));   // the microphone is the selected source
        QVERIFY(!w.Checked("CheckBox3"));  // line in is not

        // Changes made outside reach the page: the mono microphone shows its
        // one volume; a stereo line shows its left channel.
        w.SetVolume(0, 1, {13107});
        w.SetVolume(0, 2, {6554, 65535});
        deliver();
        QCOMPARE(w.Position("TrackBar4"), 20);
        QCOMPARE(w.Position("TrackBar5"), 10);
    }

    void checkingOneRecordingSourceDeselectsTheOther() {
        MixerWindow w(kAllLines);
        w.f.Start();
        w.f.Find<QCheckBox>("CheckBox3")->click();  // line in on
        QCOMPARE(w.Selection(), (std::vector<std::uint32_t>{0, 1, 0, 0}));
        QVERIFY(w.Checked("CheckBox2"));  // not yet told
        deliver();
        QVERIFY(!w.Checked("CheckBox2"));
        QVERIFY(w.Checked("CheckBox3"));
        // Writing a source that stays off (its track bar moves) leaves the
        // selection alone: a multiplexer write would clear line in.
        w.f.Find<QSlider>("TrackBar8")->setValue(60);
        QCOMPARE(w.Values(1, 2, mixer::kControlTypeVolume).front(), 39321U);
        QCOMPARE(w.Selection(), (std::vector<std::uint32_t>{0, 1, 0, 0}));
    }

    void trackBarAndCheckBoxWriteTheirLine() {
        MixerWindow w(kAllLines);
        w.f.Start();
        auto* wave = w.f.Find<QSlider>("TrackBar6");
        wave->setValue(100);
        QCOMPARE(w.Values(0, 0, mixer::kControlTypeVolume), (std::vector<std::uint32_t>{65535, 65535}));
        wave->setValue(0);
        QCOMPARE(w.Values(0, 0, mixer::kControlTypeVolume), (std::vector<std::uint32_t>{0, 0}));
        wave->setValue(30);  // 19660.5
        QCOMPARE(w.Values(0, 0, mixer::kControlTypeVolume), (std::vector<std::uint32_t>{19660, 19660}));
        w.f.Find<QCheckBox>("CheckBox6")->click();  // wave out off: muted
        QCOMPARE(w.Values(0, 0, mixer::kControlTypeMute, 0).front(), 1U);
        QCOMPARE(w.f.Form().SoundcardMixer().WriteLine(0, 9, true, 50), false);  // no such line
    }

    void autoSetWritesTheSevenLinesInItsOrder() {
        MixerWindow w(kAllLines);
        w.f.Start();
        const std::map<std::uint32_t, QString> names = {
            {w.Control(0, -1, mixer::kControlTypeVolume).controlId, "master"},
            {w.Control(1, 1, mixer::kControlTypeVolume).controlId, "line in"},
            {w.Control(1, 0, mixer::kControlTypeVolume).controlId, "microphone in"},
            {w.Control(1, 2, mixer::kControlTypeVolume).controlId, "wave in"},
            {w.Control(0, 0, mixer::kControlTypeVolume).controlId, "wave out"},
            {w.Control(0, 1, mixer::kControlTypeVolume).controlId, "microphone out"},
            {w.Control(0, 2, mixer::kControlTypeVolume).controlId, "line out"}};
        for (const auto& [d, c] : {std::pair{0, -1}, {1, 1}, {1, 0}, {1, 2}, {0, 0}}) w.SetVolume(d, c, {0, 0});
        w.SetVolume(0, 1, {0});
        w.SetVolume(0, 2, {0, 0});
        deliver();
        std::mutex lock;
        QStringList written;
        const int token = w.Card().Subscribe([&](mixer::MixerChangeKind, std::uint32_t id) {
            const std::lock_guard<std::mutex> hold(lock);
            if (names.count(id)) written << names.at(id);
        });
        w.f.Click("ButtonAutoSetAudio");
        w.Card().Unsubscribe(token);
        QCOMPARE(written, (QStringList{"master", "line in", "microphone in", "wave in", "wave out", "microphone out",
                                       "line out"}));
        QCOMPARE(w.Values(0, -1, mixer::kControlTypeVolume), (std::vector<std::uint32_t>{32768, 32768}));
        QCOMPARE(w.Values(1, 1, mixer::kControlTypeVolume), (std::vector<std::uint32_t>{45874, 45874}));
        QCOMPARE(w.Values(1, 2, mixer::kControlTypeVolume), (std::vector<std::uint32_t>{52428, 52428}));
        QCOMPARE(w.Values(0, 1, mixer::kControlTypeVolume).front(), 26214U);
        QCOMPARE(w.Values(0, 1, mixer::kControlTypeMute, 0).front(), 1U);  // microphone out off
        QCOMPARE(w.Values(0, 2, mixer::kControlTypeMute, 0).front(), 1U);  // line out off
        QCOMPARE(w.Values(0, 0, mixer::kControlTypeMute, 0).front(), 0U);  // wave out on
        // Line in, then microphone in selected; wave in off wrote no selection.
        QCOMPARE(w.Selection(), (std::vector<std::uint32_t>{1, 0, 0, 0}));
        deliver();
        QVERIFY(w.Checked("CheckBox2"));
        QVERIFY(!w.Checked("CheckBox3"));
        QCOMPARE(w.Position("TrackBar8"), 80);
    }

    void unassignedMicrophoneOutIsDisabledAndSkipped() {
        MixerWindow w("[MIXER]\nMicrophone_Out=-1\nLine_Out=2\nWave_Out=0\nMicrophone_In=0\nLine_In=1\nWave_In=2\n");
        w.f.Start();
        QVERIFY(!w.Enabled("CheckBox4"));
        QVERIFY(!w.Enabled("TrackBar4"));
        w.f.Click("ButtonAutoSetAudio");
        QCOMPARE(w.Values(0, 1, mixer::kControlTypeVolume).front(), 32768U);  // untouched
        QCOMPARE(w.Values(0, 1, mixer::kControlTypeMute, 0).front(), 0U);
        QCOMPARE(w.Values(0, 2, mixer::kControlTypeVolume).front(), 26214U);  // line out was set
    }

    void firstRunOffersTheDialogAndOneOkStartsSampling() {
        QStringList offers;
        MixerWindow w("", std::make_shared<mixer::SimulatedMixerService>(),
                      [&offers](const QString& caption, const QString& text) {
                          offers << caption + ": " + text;
                          return true;
                      });
        DialogAnswer answer;
        w.f.Start();
        QCOMPARE(offers, (QStringList{"Moravel Configuration: Your soundcard is not configured, you should configure "
                                      "it before Moravel will run. Click \"Settings, Soundcard\" to do it."}));
        QVERIFY(waitFor([&] { return w.f.Form().State().SamplingEnabled; }));
        QCOMPARE(answer.shown, 1);
        QCOMPARE(moravel::testing::ReadText(w.f.SettingsPath()),
                 std::string("[MIXER]\nMicrophone_Out=1\nLine_Out=2\nWave_Out=0\nMicrophone_In=0\nLine_In=1\n"
                             "Wave_In=-1\nMixer_Device=simulated:0\n"));
        QVERIFY(w.f.Form().findChildren<MixerSetupDialog*>().isEmpty());  // freed after it closed
        w.f.Run(500);
        QVERIFY(w.f.Form().State().BlocksProcessed > 0);
        QVERIFY(w.Enabled("CheckBox2"));
    }

    // As the program runs it (no message hooks): the not-configured message
    // is a real message box whose "Configure Soundcard..." button opens the
    // dialog, and OK on the pre-selected lines starts processing.
    void firstRunThroughTheMessageBoxButton() {
        WindowFixture f("", {}, {}, 4096, [](moravel::MainFormOptions& options) { options.showMessage = {}; });
        QStringList boxes;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            poll.stop();
            boxes << box->windowTitle() + ": " + box->text();
            for (QAbstractButton* button : box->buttons())
                if (button->text() == QStringLiteral("Configure Soundcard...")) button->click();
        });
        poll.start(5);
        DialogAnswer answer;
        f.Start();
        QCOMPARE(boxes.size(), 1);
        QVERIFY(boxes.front().startsWith("Moravel Configuration: Your soundcard is not configured"));
        QVERIFY(waitFor([&] { return f.Form().State().SamplingEnabled; }));
        QCOMPARE(answer.shown, 1);
        f.Run(500);
        QVERIFY(f.Form().State().BlocksProcessed > 0);
    }

    void notAvailableInputsStopSamplingWithTheMessage() {
        MixerWindow w(kAllLines);
        w.f.Start();
        QVERIFY(w.f.Form().State().SamplingEnabled);
        DialogAnswer answer([](MixerSetupDialog& dialog) {
            dialog.micInList->setCurrentText("[Not available]");
            dialog.lineInList->setCurrentText("[Not available]");
            QTest::keyClick(dialog.lineInList, Qt::Key_F1);
        });
        w.f.Form().findChild<QAction*>("ConfigureSoundcard")->trigger();
        QCOMPARE(answer.shown, 1);
        QVERIFY(!w.f.Form().State().SamplingEnabled);
        QCOMPARE(w.f.Messages().size(), 1);
        QVERIFY(w.f.Messages().front().startsWith("Moravel Configuration: Your soundcard is not configured"));
        QVERIFY(!w.Enabled("CheckBox2"));
        // F1 in the dialog went through the window's help.
        auto* page = w.f.Form().Help().Window()->findChild<QTextBrowser*>();
        QVERIFY(page != nullptr);
        QCOMPARE(page->source().fileName(), QStringLiteral("Soundcard_settings.htm"));
    }

    // A sound server's mixer: its two controls stand in, one OK completes
    // the setup, and the wave-out pair moves the server's master volume.
    void serverOnlyMixerCompletesAndTheWavePairMovesTheMaster() {
        auto service = std::make_shared<mixer::SimulatedMixerService>(
            std::vector<std::shared_ptr<mixer::SimulatedCard>>{moravel::testing::MakeServerOnlyCard()});
        MixerWindow w("", service, [](const QString&, const QString&) { return true; });
        DialogAnswer answer;
        w.f.Start();
        QVERIFY(waitFor([&] { return w.f.Form().State().SamplingEnabled; }));
        QCOMPARE(w.f.Find<QLabel>("Label4")->text(), QStringLiteral("PulseAudio"));
        for (const char* name : {"CheckBox3", "CheckBox4", "CheckBox5", "CheckBox8"}) QVERIFY2(!w.Enabled(name), name);
        QVERIFY(w.Enabled("CheckBox6"));
        w.f.Find<QSlider>("TrackBar6")->setValue(100);
        QCOMPARE(w.Values(0, -1, mixer::kControlTypeVolume), (std::vector<std::uint32_t>{65535, 65535}));
        w.f.Find<QSlider>("TrackBar2")->setValue(0);
        QCOMPARE(w.Values(1, -1, mixer::kControlTypeVolume), (std::vector<std::uint32_t>{0, 0}));
        deliver();
        QCOMPARE(w.Position("TrackBar7"), 100);  // the master pair shows the same control
    }

    // A desktop whose first mixer is a card's while the sound goes through
    // the server's: the page shows the server's mixer, and after the dialog
    // the mixer chosen there.
    void pageUsesTheMixerTheSoundGoesThroughOrTheOneChosen() {
        auto service = std::make_shared<mixer::SimulatedMixerService>(
            std::vector<std::shared_ptr<mixer::SimulatedCard>>{
                mixer::MakeTypicalSoundcard(mixer::TypicalSoundcardCaps()), moravel::testing::MakeServerOnlyCard()},
            1);
        MixerWindow w("", service, [](const QString&, const QString&) { return true; });
        DialogAnswer answer;
        w.f.Start();
        QVERIFY(waitFor([&] { return w.f.Form().State().SamplingEnabled; }));
        QCOMPARE(w.f.Find<QLabel>("Label4")->text(), QStringLiteral("PulseAudio"));
        QCOMPARE(w.Mixer().MixerId(), 1);

        DialogAnswer choice([](MixerSetupDialog& dialog) { dialog.mixerDeviceList->setCurrentIndex(0); });
        w.f.Form().findChild<QAction*>("ConfigureSoundcard")->trigger();
        QCOMPARE(choice.shown, 1);
        QVERIFY(w.f.Form().State().SamplingEnabled);
        QCOMPARE(w.f.Find<QLabel>("Label4")->text(), QStringLiteral("Moravel Virtual Soundcard"));
        w.f.Find<QSlider>("TrackBar6")->setValue(100);  // wave out: the card's "Wave"
        QCOMPARE(w.Values(0, 0, mixer::kControlTypeVolume), (std::vector<std::uint32_t>{65535, 65535}));
    }

    // Other devices chosen: the page shows their mixer and its pairs write
    // there, no longer to the mixer it was made for.
    void pairsWriteToTheMixerOfNewlyChosenDevices() {
        auto chosen = std::make_shared<mixer::SimulatedMixerService>();
        MixerWindow w(kAllLines, std::make_shared<mixer::SimulatedMixerService>(), {},
                      [chosen](moravel::MainFormOptions& options) {
                          const auto first = options.mixerService;
                          options.mixerServiceFor = [first, chosen](const std::string& pcm) {
                              return pcm == "other" ? chosen : first;
                          };
                          options.listDevices = [](moravel::AudioDeviceList::Direction) {
                              return std::vector<moravel::AudioDeviceEntry>{{"other", "Other card"}};
                          };
                      });
        w.f.Start();
        const std::uint32_t wave = w.Control(0, 0, mixer::kControlTypeVolume).controlId;
        const auto waveVolume = [wave](mixer::SimulatedMixerService& service) {
            std::vector<std::uint32_t> values;
            service.Card(0).ControlValues(wave, 2, 0, values);
            return values;
        };
        const auto before = waveVolume(*w.service);
        DevicesDialogAnswer answer(QStringLiteral("other"), QStringLiteral("other"));
        w.f.Form().findChild<QAction*>(QStringLiteral("AudioDevices"))->trigger();
        QVERIFY(waitFor([&] { return answer.answered; }));
        QVERIFY(w.Enabled("TrackBar6"));
        chosen->Card(0).SetControlValues(wave, 2, 0, {0, 0});
        w.f.Find<QSlider>("TrackBar6")->setValue(30);  // 19660.5
        QCOMPARE(waveVolume(*chosen), (std::vector<std::uint32_t>{19660, 19660}));
        QCOMPARE(waveVolume(*w.service), before);
    }
};

QTEST_MAIN(MixerWindowTest)
#include "test_window_mixer.moc"
