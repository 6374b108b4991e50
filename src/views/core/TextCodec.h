// Conversions of the display list's UTF-16 text for the file writers.
// Pure functions, any thread.
#pragma once

#include <string>

namespace moravel::vec {

/// UTF-8 of `text`; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(const std::u16string& text);

/// UTF-16 of UTF-8 `text`; malformed sequences become U+FFFD.
std::u16string Utf8ToUtf16(const std::string& text);

/// One byte per UTF-16 unit for a single-byte metafile string: Latin-1
/// characters as themselves, everything else as '?'.
std::string Utf16ToLatin1(const std::u16string& text);

}  // namespace moravel::vec
