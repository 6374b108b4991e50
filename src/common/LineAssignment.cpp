#include "common/LineAssignment.h"

#include <array>
#include <cstddef>
#include <cstdint>
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

// A value no key holds: tells a missing or unparsable key from a stored one.
constexpr std::int32_t kUnreadable = INT32_MIN;

const LineField& FieldOf(LineKey key) { return kLineFields.at(static_cast<std::size_t>(key)); }

}  // namespace

int DestinationOf(LineKey key) {
    switch (key) {
        case LineKey::Microphone_Out:
        case LineKey::Line_Out:
        case LineKey::Wave_Out:
            return 0;
        case LineKey::Microphone_In:
        case LineKey::Line_In:
        case LineKey::Wave_In:
            break;
    }
    return 1;
}

std::int32_t LineOf(const LineAssignment& lines, LineKey key) { return lines.*(FieldOf(key).second); }

void SetLine(LineAssignment& lines, LineKey key, std::int32_t connection) { lines.*(FieldOf(key).second) = connection; }

bool HasStoredLineAssignment(const IniFile& file) {
    for (const auto& field : kLineFields)
        if (file.ReadInteger(kMixerSection, field.first, kUnreadable) != kUnreadable) return true;
    return false;
}

LineAssignment ReadLineAssignment(const IniFile& file) {
    LineAssignment lines;
    for (const auto& [key, member] : kLineFields) lines.*member = file.ReadInteger(kMixerSection, key, kNoLine);
    return lines;
}

void WriteLineAssignment(IniFile& file, const LineAssignment& lines) {
    for (const auto& [key, member] : kLineFields) file.WriteInteger(kMixerSection, key, lines.*member);
}

std::string ReadMixerDevice(const IniFile& file) { return file.ReadString(kMixerSection, kMixerDeviceKey, ""); }

void WriteMixerDevice(IniFile& file, const std::string& device) {
    file.WriteString(kMixerSection, kMixerDeviceKey, device);
}

bool IsSoundcardConfigured(const LineAssignment& lines) {
    return LineAvailable(lines.Wave_Out) && (LineAvailable(lines.Microphone_Out) || LineAvailable(lines.Line_Out)) &&
           (LineAvailable(lines.Microphone_In) || LineAvailable(lines.Line_In));
}

}  // namespace moravel
