// The roster document without any window: reading, the one rule for
// "modified", what its observers hear, and saves that keep every byte
// nobody changed.

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include <gtest/gtest.h>

#include "RosterTestSupport.h"
#include "common/RealData.h"
#include "common/TempDir.h"
#include "platform/FileError.h"
#include "platform/TextFile.h"
#include "roster/PuRosterDocument.h"

namespace {

using roster::TBotCharacter;
using roster::TRosterDocument;
using testing_support::RealDataPath;
using testing_support::TempDir;

// The bytes as the editor writes them: every line ended by CR LF.
std::string WithCrLf(const std::string& bytes) {
  std::string out;
  for (const std::string& line : platform::SplitLines(bytes)) out += line + "\r\n";
  return out;
}

std::string Line(const std::string& name, const std::string& extra = "") {
  return "Player=(DefaultName=\"" + name + "\",Mesh=Jugg.JuggMaleA" + extra + ")";
}

// Everything a view hears, in order.
struct TRecorder : roster::TRosterObserver {
  const TRosterDocument* Doc = nullptr;
  std::vector<std::string> Heard;
  void BotChanged(const TBotCharacter& bot) override { Heard.push_back("changed " + bot.GetDefaultName()); }
  void BotAdded(const TBotCharacter& bot) override { Heard.push_back("added " + bot.GetDefaultName()); }
  void BotDeleted(const TBotCharacter& bot) override {
    // Still in the roster while it is told.
    Heard.push_back("deleted " + bot.GetDefaultName() + " at " + std::to_string(Doc->IndexOf(bot)));
  }
  void RosterReplaced() override { Heard.push_back("replaced"); }
  void ModifiedChanged(bool modified) override { Heard.push_back(modified ? "modified" : "saved"); }
};

class RosterDocumentTest : public roster_test::RosterTest {
 protected:
  TempDir Dir;
  TRosterDocument Doc{Dir.file("System"), &Ask};
};

// ---------------------------------------------------------------- real rosters

class StockRosterTest : public RosterDocumentTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(StockRosterTest, SavedWithoutEditsGivesTheFileBackByteForByte) {
  const std::string file = std::string("upl/ut2004_stock/") + GetParam();
  REQUIRE_REALDATA(file);
  const std::string original = platform::ReadFileBytes(RealDataPath(file));
  Doc.Load(RealDataPath(file));
  Doc.Save(Dir.file("saved.upl"));
  EXPECT_EQ(platform::ReadFileBytes(Dir.file("saved.upl")), WithCrLf(original));
  EXPECT_TRUE(asked_.empty());
}

INSTANTIATE_TEST_SUITE_P(Stock, StockRosterTest, ::testing::Values("xplayersL1.upl", "xaplayersl3.upl"),
                         [](const auto& info) {
                           std::string name = info.param;
                           return name.substr(0, name.find('.'));
                         });

TEST_F(RosterDocumentTest, OneEditChangesOneLineAndKeepsItsUnknownItems) {
  REQUIRE_REALDATA("upl/ut2004_stock/xplayersL1.upl");
  // The stock roster with an author's notes and a bot taken out by a
  // comment, as rosters passed around often have.
  std::vector<std::string> in = platform::SplitLines(
      platform::ReadFileBytes(RealDataPath("upl/ut2004_stock/xplayersL1.upl")));
  in.insert(in.begin() + 1, "; Stock roster, tuned by hand");
  in.insert(in.begin() + 4, ";" + in[3]);
  in.push_back("");
  in.push_back("; end of the roster");
  std::string text;
  for (const std::string& line : in) text += line + "\n";
  Doc.Load(Dir.write("notes.upl", text));
  ASSERT_EQ(Doc.Count(), 146);
  const int brock = Doc.Find("brock");
  ASSERT_GE(brock, 0);
  Doc.Edit(Doc.Bot(brock), [](TBotCharacter& bot) { bot.SetTactics(4.44); });
  Doc.Save(Dir.file("saved.upl"));

  const std::vector<std::string> out = platform::ReadLines(Dir.file("saved.upl"));
  ASSERT_EQ(out.size(), in.size());
  std::vector<std::size_t> changed;
  for (std::size_t i = 0; i < in.size(); ++i)
    if (in[i] != out[i]) changed.push_back(i);
  ASSERT_EQ(changed, std::vector<std::size_t>{static_cast<std::size_t>(Doc.Bot(brock).LineIndex)});
  const std::string& line = out[changed[0]];
  EXPECT_NE(line.find("Tactics=+4.44"), std::string::npos) << line;
  // The items the record does not know follow, in their order and text.
  const std::vector<std::string> unknown = TBotCharacter::UnknownItems(in[changed[0]]);
  ASSERT_EQ(unknown, (std::vector<std::string>{"Race=\"Mercenary\"", "BotUse=1"}));
  EXPECT_TRUE(line.ends_with(",Race=\"Mercenary\",BotUse=1)")) << line;
  TBotCharacter again;
  again.SetPlayerLine(line.substr(line.find('=') + 1));
  EXPECT_EQ(again.GetPlayerLine(), Doc.Bot(brock).GetPlayerLine());
}

TEST_F(RosterDocumentTest, CopiesCarryTheWholeBotAndAPasteReplacesItWhole) {
  REQUIRE_REALDATA("upl/ut2004_stock/xplayersL1.upl");
  Doc.Load(RealDataPath("upl/ut2004_stock/xplayersL1.upl"));
  const TBotCharacter& brock = Doc.Bot(Doc.Find("Brock"));
  const TBotCharacter& diva = Doc.Bot(Doc.Find("Diva"));
  // Unchanged, a bot is copied as the file holds it.
  const std::string copied = Doc.PlayerLineOf(brock);
  EXPECT_EQ(copied, Doc.Lines()[static_cast<std::size_t>(brock.LineIndex)]);
  // Diva's Race="Egyptian", Jumpiness and BotUse go with her.
  Doc.Paste(diva, copied);
  // The file spells species in lower case; so does the copy.
  const std::string brocks =
      "Player=(DefaultName=\"Brock\",species=xGame.SPECIES_Merc,Mesh=HumanMaleA.MercMaleC,"
      "BodySkin=PlayerSkins.MercMaleCBodyA,FaceSkin=PlayerSkins.MercMaleCHeadA,Portrait=PlayerPictures.cMercMaleAC,"
      "Text=XPlayers.MercMaleCA,Sex=Male,Accuracy=+0.5,StrafingAbility=+1.0,Tactics=+2.0,Menu=\"\","
      "Race=\"Mercenary\",BotUse=1)";
  EXPECT_EQ(Doc.Lines()[static_cast<std::size_t>(diva.LineIndex)], brocks);
  // A paste that differs in an unknown item alone is a change to save.
  Doc.Save(Dir.file("saved.upl"));
  Doc.Paste(diva, brocks.substr(0, brocks.size() - 10) + ")");
  EXPECT_TRUE(Doc.Modified());
  EXPECT_TRUE(Doc.PlayerLineOf(diva).ends_with(",Race=\"Mercenary\")"));
}

TEST_F(RosterDocumentTest, AQuoteLeftOpenCostsItsItemOnlyThroughEditAndSave) {
  const std::string bob =
      "Player=(DefaultName=\"Bob,Species=xGame.SPECIES_Merc,Mesh=Mercenary.Mth2,BodySkin=Merc.Body,"
      "FaceSkin=Merc.Face,Portrait=Merc.Pic,Accuracy=+0.5,Menu=\"SP\")";
  const std::string malcolm =
      "Player=(DefaultName=\"Malcolm,Race=\"ThunderCrash\",Mesh=HumanMaleA.MercMaleD,species=xGame.SPECIES_Merc,"
      "Text=XPlayers.MercMaleDA,Menu=\"MALCOLM\",StrafingAbility=+2.0,BotUse=1)";
  Doc.Load(Dir.write("open.upl", "[Public]\n" + bob + "\n" + malcolm + "\n"));
  ASSERT_EQ(Doc.Count(), 2);
  for (int i = 0; i < 2; ++i) Doc.Edit(Doc.Bot(i), [](TBotCharacter& bot) { bot.SetTactics(1.5); });
  Doc.Save(Dir.file("open.upl"));
  Doc.Load(Dir.file("open.upl"));
  const TBotCharacter& b = Doc.Bot(0);
  EXPECT_EQ(b.GetDefaultName(), "\"Bob");
  EXPECT_EQ(b.GetSpecies(), "xGame.SPECIES_Merc");
  EXPECT_EQ(b.GetMesh(), "Mercenary.Mth2");
  EXPECT_EQ(b.GetBodySkin(), "Merc.Body");
  EXPECT_EQ(b.GetFaceSkin(), "Merc.Face");
  EXPECT_EQ(b.GetPortrait(), "Merc.Pic");
  EXPECT_EQ(b.GetAccuracy(), 0.5);
  EXPECT_EQ(b.GetTactics(), 1.5);
  EXPECT_EQ(b.GetMenu(), "SP");
  const TBotCharacter& m = Doc.Bot(1);
  EXPECT_EQ(m.GetMesh(), "HumanMaleA.MercMaleD");
  EXPECT_EQ(m.GetStrafingAbility(), 2);
  EXPECT_EQ(m.GetMenu(), "MALCOLM");
  EXPECT_TRUE(Doc.Lines()[2].ends_with(",Race=\"ThunderCrash\",BotUse=1)")) << Doc.Lines()[2];
}

TEST_F(RosterDocumentTest, ANameIsRefusedOnlyWhenItsLineCouldNotGiveItBack) {
  const std::vector<std::string> kept = {"Smith, John", "Zo\xEB", "a=b", "(x)"};
  for (const std::string& name : kept) {
    EXPECT_FALSE(roster::BotNameError(name)) << name;
    Doc.Rename(Doc.Add(), name);
  }
  Doc.Save(Dir.file("names.upl"));
  TRosterDocument back;
  back.Load(Dir.file("names.upl"));
  ASSERT_EQ(back.Count(), 4);
  for (int i = 0; i < back.Count(); ++i) EXPECT_EQ(back.Bot(i).GetDefaultName(), kept.at(static_cast<std::size_t>(i)));
  for (const char* name : {"a\"b", "two\rlines", "tab\t", "Smith, Mesh=x"})
    EXPECT_TRUE(roster::BotNameError(name)) << name;
}

// ---------------------------------------------------------------- layout

TEST_F(RosterDocumentTest, EveryOtherLineStaysAtItsPlace) {
  const std::string path = Dir.write(
      "mine.upl", "; my roster\r\n[Public]\r\n" + Line("A", ",Race=Orc , Jumpiness=+1.0") +
                      "\r\n;Player=(DefaultName=\"Old\")\n\n" + Line("B") + "\r\n" + Line("C") + "\r\n  notes: keep\r\n" +
                      Line("D") + "\r\n[Other]\r\nKey=Value\r\n\r\n");
  Doc.Load(path);
  ASSERT_EQ(Doc.Count(), 4);
  // changed: its own items first, then the unknown ones
  Doc.Edit(Doc.Bot(0), [](TBotCharacter& bot) { bot.SetAccuracy(1); });
  Doc.Delete(Doc.Bot(2));      // C: an empty line while something follows
  Doc.Delete(Doc.Bot(2));      // D: the last bot line, nothing of it left
  const TBotCharacter& added = Doc.Add();
  EXPECT_EQ(added.GetDefaultName(), "BOT3");
  Doc.Save(path);
  TBotCharacter a;
  a.SetPlayerLine(Line("A"));
  a.SetAccuracy(1);
  EXPECT_EQ(platform::ReadLines(path),
            (std::vector<std::string>{"; my roster", "[Public]",
                                      a.GetPlayerLine().substr(0, a.GetPlayerLine().size() - 1) +
                                          ",Race=Orc,Jumpiness=+1.0)",
                                      ";Player=(DefaultName=\"Old\")", "", Line("B"), "", "  notes: keep", "",
                                      added.GetPlayerLine(), "[Other]", "Key=Value", ""}));
  // Written once, the file is what the bots come from: a second save
  // writes the same bytes.
  const std::string first = platform::ReadFileBytes(path);
  Doc.Save(path);
  EXPECT_EQ(platform::ReadFileBytes(path), first);
  EXPECT_EQ(added.LineIndex, 9);
}

TEST_F(RosterDocumentTest, BotsAddedAcrossSavesStayOneRun) {
  const std::string path = Dir.write("alice.upl", "[Public]\r\n" + Line("Alice") + "\r\n");
  Doc.Load(path);
  Doc.Add();
  Doc.Save(path);
  Doc.Add();
  Doc.Save(path);
  const std::vector<std::string> lines{"[Public]", Line("Alice"), "", Doc.Bot(1).GetPlayerLine(),
                                       Doc.Bot(2).GetPlayerLine()};
  EXPECT_EQ(platform::ReadLines(path), lines);
  // Read again, they are the file's bots: the next one added starts a run.
  Doc.Load(path);
  Doc.Add();
  std::vector<std::string> next = lines;
  next.push_back("");
  next.push_back(Doc.Bot(3).GetPlayerLine());
  EXPECT_EQ(Doc.Lines(), next);
}

TEST_F(RosterDocumentTest, ARosterWithoutHeaderOrFileGetsOne) {
  Doc.New();
  EXPECT_TRUE(Doc.IsNewList());
  EXPECT_EQ(Doc.FileName(), Dir.file("System/NewList_1.Upl"));
  Doc.Add();
  EXPECT_EQ(Doc.Lines(), (std::vector<std::string>{"[Public]", "", Doc.Bot(0).GetPlayerLine()}));
  const std::string bare = Dir.write("bare.upl", Line("Zero") + "\n" + Line("One") + "\n");
  Doc.Load(bare);
  EXPECT_EQ(Doc.Lines(), (std::vector<std::string>{"[Public]", Line("Zero"), Line("One")}));
  // A header behind a byte-order mark is the header.
  Doc.Load(Dir.write("bom.upl", "\xEF\xBB\xBF[Public]\r\n" + Line("Zero") + "\r\n"));
  EXPECT_EQ(Doc.Lines(), (std::vector<std::string>{"\xEF\xBB\xBF[Public]", Line("Zero")}));
}

// ---------------------------------------------------------------- modified

TEST_F(RosterDocumentTest, OneRuleForModifiedAndObserversHearEveryChange) {
  TRecorder seen;
  seen.Doc = &Doc;
  Doc.AddObserver(seen);
  Doc.Load(Dir.write("two.upl", "[Public]\r\n" + Line("A") + "\r\n" + Line("B") + "\r\n"));
  EXPECT_FALSE(Doc.Modified());
  const TBotCharacter& a = Doc.Bot(0);
  Doc.Edit(a, [](TBotCharacter&) {});  // told, but nothing changed
  EXPECT_FALSE(Doc.Modified());
  Doc.Edit(a, [](TBotCharacter& bot) { bot.SetDefaultName("a"); });  // letter case alone is a change
  EXPECT_TRUE(Doc.Modified());
  Doc.Save(Dir.file("two.upl"));
  Doc.Rename(a, "Alpha");
  EXPECT_EQ(Doc.Key(0), "Alpha");
  EXPECT_EQ(Doc.Find("ALPHA"), 0);
  Doc.Paste(Doc.Bot(1), Line("Gamma"));
  EXPECT_EQ(Doc.Key(1), "Gamma");
  Doc.PasteAsNew(Line("Delta"));
  Doc.Delete(Doc.Bot(1));
  EXPECT_EQ(seen.Heard, (std::vector<std::string>{"replaced", "modified", "changed a", "saved", "modified",
                                                  "changed Alpha", "changed Gamma", "added Delta",
                                                  "deleted Gamma at 1"}));
  Doc.RemoveObserver(seen);
  Doc.Clear();
  EXPECT_EQ(seen.Heard.size(), 9u);
  EXPECT_FALSE(Doc.Modified());
}

TEST_F(RosterDocumentTest, EveryBotOfARosterEditedKeepsItsPlaceAsBotsComeAndGo) {
  // Select all, then one skill typed: every bot of the roster is told of.
  std::string text = "[Public]\r\n";
  for (int i = 0; i < 1000; ++i) text += Line("Bot" + std::to_string(i)) + "\r\n";
  Doc.Load(Dir.write("long.upl", text));
  for (int i = 0; i < Doc.Count(); ++i) {
    Doc.Edit(Doc.Bot(i), [](TBotCharacter& bot) { bot.SetTactics(1); });
    ASSERT_EQ(Doc.IndexOf(Doc.Bot(i)), i);
  }
  EXPECT_TRUE(Doc.Modified());
  // Places stay right as bots come and go.
  const TBotCharacter& third = Doc.Bot(2);
  Doc.Delete(Doc.Bot(1));
  EXPECT_EQ(Doc.IndexOf(third), 1);
  const TBotCharacter& added = Doc.Add();
  EXPECT_EQ(Doc.IndexOf(added), Doc.Count() - 1);
  Doc.Load(Dir.write("short.upl", "[Public]\r\n" + Line("A") + "\r\n"));
  EXPECT_EQ(Doc.IndexOf(Doc.Bot(0)), 0);
}

TEST_F(RosterDocumentTest, AFailedSaveChangesNothing) {
  Doc.Load(Dir.write("one.upl", "[Public]\r\n" + Line("A") + "\r\n"));
  Doc.Edit(Doc.Bot(0), [](TBotCharacter& bot) { bot.SetTactics(1); });
  const std::vector<std::string> lines = Doc.Lines();
  EXPECT_THROW(Doc.Save(Dir.file("no/such/folder/x.upl")), platform::EFileError);
  EXPECT_TRUE(Doc.Modified());
  EXPECT_EQ(Doc.FileName(), Dir.file("one.upl"));
  EXPECT_EQ(Doc.Lines(), lines);
  // The game's own roster is refused, present or not, however it is spelled.
  std::filesystem::create_directories(Dir.file("System"));
  EXPECT_THROW(Doc.Save(Dir.file("System/XPLAYERSL1.UPL")), roster::ERosterError);
  EXPECT_THROW(Doc.Save(Dir.file("System/../System/xplayersL1.upl")), roster::ERosterError);
  EXPECT_FALSE(std::filesystem::exists(Dir.file("System/xplayersL1.upl")));
  EXPECT_TRUE(Doc.Modified());
}

// ---------------------------------------------------------------- not a roster

struct TRefusedCase {
  const char* Name;
  std::string Bytes;
  const char* Message;  // a part of it
};

void PrintTo(const TRefusedCase& file, std::ostream* out) { *out << file.Name; }

class RefusedFileTest : public RosterDocumentTest, public ::testing::WithParamInterface<TRefusedCase> {};

TEST_P(RefusedFileTest, IsRefusedAndTheRosterStays) {
  Doc.Load(Dir.write("good.upl", "[Public]\r\n" + Line("Kept") + "\r\n"));
  const std::string bad = Dir.write("bad.upl", GetParam().Bytes);
  try {
    Doc.Load(bad);
    FAIL() << "opened";
  } catch (const roster::ERosterError& e) {
    EXPECT_NE(std::string(e.what()).find(GetParam().Message), std::string::npos) << e.what();
  }
  EXPECT_EQ(Doc.FileName(), Dir.file("good.upl"));
  ASSERT_EQ(Doc.Count(), 1);
  EXPECT_EQ(Doc.Bot(0).GetDefaultName(), "Kept");
}

INSTANTIATE_TEST_SUITE_P(
    NotARoster, RefusedFileTest,
    ::testing::Values(
        TRefusedCase{"Package", std::string("\xC1\x83\x2A\x9E\x7F\x00\x00\x00\x1D\x00", 10) + "Texture\0P8",
                     "Unreal package"},
        // A name of the package's own that happens to begin a line with
        // "Player" makes it no roster either.
        TRefusedCase{"PackageWithAPlayerName",
                     std::string("\xC1\x83\x2A\x9E\x80\x00\x1D\x00\n", 9) + std::string("Player ID\0[\x10=", 13),
                     "Unreal package"},
        TRefusedCase{"Utf16", std::string("\xFF\xFE[\0P\0u\0b\0", 10), "UTF-16"},
        TRefusedCase{"NotesOnly", "just some notes\r\n", "no [Public]"},
        TRefusedCase{"BadNumber", "[Public]\r\n" + Line("Fine") + "\r\nPlayer=(DefaultName=\"Bad\",Tactics+1.0)\r\n",
                     "Bot \"Bad\" on line 3 has an item that cannot be read:\rTactics+1.0\r"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(RosterDocumentTest, NoRealPackageOpensAsARoster) {
  REQUIRE_REALDATA("pkg");
  for (const auto& entry : std::filesystem::recursive_directory_iterator(RealDataPath("pkg"))) {
    if (!entry.is_regular_file()) continue;
    EXPECT_THROW(Doc.Load(entry.path().string()), roster::ERosterError) << entry.path();
  }
  EXPECT_EQ(Doc.Count(), 0);
}

TEST_F(RosterDocumentTest, AnUnreadableNumberOnAHugeLineIsQuotedInShort) {
  // A message box lays out every character it is given: megabytes of one
  // line keep it from showing for minutes.
  const std::string name(3000000, 'n');
  const std::string number(3000000, '7');
  try {
    Doc.Load(Dir.write("huge.upl", "[Public]\r\nPlayer=(DefaultName=\"" + name + "\",Tactics=" + number + "x)\r\n"));
    FAIL() << "opened";
  } catch (const roster::ERosterError& e) {
    const std::string message = e.what();
    EXPECT_LT(message.size(), 1000u);
    EXPECT_NE(message.find("Bot \"nnnnnnnn"), std::string::npos);
    EXPECT_NE(message.find("on line 2 has an item that cannot be read:\rTactics=7777"), std::string::npos);
    EXPECT_TRUE(message.ends_with("7x' is not a valid floating point value")) << message.substr(message.size() - 80);
  }
}

TEST_F(RosterDocumentTest, AnEmptyFileIsAnEmptyRosterAndANumberMayBeReplaced) {
  Doc.Load(Dir.write("empty.upl", ""));
  EXPECT_EQ(Doc.Count(), 0);
  AnswerInputBoxes({"1.0"});
  Doc.Load(Dir.write("odd.upl", "[Public]\r\nPlayer=(DefaultName=\"Odd\",Tactics+1.0,Race=Orc)\r\n" + Line("Even") +
                                    "\r\n"));
  // The question says which of the roster's bots, items and lines it is about.
  ASSERT_EQ(asked_, std::vector<std::string>{
                        "Illegal floating-point value detected!|Bot: Odd\rItem: Tactics+1.0\rLine: 2\r\rValue :|Tactics+1.0"});
  EXPECT_EQ(Doc.Bot(0).GetTactics(), 1.0);
  // The number the user gave is a change still to be saved, and the save
  // writes it; the bot read without a question stays as it was.
  EXPECT_TRUE(Doc.Modified());
  TBotCharacter odd;
  odd.SetPlayerLine("(DefaultName=\"Odd\",Tactics=1.0)");
  const std::string written = odd.GetPlayerLine();
  EXPECT_EQ(Doc.Lines(), (std::vector<std::string>{"[Public]", written.substr(0, written.size() - 1) + ",Race=Orc)",
                                                   Line("Even")}));
}

TEST_F(RosterDocumentTest, AnEditThatRaisesHalfWayIsStillKnown) {
  TRecorder seen;
  seen.Doc = &Doc;
  Doc.Load(Dir.write("one.upl", "[Public]\r\n" + Line("A") + "\r\n"));
  Doc.AddObserver(seen);
  const auto halfWay = [](TBotCharacter& bot) {
    bot.SetTactics(1);
    throw std::runtime_error("no more");
  };
  EXPECT_THROW(Doc.Edit(Doc.Bot(0), halfWay), std::runtime_error);
  // What did change is written and heard of, as any other edit.
  EXPECT_TRUE(Doc.Modified());
  EXPECT_EQ(seen.Heard, (std::vector<std::string>{"modified", "changed A"}));
  EXPECT_NE(Doc.Lines()[1].find("Tactics=+1.0"), std::string::npos) << Doc.Lines()[1];
  Doc.RemoveObserver(seen);
}

}  // namespace
