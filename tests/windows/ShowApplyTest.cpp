// Showing a bot in the controls and writing back only what the user chose.

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>

#include "MainFormFixture.h"

using namespace testing_support;
using windows::TModalResult;

namespace {

const std::string Question =
    "Not every item in the next list could be found!\r\rPlayermodel = Custom.Mesh\rProceed anyway ?\r\r"
    "(No = Manual package search, Cancel = quit program)";

std::vector<std::string> PlayerLines(const windows::TFmMainForm& form) {
  std::vector<std::string> lines;
  for (int i = 0; i < form.BotCount(); ++i) lines.push_back(form.Bot(i).GetPlayerLine());
  return lines;
}

}  // namespace

using ShowApply = MainFormTest;

TEST_F(ShowApply, MissingReferencesHarvestFirstThenAskWithThreeAnswers) {
  std::string custom = BotLine("Custom");
  custom.replace(custom.find("Jugg.JuggMaleA"), 14, "Custom.Mesh");
  WriteRoster({"[Public]", custom, BotLine("Plain")});
  Dialogs.Answers = {TModalResult::mrYes};
  ASSERT_TRUE(Start());
  // The unseen harvest ran once before the question came.
  EXPECT_EQ(Form->Harvests, 1);
  EXPECT_EQ(Form->MissingCount(), 2);
  ASSERT_EQ(Dialogs.Messages(), std::vector<std::string>{Question});
  EXPECT_EQ(Dialogs.Asked[0].Type, windows::TMsgDlgType::mtError);
  EXPECT_EQ(Dialogs.Asked[0].Buttons, windows::mbYes | windows::mbNo | windows::mbCancel);
  EXPECT_EQ(Control<QComboBox>(*Form, "cbMesh")->currentIndex(), -1);  // not another mesh's row

  // Away and back: the missing mesh is not replaced by the row shown.
  Click(1);
  EXPECT_EQ(Form->Bot(0).GetMesh(), "Custom.Mesh");
  EXPECT_FALSE(Form->Modified());

  // No: the configuration window, then the question once more.
  Dialogs.Answers = {TModalResult::mrNo, TModalResult::mrYes};
  Click(0);
  EXPECT_EQ(Form->ConfigWindows, 1);
  EXPECT_EQ(Dialogs.Messages().size(), 3u);
  EXPECT_EQ(Form->Harvests, 1);

  // A user's own choice is written, also into that control.
  Pick(Control<QComboBox>(*Form, "cbMesh"), 1);
  EXPECT_EQ(Form->Bot(0).GetMesh(), "Aliens.AlienFemaleB");
}

TEST_F(ShowApply, CancelOnTheMissingItemsQuitsButAsksFirstOverUnsavedEdits) {
  std::string custom = BotLine("Custom");
  custom.replace(custom.find("Jugg.JuggMaleA"), 14, "Custom.Mesh");
  WriteRoster({"[Public]", custom, custom, BotLine("Plain")});
  Dialogs.Answers = {TModalResult::mrYes};
  ASSERT_TRUE(Start());
  // Nothing unsaved: 405 at once.
  Dialogs.Answers = {TModalResult::mrCancel};
  Click(1);
  EXPECT_EQ(Dialogs.ExitCode, 405);
  EXPECT_EQ(Dialogs.Messages().size(), 2u);
  Dialogs.ExitCode.reset();

  // Unsaved edits: Exit's question, No by default; No goes on with them.
  Click(2);
  SendKey(Control<QSpinBox>(*Form, "edTactics"), Qt::Key_Up);
  Dialogs.Answers = {TModalResult::mrCancel, TModalResult::mrNo};
  Click(0);
  EXPECT_FALSE(Dialogs.ExitCode);
  EXPECT_EQ(Dialogs.Asked.back().Text, "Botlist has changed, but it has not been saved.  Exit now?");
  EXPECT_EQ(Dialogs.Asked.back().DefaultButton, windows::mbNo);
  EXPECT_EQ(Form->CurrentBot(), &Form->Bot(0));
  EXPECT_EQ(Form->Bot(2).GetTactics(), 0.05);
  Dialogs.Answers = {TModalResult::mrCancel, TModalResult::mrYes};
  Click(1);
  EXPECT_EQ(Dialogs.ExitCode, 405);
}

TEST_F(ShowApply, AHugeMissingReferenceIsQuotedInShort) {
  // Megabytes of one reference would keep the question from showing for
  // minutes: it names the reference by its beginning and end.
  const std::string huge = "Custom." + std::string(3000000, 'm') + ".End";
  std::string custom = BotLine("Custom");
  custom.replace(custom.find("Jugg.JuggMaleA"), 14, huge);
  WriteRoster({"[Public]", custom, BotLine("Plain")});
  Dialogs.Answers = {TModalResult::mrYes};
  ASSERT_TRUE(Start());
  ASSERT_EQ(Dialogs.Messages().size(), 1u);
  const std::string question = Dialogs.Messages()[0];
  EXPECT_LT(question.size(), 1000u);
  EXPECT_NE(question.find("\rPlayermodel = Custom.mmm"), std::string::npos);
  EXPECT_NE(question.find("mmm.End\rProceed anyway ?"), std::string::npos);
  EXPECT_EQ(Form->Bot(0).GetMesh(), huge);
}

