// The text of one INI file held as lines, so that single keys can be looked
// up and replaced while every other line keeps its exact bytes (comments,
// blank lines, unknown keys and sections, CRLF line ends, a UTF-8 BOM).
//
// Plain value type, no I/O: IniFile loads and stores the text.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace moravel {

class IniText {
public:
    /// `content`: the whole file as read from disk (may be empty).
    explicit IniText(std::string_view content = {});

    /// Value of `key` in `[section]`, names compared without case (ASCII).
    /// The value is the text after the first '=', blanks around it removed.
    /// The first matching line wins, as with duplicated keys or sections.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;

    /// Sets `key=value` in `[section]`: replaces the first matching line,
    /// else adds the key after the section's last non-blank line, else adds
    /// the section at the end of the text. New lines take the file's line
    /// end style. Names and value must already be valid (see IniFile).
    void Set(std::string_view section, std::string_view key, std::string_view value);

    /// The whole text, ready to be written.
    std::string Text() const;

private:
    struct Located {
        std::optional<std::size_t> keyLine;     // first line holding the key
        std::optional<std::size_t> sectionEnd;  // insertion point in the first matching section
    };

    Located locate(std::string_view section, std::string_view key) const;
    std::string_view content(std::size_t line) const;
    void insertLine(std::size_t at, std::string text);

    std::vector<std::string> lines_;  // without '\n', with a '\r' where the file had one
    bool endsWithNewline_ = false;
    bool crlf_ = false;
};

}  // namespace moravel
