// libFuzzer target: the player's block reader. An input is a script of
// kScriptBytes bytes followed by the WAV file's bytes. The file is opened by
// the player as the window opens it; the script then drives it: each byte
// either seeks to a fraction of the file or reads one block of a size
// chosen by the byte, paused, looped or not. The player's own errors
// (WaveStreamError, UnplayableFormatError) and the checked frame arithmetic
// (std::range_error, std::overflow_error) are expected; anything else, a
// crash, a sanitizer report or a broken invariant (trap) is a bug.
#include "FuzzFile.h"
#include "audio/PlayerBlock.h"
#include "audio/recorder/WavePlayer.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace {

using moravel::PlayerControls;
using moravel::WavePlayer;

constexpr std::size_t kScriptBytes = 16;

void check(bool invariant) {
    if (!invariant) __builtin_trap();
}

// High bit set: seek to (byte & 0x7f) / 127 of the file.
void seek(WavePlayer& player, std::uint8_t step) {
    const std::int64_t frame = std::int64_t(player.FrameCount()) * (step & 0x7f) / 127;
    player.Seek(static_cast<std::int32_t>(frame));
    check(player.Position() == frame);
}

// High bit clear: a block of (byte & 0x3f) * 130 bytes (even, 0 … 8190);
// bit 6 loops, a zero size stands for a paused player with a full block.
void readBlock(WavePlayer& player, std::uint8_t step) {
    static std::array<std::int16_t, moravel::PlayerBlockReader::kMaxBlockBytes / 2> block;
    block.fill(0);
    const std::int32_t size = (step & 0x3f) * 130;
    PlayerControls controls;
    controls.loop = (step & 0x40) != 0;
    controls.paused = size == 0;
    const std::int32_t bytes = controls.paused ? std::int32_t(block.size() * 2) : size;
    const std::int32_t before = player.Position();
    const bool finishedBefore = player.Finished();
    const std::int32_t samples = player.ReadBlock(block.data(), bytes, controls);
    check(samples >= 0 && samples <= bytes / 2);
    if (controls.paused) check(samples == 0 && player.Position() == before);
    check(player.Position() >= 0 && player.Position() <= player.FrameCount());
    // Looping never finishes; an earlier finish stands until taken.
    if (controls.loop) check(player.Finished() == finishedBefore);
}

void play(WavePlayer& player, const std::uint8_t* script) {
    for (std::size_t i = 0; i < kScriptBytes; ++i) {
        if (script[i] & 0x80)
            seek(player, script[i]);
        else
            readBlock(player, script[i]);
        check(!player.TimeText(player.Position()).empty());
    }
    (void)player.TakeFinished();
    check(!player.Finished());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    if (size < kScriptBytes) return -1;  // not an input of this target's form
    static const moravel::fuzz::FuzzFile file(".wav");
    file.Write(bytes + kScriptBytes, size - kScriptBytes);
    try {
        WavePlayer player(file.Path());
        const moravel::PlayerDeviceSettings device = player.DeviceSettings();
        check(device.outputRate == player.Rate() && device.displayMaximum == player.Rate() / 2);
        check(!player.TotalText().empty());
        play(player, bytes);
    } catch (const moravel::WaveStreamError&) {
    } catch (const std::range_error&) {
    } catch (const std::overflow_error&) {
    }
    return 0;
}
