// Start-up: the command line, the game folder question, the first roster,
// and the value-list file of the very first start.

#include <algorithm>
#include <regex>
#include <set>

#include <QSpinBox>
#include <QTabWidget>

#include "MainFormFixture.h"
#include "platform/Files.h"
#include "windows/PuBuiltInTables.h"

using namespace testing_support;
using windows::TModalResult;
using windows::TMsgDlgType;

using StartUp = MainFormTest;

TEST_F(StartUp, MissingGameFolderIsAskedForThenEndsWith404) {
  const std::string missing = Dir.file("NoGame");
  Dialogs.Inputs = {Dir.file("StillNoGame"), std::nullopt};
  Form = std::make_unique<TTestForm>(Dialogs, std::vector<std::string>{"/opt/Rosterwell", "/s" + missing});
  EXPECT_FALSE(Form->FormCreate());
  ASSERT_EQ(Dialogs.Asked.size(), 3u);
  EXPECT_EQ(Dialogs.Asked[0].Text, "UT 2003 directory not found");
  EXPECT_EQ(Dialogs.Asked[0].Extra, "Specify location of UT2003|" + missing);
  EXPECT_EQ(Dialogs.Asked[1].Extra, "Specify location of UT2003|" + Dir.file("StillNoGame"));
  EXPECT_EQ(Dialogs.Asked[2].Text, "Can't locate directory :\r" + Dir.file("StillNoGame") + "\rTerminating program.");
  EXPECT_EQ(Dialogs.Asked[2].Type, TMsgDlgType::mtError);
  EXPECT_EQ(Dialogs.ExitCode, 404);
}

TEST_F(StartUp, FolderTypedIntoTheQuestionIsUsed) {
  WriteRoster({"[Public]", BotLine("Gorge")});
  Dialogs.Inputs = {System};
  Form = std::make_unique<TTestForm>(Dialogs, std::vector<std::string>{"/opt/Rosterwell", "/s", "/i" + Ini});
  ASSERT_TRUE(Form->FormCreate());
  EXPECT_EQ(Form->SystemDir(), System);
  EXPECT_EQ(Form->BotCount(), 1);
}

TEST_F(StartUp, SwitchesCountOnlyAtTheStartOfAParameter) {
  WriteRoster({"[Public]", BotLine("Gorge")}, "mine.upl");
  // Paths hold "/s", "/f" and "/i" inside; only the last three parameters
  // are switches, and a later one overrides an earlier one.
  ASSERT_TRUE(Start({"/usr/share/fonts/inifile", "/fnowhere.upl", "/f" + System + "/mine.upl"}));
  EXPECT_EQ(Form->SystemDir(), System);
  EXPECT_EQ(Form->IniFileName(), Ini);
  EXPECT_EQ(Form->FileName(), System + "/mine.upl");
  EXPECT_TRUE(Dialogs.Asked.empty());
}

TEST_F(StartUp, MissingOrEmptyRosterAsksAndNoEndsWith404) {
  for (bool empty : {false, true}) {
    if (empty) WriteRoster({"[Public]", "; no bots"});
    Dialogs = TFakeDialogs();
    Dialogs.Answers = {TModalResult::mrNo};
    EXPECT_FALSE(Start());
    ASSERT_EQ(Dialogs.Messages().size(), 1u);
    EXPECT_EQ(Dialogs.Messages()[0],
              "File was not found or empty.\r\r\"" + System + "/xplayersL1.upl\"\r\rContinue with new botlist ?");
    EXPECT_EQ(Dialogs.Asked[0].Type, TMsgDlgType::mtWarning);
    EXPECT_EQ(Dialogs.Asked[0].Buttons, windows::mbYes | windows::mbNo);
    EXPECT_EQ(Dialogs.ExitCode, 404);
  }
}

TEST_F(StartUp, YesToTheEmptyRosterQuestionMakesANewRosterWithOneBot) {
  Dialogs.Answers = {TModalResult::mrYes};
  ASSERT_TRUE(Start());
  EXPECT_FALSE(Dialogs.ExitCode);
  ASSERT_EQ(Form->BotCount(), 1);
  EXPECT_EQ(Form->Bot(0).GetDefaultName(), "BOT1");
  EXPECT_EQ(Form->FileName(), System + "/NewList_1.Upl");
  EXPECT_TRUE(Form->IsNewList());
  EXPECT_TRUE(Form->Modified());
  EXPECT_TRUE(Form->windowTitle().endsWith(" - BOT1 *"));
  EXPECT_EQ(Control<QTabWidget>(*Form, "PageControl1")->currentWidget(), Control<QWidget>(*Form, "tsSkills"));
}

