#include "platform/Version.h"

#include <gtest/gtest.h>

TEST(Version, TextComesFromTheBuildVersion) { EXPECT_EQ(platform::GetVersionString(), "Version 1.5.0.0"); }
