// The settings file: one INI file of `[SECTION]` headers and `key=value`
// lines. Section and key names are compared without case; every line that a
// write does not concern (comments, blank lines, unknown keys and sections)
// keeps its exact bytes. Reading accepts CRLF line ends and a UTF-8 BOM.
//
// Every read looks at the file on disk, so two objects on the same file (the
// main window's and the soundcard dialog's) see each other's writes. Every
// write reaches the disk at once and atomically: a temporary file in the same
// folder is written, flushed and renamed over the old one.
//
// Plain C++, no Qt. Not thread-safe; the program uses it from the GUI thread.
#pragma once

#include "common/IniText.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace moravel {

class IniFile {
public:
    /// Longest value ReadString returns; longer stored values are cut there.
    static constexpr std::size_t kMaxValueLength = 2048;

    /// `fileName`: path of the INI file; it need not exist yet.
    explicit IniFile(std::string fileName);

    const std::string& FileName() const { return fileName_; }

    // Reads never throw for a missing or unreadable file or a missing key:
    // they return the default, as a first run must start with defaults.

    /// The stored text (blanks around it removed), cut at kMaxValueLength.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    /// Decimal, or hexadecimal after "0x"/"0X"; unparsable text or a value
    /// outside 32 bits gives the default.
    std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t defaultValue) const;
    /// Read as an integer (default 1 or 0); true when non-zero.
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;
    /// Locale-independent; "5." is 5.0, ".5" is 0.5; "-", "abc" give the default.
    long double ReadFloat(std::string_view section, std::string_view key, long double defaultValue) const;

    // Writes throw std::invalid_argument for names or values that cannot be
    // stored as one line (empty names, '=' in a key, ']' in a section, line
    // breaks), and std::system_error when the file cannot be replaced; the
    // old file is then untouched. A file that exists but cannot be read is
    // never replaced (its other settings would be lost).

    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    /// Decimal text.
    void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
    /// "1" or "0".
    void WriteBool(std::string_view section, std::string_view key, bool value);
    /// General notation, 15 significant digits, '.' as decimal point.
    void WriteFloat(std::string_view section, std::string_view key, long double value);

private:
    IniText loadForReading() const;

    std::string fileName_;
};

}  // namespace moravel
