#include "platform/InputBox.h"
#include "platform/Version.h"

#include <gtest/gtest.h>

TEST(Version, TextComesFromTheBuildVersion) { EXPECT_EQ(platform::GetVersionString(), "Version 1.5.0.0"); }

TEST(InputBox, CancelAndMissingHandlerGiveTheDefault) {
  platform::SetInputBoxHandler({});
  EXPECT_EQ(platform::InputBox("t", "p", "1,5"), "1,5");
  platform::SetInputBoxHandler([](const std::string&, const std::string&, const std::string&) {
    return std::optional<std::string>();
  });
  EXPECT_EQ(platform::InputBox("t", "p", "d"), "d");
  platform::SetInputBoxHandler([](const std::string& caption, const std::string&, const std::string& def) {
    return std::optional<std::string>(caption + ":" + def);
  });
  EXPECT_EQ(platform::InputBox("t", "p", "d"), "t:d");
  platform::SetInputBoxHandler({});
}
