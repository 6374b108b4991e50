#include "LineAssignment.h"

#include <array>
#include <utility>

namespace moravel {
namespace {

using LineField = std::pair<const char*, std::int32_t LineAssignment::*>;

// Keys in the order the soundcard dialog writes them.
constexpr std::array<LineField, 6> kLineFields = {{
    {"Microphone_Out", &LineAssignment::Microphone_Out},
    {"Line_Out", &LineAssignment::Line_Out},
    {"Wave_Out", &LineAssignment::Wave_Out},
    {"Microphone_In", &LineAssignment::Microphone_In},
    {"Line_In", &LineAssignment::Line_In},
    {"Wave_In", &LineAssignment::Wave_In},
}};

}  // namespace

LineAssignment ReadLineAssignment(const TKustomIniFile& file) {
    LineAssignment lines;
    for (const auto& [key, member] : kLineFields) lines.*member = file.ReadInteger(kMixerSection, key, kNoLine);
    return lines;
}

void WriteLineAssignment(TKustomIniFile& file, const LineAssignment& lines) {
    for (const auto& [key, member] : kLineFields) file.WriteInteger(kMixerSection, key, lines.*member);
}

bool IsSoundcardConfigured(const LineAssignment& lines) {
    return LineAvailable(lines.Wave_Out) && (LineAvailable(lines.Microphone_Out) || LineAvailable(lines.Line_Out)) &&
           (LineAvailable(lines.Microphone_In) || LineAvailable(lines.Line_In));
}

}  // namespace moravel
