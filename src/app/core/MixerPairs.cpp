#include "app/core/MixerPairs.h"

#include <cstdint>

namespace moravel {

namespace {

// num / den rounded to nearest, ties to even; den > 0.
std::int64_t RoundedQuotient(std::int64_t num, std::int64_t den) {
    std::int64_t q = num / den;
    std::int64_t r = num % den;
    if (r < 0) r += den, --q;  // floor division
    const std::int64_t twice = 2 * r;
    if (twice > den || (twice == den && q % 2 != 0)) ++q;
    return q;
}

// 655.35 = 65535 / 100.
constexpr std::int64_t kFullScale = 65535;
constexpr std::int64_t kPositions = 100;

}  // namespace

std::optional<LineKey> KeyOfPair(MixerPair pair) {
    switch (pair) {
        case MixerPair::Master:
            return std::nullopt;
        case MixerPair::WaveOut:
            return LineKey::Wave_Out;
        case MixerPair::MicrophoneIn:
            return LineKey::Microphone_In;
        case MixerPair::LineIn:
            return LineKey::Line_In;
        case MixerPair::WaveIn:
            return LineKey::Wave_In;
        case MixerPair::MicrophoneOut:
            return LineKey::Microphone_Out;
        case MixerPair::LineOut:
            break;
    }
    return LineKey::Line_Out;
}

bool PairEnabled(MixerPair pair, const LineAssignment& lines, const SoundcardLayout& layout) {
    return LineOfPair(pair, lines, layout).has_value();
}

std::optional<MixerLineRef> LineOfPair(MixerPair pair, const LineAssignment& lines, const SoundcardLayout& layout) {
    if (!layout.usable) return std::nullopt;
    const std::optional<LineKey> key = KeyOfPair(pair);
    if (!key) return MixerLineRef{0, -1};
    const std::optional<int> connection = MixerConnectionOf(*key, LineOf(lines, *key), layout);
    if (!connection) return std::nullopt;
    return MixerLineRef{DestinationOf(*key), *connection};
}

std::optional<MixerPair> PairOfStoredLine(int destination, int connection, const LineAssignment& lines) {
    if (destination == 0 && connection == -1) return MixerPair::Master;
    for (MixerPair pair : {MixerPair::WaveOut, MixerPair::WaveIn, MixerPair::LineIn, MixerPair::MicrophoneIn,
                           MixerPair::MicrophoneOut, MixerPair::LineOut}) {
        const LineKey key = *KeyOfPair(pair);
        if (DestinationOf(key) == destination && LineOf(lines, key) == connection) return pair;
    }
    return std::nullopt;
}

int VolumeOfPosition(int position) { return static_cast<int>(RoundedQuotient(position * kFullScale, kPositions)); }

int PositionOfVolume(int volume) { return static_cast<int>(RoundedQuotient(volume * kPositions, kFullScale)); }

int MuteToWrite(bool checked, bool muteIsSelection, int currentMute) {
    const int on = checked ? 1 : 0;
    if (!muteIsSelection) return 1 - on;
    return (on == 0 && currentMute == 0) ? -1 : on;
}

bool CheckedOfMute(int mute, bool muteIsSelection) {
    if (mute < 0) return false;
    return (muteIsSelection ? 1 - mute : mute) == 0;
}

}  // namespace moravel
