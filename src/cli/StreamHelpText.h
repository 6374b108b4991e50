// The part of moravel-process --help on pipes and on splitting a recording
// into its transmissions.
#pragma once

#include <string>

namespace moravel {

std::string StreamHelpText();

}  // namespace moravel
