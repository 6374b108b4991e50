// Which variant of the test card plugin (plugin/TestcardElements.h) the
// "default" control device opens as: read from this environment variable
// at every open, so a test sets it before it opens the mixer.
#pragma once

namespace moravel::testing {

inline constexpr const char* kTestcardVariantVariable = "MORAVEL_TESTCARD_VARIANT";

}  // namespace moravel::testing
