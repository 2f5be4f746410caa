#include <cmath>

#include <gtest/gtest.h>

#include "CommaLocale.h"
#include "RosterTestSupport.h"
#include "roster/PuUtTypes.h"
#include "roster/RosterErrors.h"

using roster::TUtType;

namespace {

struct FloatCase {
  double value;
  const char* text;
};

const FloatCase kFloatCases[] = {
    {0.3, "+0.3"},     {0.25, "+0.25"}, {0.1, "+0.1"},     {1, "+1.0"},       {5, "+5.0"},
    {0, "0.0"},        {-0.5, "-0.5"},  {-2, "-2.0"},      {-5, "-5.0"},      {0.125, "+0.13"},
    {-0.125, "-0.13"}, {0.004, "+0.0"}, {-0.004, "0.0"},   {-0.0, "0.0"},     {0.995, "+0.99"},
    {-0.995, "-0.99"}, {9.999, "+10.0"}, {0.005, "+0.01"}, {1234.5, "+1234.5"}, {0.07, "+0.07"},
    {1e20, "+100000000000000000000.0"}, {-123456.789, "-123456.79"},
};

class FloatTextTest : public ::testing::TestWithParam<FloatCase> {};

TEST_P(FloatTextTest, WritesTheRosterNumberText) {
  EXPECT_EQ(roster::FloatText(GetParam().value), GetParam().text);
}

TEST_P(FloatTextTest, IgnoresACommaLocale) {
  roster_test::CommaLocale comma;
  if (!comma.active()) GTEST_SKIP() << "no locale with a decimal comma could be set or built";
  EXPECT_EQ(roster::FloatText(GetParam().value), GetParam().text);
  TUtType t;
  t.SetFloat(GetParam().value);
  EXPECT_EQ(t.Kind, roster::utkFloat);
  EXPECT_EQ(t.Value, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Numbers, FloatTextTest, ::testing::ValuesIn(kFloatCases));

struct ReadCase {
  const char* text;
  bool readable;
  double value;
};

const ReadCase kReadCases[] = {
    {"0.3", true, 0.3},   {"-0.5", true, -0.5}, {"+2", true, 2},     {"1e2", true, 100}, {"1.5E-1", true, 0.15},
    {".5", true, 0.5},    {"5.", true, 5},      {"", false, 0},      {"+", false, 0},    {"-", false, 0},
    {".", false, 0},      {"inf", false, 0},    {"nan", false, 0},   {"1x", false, 0},   {"1.2.3", false, 0},
    {"0,5", false, 0},    {" 1", false, 0},     {"1 ", false, 0},    {"1e", false, 0},   {"0x10", false, 0},
    {"1e999", false, 0},  {"--1", false, 0},    {"e5", false, 0},
};

class ReadFloatTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadFloatTest, AcceptsOnlyPlainDecimalNumbers) {
  const auto v = roster::ReadFloat(GetParam().text);
  ASSERT_EQ(v.has_value(), GetParam().readable) << GetParam().text;
  if (v) {
    EXPECT_DOUBLE_EQ(*v, GetParam().value);
  }
}

TEST_P(ReadFloatTest, ReadsTheSameUnderACommaLocale) {
  roster_test::CommaLocale comma;
  if (!comma.active()) GTEST_SKIP() << "no locale with a decimal comma could be set or built";
  EXPECT_EQ(roster::ReadFloat(GetParam().text).has_value(), GetParam().readable) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texts, ReadFloatTest, ::testing::ValuesIn(kReadCases));

TEST(ValuePartTest, CutsAtTheFirstEqualsSign) {
  EXPECT_EQ(roster::ValuePart("Mesh=Jugg.JuggMaleA"), "Jugg.JuggMaleA");
  EXPECT_EQ(roster::ValuePart("a=b=c"), "b=c");
  EXPECT_EQ(roster::ValuePart("Mesh"), "Mesh");
  EXPECT_EQ(roster::ValuePart("Accuracy="), "");
}

TEST(UtTypeStringTest, StripsOnePairOfQuotesFromTextOnly) {
  TUtType t;
  t.SetString("\"NewBot\"");
  EXPECT_EQ(t.AsString(), "NewBot");
  t.SetString("\"\"x\"\"");
  EXPECT_EQ(t.AsString(), "\"x\"");
  t.SetString("\"open");
  EXPECT_EQ(t.AsString(), "\"open");
  t.SetString("\"");
  EXPECT_EQ(t.AsString(), "");
  t.SetString("");
  EXPECT_EQ(t.AsString(), "");
  t.Value = "\"1\"";
  t.Kind = roster::utkBoolean;
  EXPECT_EQ(t.AsString(), "\"1\"");
}

class UtTypeAskTest : public roster_test::RosterTest {};

TEST_F(UtTypeAskTest, ReadsSignedNumbersWithoutAsking) {
  AnswerInputBoxes({});
  TUtType t;
  t.SetString("+0.3");
  EXPECT_DOUBLE_EQ(t.AsFloat(), 0.3);
  t.SetString("-0.5");
  EXPECT_DOUBLE_EQ(t.AsFloat(), -0.5);
  EXPECT_TRUE(asked_.empty());
}

TEST_F(UtTypeAskTest, PlusBeforeJunkRaisesWithoutAsking) {
  AnswerInputBoxes({"1"});
  TUtType t;
  t.SetString("+abc");
  try {
    t.AsFloat();
    FAIL() << "no error raised";
  } catch (const roster::EConvertError& e) {
    EXPECT_STREQ(e.what(), "'abc' is not a valid floating point value");
  }
  EXPECT_TRUE(asked_.empty());
}

TEST_F(UtTypeAskTest, JunkAsksForAReplacementReadWithAPoint) {
  roster_test::CommaLocale comma;  // the typed answer follows "." even here
  AnswerInputBoxes({"0.75"});
  TUtType t;
  t.SetString("fast");
  EXPECT_DOUBLE_EQ(t.AsFloat(), 0.75);
  ASSERT_EQ(asked_.size(), 1u);
  EXPECT_EQ(asked_[0], "Illegal floating-point value detected!|Value :|fast");
}

TEST_F(UtTypeAskTest, CancelOrASecondBadAnswerRaises) {
  AnswerInputBoxes({std::nullopt, "still bad"});
  TUtType t;
  t.SetString("fast");
  EXPECT_THROW(t.AsFloat(), roster::EConvertError);
  try {
    t.AsFloat();
    FAIL() << "no error raised";
  } catch (const roster::EConvertError& e) {
    EXPECT_STREQ(e.what(), "'still bad' is not a valid floating point value");
  }
  EXPECT_EQ(asked_.size(), 2u);
}

TEST_F(UtTypeAskTest, AnEmptyValueAsksLikeAnyOther) {
  AnswerInputBoxes({"-1"});
  TUtType t;
  t.SetString("");
  EXPECT_DOUBLE_EQ(t.AsFloat(), -1);
  ASSERT_EQ(asked_.size(), 1u);
  EXPECT_EQ(asked_[0], "Illegal floating-point value detected!|Value :|");
}

TEST_F(UtTypeAskTest, BooleanTakesTheLowByteOrANonZeroNumber) {
  AnswerInputBoxes({"0"});
  const std::pair<const char*, bool> cases[] = {{"1", true},    {"2", true},   {"0", false},  {"256", false},
                                                {"-1", true},   {"1.5", true}, {"0.0", false}, {"+257", true},
                                                {"3000000000", true}};
  for (const auto& [text, expected] : cases) {
    TUtType t;
    t.SetString(text);
    EXPECT_EQ(t.AsBoolean(), expected) << text;
  }
  EXPECT_TRUE(asked_.empty());
  TUtType word;
  word.SetString("True");
  EXPECT_FALSE(word.AsBoolean());  // the answer "0" decides
  EXPECT_EQ(asked_.size(), 1u);
}

TEST_F(UtTypeAskTest, SettersRecordTheirKind) {
  TUtType t;
  EXPECT_EQ(t.Kind, roster::utkNone);
  t.SetBoolean(true);
  EXPECT_EQ(t.Value, "1");
  EXPECT_EQ(t.Kind, roster::utkBoolean);
  t.SetBoolean(false);
  EXPECT_EQ(t.Value, "0");
  t.SetString("x");
  EXPECT_EQ(t.Kind, roster::utkString);
}

class TextRefTest : public roster_test::RosterTest {
 protected:
  void SetUp() override {
    RosterTest::SetUp();
    CacheIntFile("XPlayers.int",
                 "[DecoText]\r\nDefault=\"A|B|\"\r\nTwo=\"\"\r\nPlain=just text\r\nEmpty=\r\n"
                 "Deep.Key=\"dotted\"\r\ndefault=second\r\n");
  }
  static std::string Resolve(const std::string& ref) {
    TUtType t;
    t.SetString(ref);
    return t.AsIntString();
  }
};

TEST_F(TextRefTest, ResolvesThroughTheCachedDecoText) {
  EXPECT_EQ(Resolve("XPlayers.Default"), "A|B|");
  EXPECT_EQ(Resolve("xplayers.DEFAULT"), "A|B|");
  EXPECT_EQ(Resolve("XPlayers.Plain"), "just text");
  EXPECT_EQ(Resolve("XPlayers.Empty"), "");
  EXPECT_EQ(Resolve("XPlayers.Deep.Key"), "dotted");
  EXPECT_EQ(Resolve("XPlayers.Two"), "\"\"");
}

TEST_F(TextRefTest, UnresolvableReferencesComeBackUnchanged) {
  EXPECT_EQ(Resolve("NoDot"), "NoDot");
  EXPECT_EQ(Resolve("Other.Default"), "Other.Default");
  EXPECT_EQ(Resolve("XPlayers.Missing"), "XPlayers.Missing");
  EXPECT_EQ(Resolve(""), "");
}

TEST_F(TextRefTest, BarsBecomeLineBreaks) {
  TUtType t;
  t.SetString("XPlayers.Default");
  EXPECT_EQ(t.AsIntText(), "A\rB\r");
}

}  // namespace
