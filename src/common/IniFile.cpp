#include "common/IniFile.h"

#include "common/AtomicFile.h"
#include "common/IniValue.h"

#include <stdexcept>
#include <system_error>

namespace moravel {
namespace {

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

bool HasOuterBlank(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    return !text.empty() && (blank(text.front()) || blank(text.back()));
}

// Names that would not read back as the same section and key once written.
void CheckStorable(std::string_view section, std::string_view key, std::string_view value) {
    if (section.empty() || HasOuterBlank(section) || HasLineBreak(section) ||
        section.find(']') != std::string_view::npos)
        throw std::invalid_argument("Invalid settings section name \"" + std::string(section) + "\"");
    if (key.empty() || HasOuterBlank(key) || HasLineBreak(key) || key.find('=') != std::string_view::npos ||
        key.front() == '[' || key.front() == ';' || key.front() == '#')
        throw std::invalid_argument("Invalid settings key name \"" + std::string(key) + "\"");
    if (HasLineBreak(value))
        throw std::invalid_argument("Settings value of \"" + std::string(key) + "\" contains a line break");
}

}  // namespace

IniFile::IniFile(std::string fileName) : fileName_(std::move(fileName)) {}

IniText IniFile::loadForReading() const {
    try {
        return IniText(ReadFileIfPresent(fileName_).value_or(std::string()));
    } catch (const std::system_error&) {
        return IniText();
    }
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                       std::string_view defaultValue) const {
    std::string value = loadForReading().Find(section, key).value_or(std::string(defaultValue));
    if (value.size() > kMaxValueLength) value.resize(kMaxValueLength);
    return value;
}

std::int32_t IniFile::ReadInteger(std::string_view section, std::string_view key,
                                         std::int32_t defaultValue) const {
    return ParseIniInteger(ReadString(section, key, "")).value_or(defaultValue);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

long double IniFile::ReadFloat(std::string_view section, std::string_view key, long double defaultValue) const {
    return ParseIniFloat(ReadString(section, key, "")).value_or(defaultValue);
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    CheckStorable(section, key, value);
    // Unlike reading, a file that exists but cannot be read is an error here:
    // replacing it by a file built from nothing would lose its other keys.
    IniText text(ReadFileIfPresent(fileName_).value_or(std::string()));
    text.Set(section, key, value);
    ReplaceFile(fileName_, text.Text());
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void IniFile::WriteFloat(std::string_view section, std::string_view key, long double value) {
    WriteString(section, key, FormatIniFloat(value));
}

}  // namespace moravel