TEST_F(ShowApply, ShownValuesFollowTheRowRules) {
  WriteRoster({"[Public]", BotLine("Plain"),
               "Player=(DefaultName=\"Odd\",Species=Nowhere.SPECIES_X,Sex=,Menu=\"\",Accuracy=+0.125,"
               "Text=XPlayers.Gorge,bJumpy=1,FavoriteWeapon=XWeapons.FlakCannon)",
               "Player=(DefaultName=\"Loud\",Species=XGAME.SPECIES_JUGG,Mesh=jugg.juggmalea,Text=xplayers.gorge)"});
  Dialogs.DefaultAnswer = TModalResult::mrYes;
  ASSERT_TRUE(Start());
  EXPECT_EQ(Control<QComboBox>(*Form, "cbMenu")->currentText(), "SP");
  EXPECT_EQ(Control<QComboBox>(*Form, "cbMenu")->currentIndex(), 1);
  EXPECT_EQ(Control<QComboBox>(*Form, "cbSpecies")->currentText(), "Juggernaut");
  EXPECT_EQ(Control<QPlainTextEdit>(*Form, "meBio")->toPlainText(), "Big\nGreen");
  EXPECT_EQ(Control<QSpinBox>(*Form, "edAggressiveness")->value(), 30);
  EXPECT_EQ(Control<QSpinBox>(*Form, "edCombatStyle")->value(), 20);

  const std::vector<std::string> before = PlayerLines(*Form);
  Click(1);
  // A value the list cannot show is no row, neither a placeholder nor
  // another value; an empty sex is not reported.
  EXPECT_EQ(Control<QComboBox>(*Form, "cbSpecies")->currentIndex(), -1);
  EXPECT_EQ(Control<QComboBox>(*Form, "cbSex")->currentIndex(), -1);
  EXPECT_EQ(Control<QComboBox>(*Form, "cbMenu")->currentIndex(), 0);
  EXPECT_EQ(Control<QComboBox>(*Form, "cbFavoriteWeapon")->currentText(), "Flak Cannon");
  EXPECT_TRUE(Control<QCheckBox>(*Form, "cbJumpy")->isChecked());
  EXPECT_EQ(Control<QSpinBox>(*Form, "edAccuracy")->value(), 12);  // 12.5 to even
  ASSERT_FALSE(Dialogs.Messages().empty());
  EXPECT_NE(Dialogs.Messages().back().find("\rSpecies = Nowhere.SPECIES_X"), std::string::npos);
  EXPECT_EQ(Dialogs.Messages().back().find("Sex ="), std::string::npos);
  Click(2);
  EXPECT_EQ(Control<QComboBox>(*Form, "cbSpecies")->currentText(), "Juggernaut");  // found without regard to case
  EXPECT_EQ(Control<QComboBox>(*Form, "cbMesh")->currentText(), "JuggMaleA");
  Click(0);
  // Looking changed nothing, not even the letter case: no species, sex or skill was made up.
  EXPECT_EQ(PlayerLines(*Form), before);
  EXPECT_FALSE(Form->Modified());
}

TEST_F(ShowApply, RefillingThePickListsLeavesEveryBotAsItWas) {
  std::string bot = BotLine("Second", "Voice=xGame.RobotVoice,");
  bot.replace(bot.find("Menu=\"SP\""), 9, "Menu=\"DUP\"");
  WriteRoster({"[Public]", BotLine("First"), bot, BotLine("Third")});
  ASSERT_TRUE(Start());
  Click(1);
  const std::vector<std::string> before = PlayerLines(*Form);
  // The value-list file is read once a run; what moves within a run are
  // the biographies of the .int files. Two more sort in front of the
  // game's own, so every biography row moves under the shown bot.
  Dir.write("More/Abc.int", "[DecoText]\r\nOne=\"1\"\r\nTwo=\"2\"\r\n");
  Dialogs.DefaultAnswer = TModalResult::mrYes;
  Form->InitValueLists(Dir.file("More"));
  ASSERT_EQ(Control<QComboBox>(*Form, "cbText")->findText("XPlayers.Gorge"), 3);
  Form->FillCombos();
  for (int i = 0; i < Form->BotCount(); ++i) Click(i);
  Click(1);
  EXPECT_EQ(PlayerLines(*Form), before);
  EXPECT_FALSE(Form->Modified());
  EXPECT_EQ(Control<QComboBox>(*Form, "cbMesh")->currentText(), "JuggMaleA");
  EXPECT_EQ(Control<QComboBox>(*Form, "cbSex")->currentText(), "Male");
  EXPECT_EQ(Control<QComboBox>(*Form, "cbText")->currentText(), "XPlayers.Gorge");
}
