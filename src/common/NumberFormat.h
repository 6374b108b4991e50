// Numbers as the program shows them: the "%W.Dn" format (at least W
// characters, right-aligned with spaces, D decimals, thousands grouped with
// the user's separator, '.' or the user's decimal point before decimals).
#pragma once

#include <string>

namespace moravel {

/// Formats `value` like "%<width>.<decimals>n": rounds half away from zero to
/// `decimals` places, groups the integer digits by three with `thousands`,
/// pads on the left with spaces to `width` characters.
std::string FormatNumber(long double value, int width, int decimals, const std::string& thousands = ",",
                         const std::string& decimalPoint = ".");

}  // namespace moravel
