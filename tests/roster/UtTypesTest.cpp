#include <limits>

#include <gtest/gtest.h>

#include "CommaLocale.h"
#include "RosterTestSupport.h"
#include "common/TestNames.h"
#include "roster/PuUtTypes.h"
#include "roster/RosterErrors.h"

using roster::TUtType;

namespace {

TUtType Text(const std::string& value) {
  TUtType t;
  t.SetString(value);
  return t;
}

struct FloatCase {
  double value;
  const char* text;
};

class FloatTextTest : public ::testing::TestWithParam<FloatCase> {};

TEST_P(FloatTextTest, WritesTheRosterNumberTextWhateverTheLocale) {
  EXPECT_EQ(roster::FloatText(GetParam().value), GetParam().text);
  roster_test::CommaLocale comma;
  if (!comma.active()) GTEST_SKIP() << "no locale with a decimal comma could be set or built";
  TUtType t;
  t.SetFloat(GetParam().value);
  EXPECT_EQ(t.Value, GetParam().text);
}

// 0.995 is 0.99499999999999999555... as a double: 18 digits keep it below
// the half. Halves that are exact go away from zero.
INSTANTIATE_TEST_SUITE_P(
    Numbers, FloatTextTest,
    ::testing::ValuesIn(std::vector<FloatCase>{
        {0.3, "+0.3"}, {0.25, "+0.25"}, {0.1, "+0.1"}, {1, "+1.0"}, {5, "+5.0"}, {0, "0.0"}, {-0.5, "-0.5"},
        {-2, "-2.0"}, {-5, "-5.0"}, {0.125, "+0.13"}, {-0.125, "-0.13"}, {0.004, "+0.0"}, {-0.004, "0.0"},
        {-0.0, "0.0"}, {0.995, "+0.99"}, {9.999, "+10.0"}, {0.005, "+0.01"}, {0.07, "+0.07"},
        {-123456.789, "-123456.79"}, {std::numeric_limits<double>::infinity(), "+INF"},
        {-std::numeric_limits<double>::infinity(), "-INF"}, {std::numeric_limits<double>::quiet_NaN(), "NAN"}}),
    [](const auto& info) { return testing_support::TestName(info.param.text, info.index); });

class ReadFloatTest : public ::testing::TestWithParam<std::pair<const char*, std::optional<double>>> {};

TEST_P(ReadFloatTest, AcceptsOnlyPlainDecimalNumbersWhateverTheLocale) {
  const auto& [text, expected] = GetParam();
  EXPECT_EQ(roster::ReadFloat(text), expected) << text;
  roster_test::CommaLocale comma;
  EXPECT_EQ(roster::ReadFloat(text), expected) << text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadFloatTest,
    ::testing::ValuesIn(std::vector<std::pair<const char*, std::optional<double>>>{
        {"0.5", 0.5}, {"-0.5", -0.5}, {"+2", 2}, {"1e2", 100}, {"1.5E-1", 0.15}, {".5", 0.5}, {"5.", 5},
        {"", {}}, {"+", {}}, {"-", {}}, {".", {}}, {"inf", {}}, {"nan", {}}, {"1x", {}}, {"1.2.3", {}},
        {"0,5", {}}, {" 1", {}}, {"1 ", {}}, {"1e", {}}, {"0x10", {}}, {"1e999", {}}, {"--1", {}}, {"e5", {}}}),
    [](const auto& info) { return testing_support::TestName(info.param.first, info.index); });

TEST(UtTypeTest, TextLosesOnePairOfSurroundingQuotes) {
  EXPECT_EQ(Text("\"NewBot\"").AsString(), "NewBot");
  EXPECT_EQ(Text("\"\"x\"\"").AsString(), "\"x\"");
  EXPECT_EQ(Text("\"open").AsString(), "\"open");
  EXPECT_EQ(Text("\"").AsString(), "");
  TUtType flag;
  flag.Value = "\"1\"";
  flag.Kind = roster::utkBoolean;
  EXPECT_EQ(flag.AsString(), "\"1\"");
  EXPECT_EQ(roster::ValuePart("a=b=c"), "b=c");
  EXPECT_EQ(roster::ValuePart("Mesh"), "Mesh");
}

class UtTypeAskTest : public roster_test::RosterTest {};

TEST_F(UtTypeAskTest, PlusSignedTextIsReadOrRaisesWithoutAsking) {
  AnswerInputBoxes({"1"});
  EXPECT_DOUBLE_EQ(Text("+0.3").AsFloat(&Ask), 0.3);
  try {
    Text("+abc").AsFloat(&Ask);
    FAIL() << "no error raised";
  } catch (const roster::EConvertError& e) {
    EXPECT_STREQ(e.what(), "'abc' is not a valid floating point value");
  }
  EXPECT_TRUE(asked_.empty());
}

TEST_F(UtTypeAskTest, UnreadableTextAsksAndReadsTheAnswerWithAPoint) {
  roster_test::CommaLocale comma;
  AnswerInputBoxes({"0.75", "-1", std::nullopt, "still bad"});
  EXPECT_DOUBLE_EQ(Text("fast").AsFloat(&Ask), 0.75);
  EXPECT_DOUBLE_EQ(Text("").AsFloat(&Ask), -1);  // nothing after "=" asks too
  EXPECT_THROW(Text("fast").AsFloat(&Ask), roster::EConvertError);
  try {
    Text("fast").AsFloat(&Ask);
    FAIL() << "no error raised";
  } catch (const roster::EConvertError& e) {
    EXPECT_STREQ(e.what(), "'still bad' is not a valid floating point value");
  }
  ASSERT_EQ(asked_.size(), 4u);
  EXPECT_EQ(asked_[0], "Illegal floating-point value detected!|Value :|fast");
  EXPECT_EQ(asked_[1], "Illegal floating-point value detected!|Value :|");
}

TEST_F(UtTypeAskTest, BooleanTakesTheLowByteOrANonZeroNumber) {
  AnswerInputBoxes({"0"});
  for (const auto& [text, expected] : std::vector<std::pair<const char*, bool>>{
           {"1", true}, {"2", true}, {"0", false}, {"256", false}, {"-1", true}, {"1.5", true}, {"0.0", false},
           {"+257", true}, {"3000000000", true}})
    EXPECT_EQ(Text(text).AsBoolean(&Ask), expected) << text;
  EXPECT_TRUE(asked_.empty());
  EXPECT_FALSE(Text("True").AsBoolean(&Ask));  // the answer "0" decides
  EXPECT_EQ(asked_.size(), 1u);
}

class TextRefTest : public roster_test::RosterTest {};

TEST_F(TextRefTest, ResolvesThroughTheCachedDecoTextOrStaysAsWritten) {
  CacheIntFile("XPlayers.int",
               "[DecoText]\r\nDefault=\"A|B|\"\r\nTwo=\"\"\r\nPlain=just text\r\nEmpty=\r\n"
               "Deep.Key=\"dotted\"\r\ndefault=second\r\n");
  const std::pair<const char*, const char*> cases[] = {
      {"XPlayers.Default", "A|B|"}, {"xplayers.DEFAULT", "A|B|"},  {"XPlayers.Plain", "just text"},
      {"XPlayers.Empty", ""},       {"XPlayers.Deep.Key", "dotted"}, {"XPlayers.Two", "\"\""},
      {"NoDot", "NoDot"},           {"Other.Default", "Other.Default"}, {"XPlayers.Missing", "XPlayers.Missing"}};
  for (const auto& [ref, text] : cases) EXPECT_EQ(Text(ref).AsIntString(), text) << ref;
  EXPECT_EQ(Text("XPlayers.Default").AsIntText(), "A\rB\r");
}

}  // namespace
