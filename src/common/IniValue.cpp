#include "common/IniValue.h"

#include <cctype>
#include <charconv>
#include <system_error>

namespace moravel {
namespace {

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

template <typename T>
std::optional<T> ParseWhole(std::string_view text, int base) {
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<std::int32_t> ParseHex(std::string_view digits) {
    // from_chars into an unsigned type refuses signs, which "0x-1" must not pass.
    const auto value = ParseWhole<std::uint32_t>(digits, 16);
    if (!value) return std::nullopt;
    return static_cast<std::int32_t>(*value);
}

std::optional<std::int32_t> ParseDecimal(std::string_view text) {
    // from_chars takes a '-' but no '+'; one sign of either kind is allowed.
    if (text.starts_with('+')) {
        text.remove_prefix(1);
        if (text.empty() || !IsDigit(text.front())) return std::nullopt;
    }
    return ParseWhole<std::int32_t>(text, 10);
}

}  // namespace

std::optional<std::int32_t> ParseIniInteger(std::string_view text) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) return ParseHex(text.substr(2));
    return ParseDecimal(text);
}

std::optional<long double> ParseIniFloat(std::string_view text) {
    if (text.empty()) return std::nullopt;
    long double sign = 1.0L;
    std::string_view body = text;
    if (body.front() == '+' || body.front() == '-') {
        if (body.front() == '-') sign = -1.0L;
        body.remove_prefix(1);
    }
    if (body.empty()) return std::nullopt;
    // ".5" and "5." are numbers here, as they have always been in this file.
    std::string number = body.front() == '.' ? "0" : "";
    number += body;
    if (number.back() == '.') number += '0';
    // Only plain numbers: from_chars would also take "inf", "nan" and a sign.
    if (!IsDigit(number.front())) return std::nullopt;
    long double value = 0.0L;
    const char* end = number.data() + number.size();
    const auto [stop, error] = std::from_chars(number.data(), end, value, std::chars_format::general);
    if (error != std::errc() || stop != end) return std::nullopt;
    return sign * value;
}

std::string FormatIniFloat(long double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return std::string(buffer, result.ptr);
}

}  // namespace moravel
