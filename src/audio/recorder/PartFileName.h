// When the rate of the recorded samples changes, the recording goes on in a
// new file beside the first, so that every file's header names its samples'
// true rate. The new files are numbered parts of the first: "rec.wav" goes
// on in "rec-2.wav", then "rec-3.wav", and so on.
#pragma once

#include <string>

namespace moravel {

/// The next part of a recording to `path` after part `part` (the first file
/// is part 1) whose name is free: no file, folder or link of that name
/// exists, so no file the user did not choose is ever replaced. `part` is
/// set to that part's number. The number goes before the extension:
/// "/x/rec.wav" part 2 is "/x/rec-2.wav", "rec" part 2 "rec-2".
/// Any thread.
std::string NextPartFileName(const std::string& path, int& part);

}  // namespace moravel
