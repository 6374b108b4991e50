#include "common/IniText.h"

#include <algorithm>
#include <cctype>

namespace moravel {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

// What one line of the file is, after line end and BOM are removed.
struct LineMeaning {
    enum Kind { kOther, kSection, kKey } kind = kOther;
    std::string_view name;   // section or key name
    std::string_view value;  // key lines only
};

LineMeaning Interpret(std::string_view line) {
    const std::string_view text = Trim(line);
    if (text.empty() || text.front() == ';' || text.front() == '#') return {};
    if (text.front() == '[') {
        const auto close = text.find(']');
        if (close == std::string_view::npos) return {};
        return {LineMeaning::kSection, Trim(text.substr(1, close - 1)), {}};
    }
    const auto equals = text.find('=');
    if (equals == std::string_view::npos) return {};
    return {LineMeaning::kKey, Trim(text.substr(0, equals)), Trim(text.substr(equals + 1))};
}

}  // namespace

IniText::IniText(std::string_view content) {
    const auto firstNewline = content.find('\n');
    crlf_ = firstNewline != std::string_view::npos && firstNewline > 0 && content[firstNewline - 1] == '\r';
    std::size_t start = 0;
    while (start < content.size()) {
        const auto end = content.find('\n', start);
        if (end == std::string_view::npos) {
            lines_.emplace_back(content.substr(start));
            return;
        }
        lines_.emplace_back(content.substr(start, end - start));
        start = end + 1;
    }
    endsWithNewline_ = !content.empty();
}

std::string_view IniText::content(std::size_t line) const {
    std::string_view text = lines_[line];
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    if (line == 0 && text.starts_with(kUtf8Bom)) text.remove_prefix(kUtf8Bom.size());
    return text;
}

IniText::Located IniText::locate(std::string_view section, std::string_view key) const {
    Located found;
    bool inMatchingSection = false;
    bool inFirstMatch = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const LineMeaning meaning = Interpret(content(i));
        if (meaning.kind == LineMeaning::kSection) {
            inMatchingSection = EqualNoCase(meaning.name, section);
            inFirstMatch = inMatchingSection && !found.sectionEnd;
            if (inFirstMatch) found.sectionEnd = i + 1;
            continue;
        }
        if (!inMatchingSection) continue;
        if (meaning.kind == LineMeaning::kKey && EqualNoCase(meaning.name, key)) {
            found.keyLine = i;
            return found;
        }
        // New keys go after the section's last non-blank line, so blank
        // lines that separate it from the next section stay where they are.
        if (inFirstMatch && !Trim(content(i)).empty()) found.sectionEnd = i + 1;
    }
    return found;
}

std::optional<std::string> IniText::Find(std::string_view section, std::string_view key) const {
    const Located found = locate(section, key);
    if (!found.keyLine) return std::nullopt;
    return std::string(Interpret(content(*found.keyLine)).value);
}

void IniText::insertLine(std::size_t at, std::string text) {
    if (at == lines_.size() && !endsWithNewline_) {
        // The old last line had no line end; it needs one before a new line.
        if (!lines_.empty() && crlf_) lines_.back() += '\r';
        endsWithNewline_ = true;
    }
    if (crlf_) text += '\r';
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(text));
}

void IniText::Set(std::string_view section, std::string_view key, std::string_view value) {
    std::string line = std::string(key) + "=" + std::string(value);
    const Located found = locate(section, key);
    if (found.keyLine) {
        std::string& old = lines_[*found.keyLine];
        if (*found.keyLine == 0 && old.starts_with(kUtf8Bom)) line.insert(0, kUtf8Bom);
        if (!old.empty() && old.back() == '\r') line += '\r';
        old = std::move(line);
        return;
    }
    if (found.sectionEnd) {
        insertLine(*found.sectionEnd, std::move(line));
        return;
    }
    if (!lines_.empty() && !Trim(content(lines_.size() - 1)).empty()) insertLine(lines_.size(), "");
    insertLine(lines_.size(), std::string("[").append(section).append("]"));
    insertLine(lines_.size(), std::move(line));
}

std::string IniText::Text() const {
    std::string text;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (i > 0) text += '\n';
        text += lines_[i];
    }
    if (endsWithNewline_) text += '\n';
    return text;
}

}  // namespace moravel
