// The rule for "not available" that the configured check and the Soundcard
// page's controls share.
#include "LineAssignment.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace moravel {
namespace {

TEST(LineAssignment, EveryNegativeValueIsNotAvailable) {
    EXPECT_TRUE(LineAvailable(0));  // the first connection is a real line
    EXPECT_TRUE(LineAvailable(7));
    EXPECT_FALSE(LineAvailable(kNoLine));
    EXPECT_FALSE(LineAvailable(-2));
    EXPECT_FALSE(LineAvailable(INT32_MIN));
}

}  // namespace
}  // namespace moravel
