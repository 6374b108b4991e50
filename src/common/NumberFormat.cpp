#include "common/NumberFormat.h"

#include <cmath>
#include <cstdio>

namespace moravel {

namespace {

// Digits of a non-negative whole number, grouped by three from the right.
std::string groupThousands(const std::string& digits, const std::string& thousands) {
    std::string grouped;
    const std::size_t count = digits.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0 && (count - i) % 3 == 0) grouped += thousands;
        grouped += digits[i];
    }
    return grouped;
}

}  // namespace

std::string FormatNumber(long double value, int width, int decimals, const std::string& thousands,
                         const std::string& decimalPoint) {
    if (!std::isfinite(value)) return value != value ? "NAN" : (value > 0 ? "INF" : "-INF");
    const long double scale = std::pow(10.0L, decimals);
    // Half away from zero, as the number format has always rounded.
    const long double scaled = std::round(std::fabs(value) * scale);
    const bool negative = value < 0 && scaled != 0;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.0Lf", scaled);
    std::string digits = buffer;
    if (static_cast<int>(digits.size()) <= decimals)
        digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
    const std::size_t whole = digits.size() - static_cast<std::size_t>(decimals);
    std::string text = (negative ? "-" : "") + groupThousands(digits.substr(0, whole), thousands);
    if (decimals > 0) text += decimalPoint + digits.substr(whole);
    if (static_cast<int>(text.size()) < width) text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

}  // namespace moravel
