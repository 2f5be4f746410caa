#include "packages/PuUtBuiltIns.h"

#include <gtest/gtest.h>

#include "common/TestNames.h"

namespace packages {
namespace {

struct EnumCase {
  const char* enumName;
  int value;
  const char* expected;
};

class BuiltInEnumTest : public ::testing::TestWithParam<EnumCase> {};

TEST_P(BuiltInEnumTest, NamesValuesWithoutRegardToCase) {
  const EnumCase& c = GetParam();
  EXPECT_EQ(GetEnumValueName(c.enumName, c.value), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Values, BuiltInEnumTest,
                         ::testing::Values(EnumCase{"esheeraxis", 6, "SHEER_ZY"},
                                           EnumCase{"ESheerAxis", 0, "SHEER_None"},
                                           EnumCase{"ESheerAxis", 7, ""},
                                           EnumCase{"ESheerAxis", -1, ""},
                                           EnumCase{"EDropType", 19, "DROP_DrippyTap"},
                                           EnumCase{"ESPARKTYPE", 20, ",SPARK_CustomCloud"},
                                           EnumCase{"ESparkType", 28, "SPARK_Sprinkler"},
                                           EnumCase{"ESparkType", 29, ""},
                                           EnumCase{"EMissing", 0, ""}),
                         [](const auto& info) {
                           return testing_support::TestName(std::string(info.param.enumName) + " " +
                                                            std::to_string(info.param.value));
                         });

TEST(BuiltInEnumRegistryTest, FirstRowOfANameWinsAndResetDropsAdditions) {
  RegisterEnum("ESheerAxis", {"Other"});
  RegisterEnum("ETestOnly", {"A", "B"});
  EXPECT_EQ(GetEnumValueName("ESheerAxis", 0), "SHEER_None");
  EXPECT_EQ(GetEnumValueName("etestonly", 1), "B");
  RegisterBuiltInEnums();
  EXPECT_EQ(KnownEnums().size(), 3u);
  EXPECT_EQ(GetEnumValueName("ETestOnly", 1), "");
  EXPECT_EQ(KnownEnums()[2].Values.size(), 29u);
}

TEST(BuiltInStructTest, NestedAndEnumeratedMembersNameTheirTypes) {
  TKnownStructElement e;
  ASSERT_TRUE(FormatBuiltInStruct("Scale", 0, e));
  EXPECT_EQ(e.Name, "Scale");
  EXPECT_EQ(e.PropertyType, ptStruct);
  EXPECT_EQ(e.TypeName, "Vector");
  ASSERT_TRUE(FormatBuiltInStruct("SCALE", 2, e));
  EXPECT_EQ(e.Name, "SheerAxis");
  EXPECT_EQ(e.PropertyType, ptByte);
  EXPECT_EQ(e.TypeName, "ESheerAxis");
  // Plain members carry no type name, not the last one filled in.
  ASSERT_TRUE(FormatBuiltInStruct("pointregion", 1, e));
  EXPECT_EQ(e.Name, "iLeaf");
  EXPECT_EQ(e.TypeName, "");
}

TEST(BuiltInStructTest, CountsAndUnknownNames) {
  EXPECT_EQ(BuiltInStructFieldCount("Color"), 4);
  EXPECT_EQ(BuiltInStructFieldCount("scale"), 3);
  EXPECT_EQ(BuiltInStructFieldCount("Coords"), 0);
  EXPECT_TRUE(IsBuiltInStruct("POINTREGION"));
  EXPECT_FALSE(IsBuiltInStruct("Coords"));
  EXPECT_FALSE(IsBuiltInStruct(""));

  TKnownStructElement e{"kept", "", ptInt};
  EXPECT_FALSE(FormatBuiltInStruct("vector", 3, e));
  EXPECT_FALSE(FormatBuiltInStruct("vector", -1, e));
  EXPECT_FALSE(FormatBuiltInStruct("Coords", 0, e));
  EXPECT_EQ(e.Name, "kept");
}

}  // namespace
}  // namespace packages