TEST_F(StartUp, BlankValueListNameReportsTheFailedWriteAndGoesOn) {
  WriteRoster({"[Public]", BotLine("Gorge")});
  Form = std::make_unique<TTestForm>(Dialogs, std::vector<std::string>{"/opt/Rosterwell", "/s" + System, "/i"});
  ASSERT_TRUE(Form->FormCreate());
  EXPECT_EQ(Form->IniFileName(), "");
  ASSERT_EQ(Dialogs.Messages().size(), 1u);
  EXPECT_EQ(Dialogs.Asked[0].Type, TMsgDlgType::mtError);
  EXPECT_EQ(Form->BotCount(), 1);  // the roster was still loaded
  EXPECT_EQ(Form->Lists().Meshes.Count(), 31);
}

TEST_F(StartUp, FirstStartWritesTheBuiltInTablesAndTheNextStartShowsTheSame) {
  WriteRoster({"[Public]", BotLine("Gorge")});
  ASSERT_TRUE(Start());
  EXPECT_EQ(Form->ContentChecks, 1);
  const std::vector<std::string> file = Lines(Ini);
  std::vector<std::string> headers;
  for (const std::string& line : file)
    if (!line.empty() && line.front() == '[') headers.push_back(line);
  // No ragdoll section while the ragdoll list is empty.
  EXPECT_EQ(headers, (std::vector<std::string>{"[FSex]", "[FMenu]", "[FWeapons]", "[FMeshes]", "[FSkins]", "[FFaces]",
                                               "[FPortraits]", "[FVoice]", "[FSpecies]", "[FSkeleton]"}));
  EXPECT_EQ(Section(file, "FSex"), (std::vector<std::string>{"Male=Male", "Female=Female"}));
  EXPECT_EQ(Section(file, "FMenu"), (std::vector<std::string>{"-=-", "SP=SP", "DUP=DUP", "UNLOCK=UNLOCK"}));
  // Only exact "Engine.Weapon" objects; a blank item name shows the name.
  EXPECT_EQ(Section(file, "FWeapons"),
            (std::vector<std::string>{"XWeapons.FlakCannon=Flak Cannon", "XWeapons.LinkGun=XWeapons.LinkGun"}));
  const std::vector<std::string> meshes = Section(file, "FMeshes");
  ASSERT_EQ(meshes.size(), 31u);
  EXPECT_EQ(meshes.front(), "Aliens.AlienFemaleA=AlienFemaleA");
  EXPECT_EQ(Section(file, "FSkins").size(), 82u);
  EXPECT_EQ(Section(file, "FFaces").size(), 51u);
  EXPECT_EQ(Section(file, "FPortraits").size(), 51u);
  const std::vector<std::string> voices = Section(file, "FVoice");
  ASSERT_EQ(voices.size(), 9u);
  EXPECT_EQ(voices.front(), "xGame.AlienMaleVoice=AlienMaleVoice");
  EXPECT_EQ(voices.back(), "xGame.RobotVoice=RobotVoice");
  const std::vector<std::string> species = Section(file, "FSpecies");
  ASSERT_EQ(species.size(), 7u);
  EXPECT_EQ(species[4], "xGame.SPECIES_Jugg=Juggernaut");
  EXPECT_EQ(species[0], "xGame.SpeciesType=SpeciesType");
  EXPECT_EQ(Rows(Control<QComboBox>(*Form, "cbSkeleton")),
            (std::vector<std::string>{"- no Skeleton -", "Skeleton_Alien", "Skeleton_Female", "SkeletonMale",
                                      "SkeletonJugg"}));
  EXPECT_EQ(Rows(Control<QComboBox>(*Form, "cbMenu")), (std::vector<std::string>{"-", "SP", "DUP", "UNLOCK"}));
  EXPECT_EQ(Rows(Control<QComboBox>(*Form, "cbFavoriteWeapon")),
            (std::vector<std::string>{"- no favourite -", "Flak Cannon", "XWeapons.LinkGun"}));
  EXPECT_EQ(Rows(Control<QComboBox>(*Form, "cbText")),
            (std::vector<std::string>{"XPlayers.Default", "XPlayers.Gorge"}));
  EXPECT_EQ(Rows(Control<QComboBox>(*Form, "cbRagDoll")), (std::vector<std::string>{"- no ragdoll -"}));

  std::vector<std::vector<std::string>> first;
  for (QComboBox* combo : Form->findChildren<QComboBox*>()) first.push_back(Rows(combo));
  const std::string written = platform::ReadFileBytes(Ini);
  Form.reset();
  ASSERT_TRUE(Start());
  EXPECT_EQ(Form->ContentChecks, 0);
  std::vector<std::vector<std::string>> second;
  for (QComboBox* combo : Form->findChildren<QComboBox*>()) second.push_back(Rows(combo));
  EXPECT_EQ(first, second);
  EXPECT_EQ(platform::ReadFileBytes(Ini), written);  // reading wrote nothing
}

