// Completing a recording whose stream has failed. After a failed write the
// stream's buffer is gone and the stream refuses every further write, but
// the samples that reached the disk are still there; the header is patched
// here, on a descriptor of its own, so that the file opens with exactly
// those samples.
#pragma once

#include <cstdint>
#include <string>

namespace moravel {

/// Makes `path` a valid WAV file of the samples it holds: drops a trailing
/// half sample (an odd data length), then writes the RIFF size (file length
/// − 8) and the data size (file length − `dataOffset`) into the header,
/// whose data size field lies at `dataOffset` − 4. Overwriting the header
/// needs no new space, so this works on a full disk and within a file size
/// limit. Returns "" or the reason it failed (the system's error text).
/// Any thread; nothing else may write the file meanwhile.
std::string SealRecording(const std::string& path, std::int64_t dataOffset);

}  // namespace moravel
