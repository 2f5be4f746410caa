// Reading Karma data files: the ASSET ids in document order, and nothing
// at all from a file that is not a whole, sane XML document.

#include <gtest/gtest.h>

#include "MainFormFixture.h"
#include "common/TempDir.h"
#include "windows/PuKarmaData.h"

using namespace testing_support;

namespace {

struct TKarmaCase {
  const char* Label;
  std::string Text;
  std::vector<std::string> Ids;  // none expected when Refused
  bool Refused;
};

std::string EntityBomb() {
  std::string text = "<?xml version=\"1.0\"?>\n<!DOCTYPE K [\n<!ENTITY e0 \"0123456789\">\n";
  for (int i = 1; i < 8; ++i) {
    text += "<!ENTITY e" + std::to_string(i) + " \"";
    for (int k = 0; k < 10; ++k) text += "&e" + std::to_string(i - 1) + ";";
    text += "\">\n";
  }
  return text + "]>\n<KARMA><ASSET id=\"&e7;\"/></KARMA>\n";
}

// One entity of a few kilobytes referenced over and over: each expansion
// stays small, their sum does not.
std::string EntityRepeated() {
  std::string text =
      "<?xml version=\"1.0\"?>\n<!DOCTYPE K [\n<!ENTITY a \"" + std::string(4000, 'x') + "\">\n]>\n<KARMA>";
  for (int i = 0; i < 20000; ++i) text += "&a;";
  return text + "<ASSET id=\"A\"/></KARMA>\n";
}

// An asset `depth` elements down, every element closed.
std::string Nested(int depth) {
  std::string text = "<KARMA>";
  for (int i = 1; i < depth; ++i) text += "<G>";
  text += "<ASSET id=\"Deep\"/>";
  for (int i = 1; i < depth; ++i) text += "</G>";
  return text + "</KARMA>";
}

class KarmaDataTest : public ::testing::TestWithParam<TKarmaCase> {};

TEST_P(KarmaDataTest, GivesTheAssetIdsOrNothing) {
  TestApp();
  TempDir dir;
  const std::string file = dir.write("Data.ka", GetParam().Text);
  if (GetParam().Refused) {
    try {
      windows::ReadKarmaAssetIds(file);
      FAIL() << "read without complaint";
    } catch (const windows::EKarmaDataError& e) {
      EXPECT_EQ(std::string(e.what()).rfind("Parser error.", 0), 0u) << e.what();
    }
  } else {
    EXPECT_EQ(windows::ReadKarmaAssetIds(file), GetParam().Ids);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, KarmaDataTest,
    ::testing::Values(
        TKarmaCase{"AtAnyDepthInOrder",
                   "<KARMA><G><ASSET id=\"Zed\"/></G><ASSET id=\"Ann\"><ASSET id=\"In\"/></ASSET></KARMA>",
                   {"Zed", "Ann", "In"}, false},
        TKarmaCase{"WithoutIdOrInOtherCaseSkipped",
                   "<KARMA><ASSET id=\"A\"/><ASSET/><asset id=\"b\"/><ASSET ID=\"c\"/></KARMA>", {"A"}, false},
        TKarmaCase{"NoAssets", "<KARMA/>", {}, false},
        TKarmaCase{"TruncatedAfterAGoodAsset", "<KARMA><ASSET id=\"Half\"/><ASSET", {}, true},
        TKarmaCase{"NotXml", "\x89PNG\r\n\x1a\n", {}, true},
        TKarmaCase{"EntitiesExpandingWithoutEnd", EntityBomb(), {}, true},
        TKarmaCase{"EntityRepeatedOverAndOver", EntityRepeated(), {}, true},
        TKarmaCase{"NestedDeepYetSane", Nested(windows::KarmaDataMaxDepth - 1), {"Deep"}, false},
        // Nothing real nests like this; reading it would take minutes.
        TKarmaCase{"NestedWithoutEnd", Nested(20000), {}, true}),
    [](const ::testing::TestParamInfo<TKarmaCase>& info) { return std::string(info.param.Label); });

TEST(KarmaData, AMissingFileOrADeviceWithoutEndIsSaidSo) {
  TestApp();
  EXPECT_THROW(windows::ReadKarmaAssetIds("/nonexistent/Bot.ka"), windows::EKarmaDataError);
  // "All files" in the dialog lets the user pick a device, which has no
  // size to refuse beforehand.
  EXPECT_THROW(windows::ReadKarmaAssetIds("/dev/zero"), windows::EKarmaDataError);
}

}  // namespace
