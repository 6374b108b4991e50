#include "common/SoundcardLayout.h"

namespace moravel {

bool OwnLineOffered(LineKey key) {
    return key == LineKey::Wave_Out || key == LineKey::Microphone_In || key == LineKey::Line_In;
}

std::optional<int> MixerConnectionOf(LineKey key, std::int32_t stored, const SoundcardLayout& layout) {
    if (!LineAvailable(stored)) return std::nullopt;
    const int sources = layout.SourcesOf(DestinationOf(key));
    if (layout.usable && OwnLineStandsIn(sources) && OwnLineOffered(key) && stored == 0) return -1;
    return stored;
}

namespace {

// The playback destination has nothing for the direct-monitoring keys.
bool NoMonitoringLines(const LineAssignment& lines, const SoundcardLayout& layout) {
    return layout.playbackSources == 0 || (layout.playbackSources == 1 && lines.Wave_Out == 0);
}

}  // namespace

bool IsSoundcardConfigured(const LineAssignment& lines, const SoundcardLayout& layout) {
    if (!layout.usable) return true;
    const bool monitoring =
        LineAvailable(lines.Microphone_Out) || LineAvailable(lines.Line_Out) || NoMonitoringLines(lines, layout);
    return LineAvailable(lines.Wave_Out) && monitoring &&
           (LineAvailable(lines.Microphone_In) || LineAvailable(lines.Line_In));
}

}  // namespace moravel
