// Whole reads and writes on a file descriptor, as a pipe needs them: a pipe
// hands over what its writer has sent so far, so a block is read in as many
// pieces as it takes.
#pragma once

#include <cstdint>

namespace moravel {

/// Reads until `count` bytes are in `buffer` or the input has ended (or
/// the run was interrupted: what came so far is returned). Returns the
/// bytes read, or -1 with errno set.
std::int64_t ReadFully(int fd, void* buffer, std::int64_t count);

/// Writes all `count` bytes. Returns false with errno set when that fails
/// (EPIPE once the reader has gone, with SIGPIPE ignored).
bool WriteFully(int fd, const void* buffer, std::int64_t count);

}  // namespace moravel
