// Text forms of the settings file's numbers. Locale-independent: '.' is
// always the decimal point, whatever the user's locale says.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace moravel {

/// A stored integer: decimal with an optional sign, or, when the text is
/// longer than two characters and begins "0x"/"0X", hexadecimal digits whose
/// value fits in 32 bits (taken as the 32-bit pattern, so 0xFFFFFFFF is −1).
/// nullopt for anything else, including decimal values outside 32 bits.
std::optional<std::int32_t> ParseIniInteger(std::string_view text);

/// A stored float, read the lenient way the settings file always has:
/// "5." reads as 5.0, ".5" as 0.5, a leading '+' or '-' is taken off first.
/// nullopt for empty text, a lone sign, or anything that is not a plain
/// decimal number with an optional exponent (no "inf", "nan", hex floats).
std::optional<long double> ParseIniFloat(std::string_view text);

/// General notation, at most 15 significant digits, e.g. "0.5", "1e+20".
std::string FormatIniFloat(long double value);

}  // namespace moravel
