// Helpers for the recorder and player tests of the main window: settings
// with a file for each, the status timer ticking with card time, sample
// files made and read by sox, and the processing chain's output for a
// player's input, block by block, as the reference.
#pragma once

#include "common/AudioRange.h"
#include "dsp/BlockChain.h"
#include "dsp/Engine.h"
#include "RecorderTestSupport.h"
#include "WindowFixture.h"

#include <QLabel>
#include <QtTest>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace moravel::testing {

/// A configured soundcard, AGC off (every stage off: the chain's output is
/// its plain synthesis), the audio range and the two files.
inline std::string WaveSettings(int audioRange, const std::string& recorderFile, const std::string& playerFile) {
    return std::string(kConfiguredMixer) + "[SETTINGS]\nAGC_enabled=0\nAudioRange=" + std::to_string(audioRange) +
           "\nWaveRecorderFilename=" + recorderFile + "\nWavePlayerFilename=" + playerFile + "\n";
}

/// A window on the virtual card with a CPU statistics file the status timer
/// can read, started and run for a few blocks.
inline void StartWithCpu(WindowFixture& f) {
    f.SetCpuStat("cpu  10 0 0 90 0 0 0 0 0 0\ncpu0 10 0 0 90 0 0 0 0 0 0\n");
    f.Start();
    f.Run(300);
}

/// A started window on audio range `audioRange` that records to rec.wav in
/// a folder of its own; the player's file does not exist.
struct RecorderWindow {
    explicit RecorderWindow(int audioRange)
        : file(folder.File("rec.wav")), f(WaveSettings(audioRange, file, folder.File("none.wav"))) {
        StartWithCpu(f);
    }
    TempFolder folder;
    const std::string file;
    WindowFixture f;
};

/// The file panel shows the file at `path`: its name, and the whole path as
/// its tooltip.
inline void VerifyFilePanel(const QLabel* panel, const std::string& path) {
    QCOMPARE(panel->text(), QString::fromStdString(std::filesystem::path(path).filename().string()));
    QCOMPARE(panel->toolTip(), QString::fromStdString(path));
}

/// The last file dialog asked was a wave file dialog of `kind` titled
/// `title`, opened at `start`.
inline void VerifyWaveDialog(WindowFixture& f, FileDialogRequest::Kind kind, const char* title,
                             const std::string& start) {
    const FileDialogRequest& asked = f.Dialogs().back();
    QVERIFY(asked.kind == kind);
    QCOMPARE(asked.title, QString::fromLatin1(title));
    QCOMPARE(asked.filter, QStringLiteral("Wave format (*.wav)"));
    QCOMPARE(asked.fileName, QString::fromStdString(start));
}

/// Runs `ms` of card time (a multiple of 500) with the 500 ms status timer
/// ticking after every half second, as the event loop would run it.
inline void RunTicking(WindowFixture& f, int ms) {
    for (int done = 0; done < ms; done += 500) {
        f.Run(500);
        f.Form().Devices().StatusTick();
    }
}

/// Runs card time until `blocks` more blocks have been processed.
inline void RunBlocks(WindowFixture& f, int blocks) {
    const std::int32_t until = f.Form().State().BlocksProcessed + blocks;
    while (f.Form().State().BlocksProcessed < until) f.Card().RunFor(std::chrono::milliseconds(10));
}

/// Makes `path` at `rate` Hz with sox (generated at that rate, so sample
/// counts in `synth` are the file's); `spec` gives its bits, channels and
/// encoding, `synth` the effects that make the sound.
inline void MakeWithSox(int rate, const std::string& spec, const std::string& path, const std::string& synth) {
    const std::string command = "sox -r " + std::to_string(rate) + " -n " + spec + " '" + path + "' " + synth;
    QVERIFY2(RunCommand(command), command.c_str());
}

/// The file's data as sox decodes it into `type` ("s16", "u8"), interleaved.
inline Bytes SoxRaw(const std::string& path, const std::string& type) {
    const std::string raw = path + "." + type;
    const std::string command = "sox '" + path + "' -t " + type + " '" + raw + "'";
    if (!RunCommand(command)) return {};
    return ReadFile(raw);
}

/// The `channel` of interleaved 16-bit little-endian samples.
inline std::vector<std::int16_t> Channel16(const Bytes& raw, int channels, int channel = 0) {
    std::vector<std::int16_t> out;
    for (std::size_t at = 2 * channel; at + 1 < raw.size(); at += 2 * channels)
        out.push_back(std::int16_t(raw[at] | raw[at + 1] << 8));
    return out;
}

/// The player's input from unsigned 8-bit frames: (128 − first byte) × 100.
inline std::vector<std::int16_t> FromUnsigned8(const Bytes& raw, int channels) {
    std::vector<std::int16_t> out;
    for (std::size_t at = 0; at < raw.size(); at += channels) out.push_back(std::int16_t((128 - raw[at]) * 100));
    return out;
}

/// What the chain (every stage off) makes of `input` played from a file of
/// `fileRate` Hz: the engine at fileRate − 50 Hz with the player's block
/// size, the input cut into blocks, a short last block padded with silence.
inline std::vector<std::int16_t> ChainOutput(std::int32_t fileRate, const std::vector<std::int16_t>& input) {
    const std::int32_t bytes = PlayerBufferBytes(fileRate);
    const std::size_t n = std::size_t(bytes / 2);
    auto engine = std::make_unique<Engine>();
    engine->Configure(fileRate - kCaptureRateOffset, bytes);
    std::vector<std::int16_t> output;
    for (std::size_t at = 0; at < input.size(); at += n) {
        std::vector<std::int16_t> block(n, 0);
        std::copy_n(input.begin() + at, std::min(n, input.size() - at), block.begin());
        ProcessBlock(*engine, StageSwitches{}, block.data(), bytes);
        output.insert(output.end(), engine->OutputBlock, engine->OutputBlock + n);
    }
    return output;
}

/// The first `count` samples of `samples` (all of them when fewer).
inline std::vector<std::int16_t> Head(const std::vector<std::int16_t>& samples, std::size_t count) {
    return {samples.begin(), samples.begin() + std::min(count, samples.size())};
}

}  // namespace moravel::testing
