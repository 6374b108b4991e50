// Small parsers for option values such as "10000:40" or "-5,0,0,0,0,0,5".
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace moravel {

/// The parts of `text` between `separator`s; "a::b" has an empty middle part.
std::vector<std::string_view> SplitFields(std::string_view text, char separator);

/// A whole decimal number with an optional sign and nothing else; nullopt
/// for anything else, including values beyond 64 bits.
std::optional<std::int64_t> ParseWholeNumber(std::string_view text);

/// A number of seconds, 0 or more, with an optional decimal fraction
/// ("2", "1.25"); nullopt for anything else.
std::optional<double> ParseSeconds(std::string_view text);

/// ParseWholeNumber of each field of `text`; nullopt unless there are
/// `minCount`..`maxCount` fields and every one is a number.
std::optional<std::vector<std::int64_t>> ParseNumberList(std::string_view text, char separator, std::size_t minCount,
                                                         std::size_t maxCount);

}  // namespace moravel
