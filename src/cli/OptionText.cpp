#include "cli/OptionText.h"

#include <charconv>

namespace moravel {

std::vector<std::string_view> SplitFields(std::string_view text, char separator) {
    std::vector<std::string_view> fields;
    for (;;) {
        const auto at = text.find(separator);
        fields.push_back(text.substr(0, at));
        if (at == std::string_view::npos) return fields;
        text.remove_prefix(at + 1);
    }
}

std::optional<std::int64_t> ParseWholeNumber(std::string_view text) {
    // from_chars takes '-' but not '+'; a '+' must be followed by a digit.
    if (text.starts_with('+')) {
        text.remove_prefix(1);
        if (text.starts_with('-')) return std::nullopt;
    }
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<std::vector<std::int64_t>> ParseNumberList(std::string_view text, char separator, std::size_t minCount,
                                                         std::size_t maxCount) {
    const auto fields = SplitFields(text, separator);
    if (fields.size() < minCount || fields.size() > maxCount) return std::nullopt;
    std::vector<std::int64_t> numbers;
    for (const auto field : fields) {
        const auto number = ParseWholeNumber(field);
        if (!number) return std::nullopt;
        numbers.push_back(*number);
    }
    return numbers;
}

std::optional<double> ParseSeconds(std::string_view text) {
    // Digits with at most one '.', so no sign, exponent, "inf" or "nan".
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string_view::npos) return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace moravel
