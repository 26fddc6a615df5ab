#include "base/quoted.h"

#include <gtest/gtest.h>

#include <string>

namespace merid {
namespace {

TEST(ShownPathTest, ControlBytesAreEscapedAndUtf8Kept) {
  EXPECT_EQ(shown_path("plots/\x1b[2Jx.svg"), "plots/\\x1B[2Jx.svg");
  EXPECT_EQ(shown_path("\xd0\xbf\xd0\xbb\xd0\xbe\xd1\x82.svg"),
            "\xd0\xbf\xd0\xbb\xd0\xbe\xd1\x82.svg");
}

// A 100,000-byte --svg name was echoed whole on standard error.
TEST(ShownPathTest, HugePathWasEchoedWhole) {
  const std::string exact(200, 'a');
  EXPECT_EQ(shown_path(exact), exact);
  EXPECT_EQ(shown_path(std::string(100'000, 'a')), exact + "...");
  // Byte 200 starts a two-byte character: it goes whole or not at all.
  const std::string cyrillic = std::string(199, 'a') + "\xd0\xbf" + "tail";
  EXPECT_EQ(shown_path(cyrillic), std::string(199, 'a') + "...");
}

}  // namespace
}  // namespace merid
