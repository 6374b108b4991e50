// The text of moravel-process --help.
#pragma once

#include <string>

namespace moravel {

std::string ProcessHelpText();

}  // namespace moravel
