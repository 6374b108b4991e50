// The program reading the processed audio from a pipe has closed its end
// (it quit, or was stopped). Not a fault of this program: moravel-process
// ends quietly with the exit status of a write error.
#pragma once

#include <stdexcept>

namespace moravel {

class ReaderGone : public std::runtime_error {
public:
    ReaderGone() : std::runtime_error("the reader of the output has gone") {}
};

}  // namespace moravel