TEST_F(StartUp, StoredListsAreReadByTheirOwnRules) {
  WriteRoster({"[Public]", BotLine("Gorge")});
  Dir.write("Rosterwell.INI",
            "[TEMPLATES]\r\nFast=Player=(DefaultName=\"Fast\")\r\n[FMeshes]\r\nJugg.JuggMaleA=JuggMaleA\r\n"
            "Jugg.JuggMaleA=JuggMaleA\r\n[FMenu]\r\nSP=Single player\r\n[FSpecies]\r\nxGame.SPECIES_Jugg=x\r\n"
            "Gone.SPECIES_Lost=Lost\r\n[FRagdoll]\r\nBot.Rag=Rag\r\n[FSex]\r\nMale=Male\r\n");
  Dialogs.DefaultAnswer = TModalResult::mrYes;  // Gorge's skins are not listed
  ASSERT_TRUE(Start());
  EXPECT_EQ(Form->Lists().Meshes.Lines(), std::vector<std::string>{"Jugg.JuggMaleA=JuggMaleA"});
  // Menu and species take the keys only; a species whose .int file is not
  // there is dropped.
  EXPECT_EQ(Form->Lists().Menu.Lines(), std::vector<std::string>{"SP=SP"});
  EXPECT_EQ(Form->Lists().Species.Lines(), std::vector<std::string>{"xGame.SPECIES_Jugg=Juggernaut"});
  EXPECT_EQ(Form->Lists().RagDoll.Lines(), std::vector<std::string>{"Bot.Rag=Rag"});
  // Writing the lists back leaves the templates alone.
  Form->SaveValueLists();
  const std::vector<std::string> file = Lines(Ini);
  EXPECT_EQ(std::count(file.begin(), file.end(), "Fast=Player=(DefaultName=\"Fast\")"), 1);
  EXPECT_EQ(std::count(file.begin(), file.end(), "Gone.SPECIES_Lost=Lost"), 0);
}

// The stock tables are long hand-written lists: each must follow the 27
// stock models the mesh table names, so a slip in one row shows here.
TEST(BuiltInTables, RowsFollowTheStockModels) {
  const std::vector<std::string>& meshes = windows::BuiltInMeshes();
  ASSERT_EQ(meshes.size(), 31u);
  std::vector<std::string> models;
  for (std::size_t i = 0; i < 27; ++i) models.push_back(meshes[i].substr(meshes[i].find('.') + 1));
  std::sort(models.begin(), models.end());
  EXPECT_EQ(std::vector<std::string>(meshes.begin() + 27, meshes.end()), windows::BuiltInSkeletons());

  const std::vector<std::string>& skins = windows::BuiltInBodySkins();
  ASSERT_EQ(skins.size(), 82u);
  EXPECT_EQ(skins[27], "PlayerSkins.Human_Skeleton");
  for (std::size_t i = 0; i < 27; ++i) {
    const bool final = models[i] == "AlienFemaleB" || models[i] == "NightMaleB";
    EXPECT_EQ(skins[i], "PlayerSkins." + models[i] + (final ? "BodyFinalA" : "BodyA"));
    EXPECT_EQ(skins[28 + i], skins[i] + "_0");
    EXPECT_EQ(skins[55 + i], skins[i] + "_1");
  }
  // Every face and portrait belongs to a stock model; every model has a face.
  const auto owners = [&](const std::vector<std::string>& rows, const std::string& prefix, const std::string& tail) {
    std::set<std::string> owned;
    for (const std::string& row : rows) {
      const auto model = std::find_if(models.begin(), models.end(), [&](const std::string& m) {
        return row.rfind(prefix + m, 0) == 0 && std::regex_match(row.substr(prefix.size() + m.size()), std::regex(tail));
      });
      EXPECT_NE(model, models.end()) << row;
      if (model != models.end()) owned.insert(*model);
    }
    return owned.size();
  };
  EXPECT_EQ(windows::BuiltInFaceSkins().size(), 51u);
  EXPECT_EQ(owners(windows::BuiltInFaceSkins(), "PlayerSkins.", "Head[AB](Final)?"), 27u);
  EXPECT_EQ(windows::BuiltInPortraits().size(), 51u);
  owners(windows::BuiltInPortraits(), "PlayerPictures.c", "[A-D]");
}
