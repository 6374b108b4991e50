// libFuzzer target: moravel-process's option parser. The input is split at
// NUL bytes into the arguments after the program name. Only UsageError may
// come out of the parser; what it accepts must be a usable set of options
// (any other exception, a crash, a sanitizer report or a trap is a bug).
#include "cli/ProcessOptions.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

void check(bool invariant) {
    if (!invariant) __builtin_trap();
}

std::vector<std::string> splitArguments(const std::uint8_t* bytes, std::size_t size) {
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (bytes[i] == 0)
            args.emplace_back();
        else
            args.back().push_back(static_cast<char>(bytes[i]));
    }
    return args;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    try {
        const moravel::ProcessOptions options = moravel::ParseProcessOptions(splitArguments(bytes, size));
        if (options.resolution) check(*options.resolution >= 0 && *options.resolution <= 2);
    } catch (const moravel::UsageError& error) {
        check(error.what()[0] != '\0');
    }
    return 0;
}
