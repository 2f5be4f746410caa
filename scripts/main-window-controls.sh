#!/bin/sh
# Rewrites window tests that reached into the main window's widget pointers
# (Form->edTactics, form.acSaveBotlist, f.pmTemplates) to find the widget by
# its object name through Control<T> (tests/windows/MainFormControls.h):
#   Form->edTactics   ->  Control<QSpinBox>(*Form, "edTactics")
#   form.acAddBot     ->  Control<QAction>(form, "acAddBot")
# Control returns a pointer, so what followed (->value(), a pointer argument)
# stays as it was.
# Usage: scripts/main-window-controls.sh tests/windows/SomeTest.cpp ...
# Lines grown past 120 columns are wrapped afterwards with
#   git clang-format --style='{BasedOnStyle: Google, ColumnLimit: 120}' -- tests/windows
# Tests that do not include MainFormFixture.h need
# #include "MainFormControls.h" and `using testing_support::Control;`.
set -e
for file in "$@"; do
  sed -E -i \
    -e 's/\b(Form|form|f)->lbBotList\b/Control<windows::TBotListBox>(*\1, "lbBotList")/g' \
    -e 's/\b(form|f)\.lbBotList\b/Control<windows::TBotListBox>(\1, "lbBotList")/g' \
    -e 's/\b(Form|form|f)->gbBotlist\b/Control<QGroupBox>(*\1, "gbBotlist")/g' \
    -e 's/\b(form|f)\.gbBotlist\b/Control<QGroupBox>(\1, "gbBotlist")/g' \
    -e 's/\b(Form|form|f)->PageControl1\b/Control<QTabWidget>(*\1, "PageControl1")/g' \
    -e 's/\b(form|f)\.PageControl1\b/Control<QTabWidget>(\1, "PageControl1")/g' \
    -e 's/\b(Form|form|f)->tsSkills\b/Control<QWidget>(*\1, "tsSkills")/g' \
    -e 's/\b(form|f)\.tsSkills\b/Control<QWidget>(\1, "tsSkills")/g' \
    -e 's/\b(Form|form|f)->tsBio\b/Control<QWidget>(*\1, "tsBio")/g' \
    -e 's/\b(form|f)\.tsBio\b/Control<QWidget>(\1, "tsBio")/g' \
    -e 's/\b(Form|form|f)->edAggressiveness\b/Control<QSpinBox>(*\1, "edAggressiveness")/g' \
    -e 's/\b(form|f)\.edAggressiveness\b/Control<QSpinBox>(\1, "edAggressiveness")/g' \
    -e 's/\b(Form|form|f)->edCombatStyle\b/Control<QSpinBox>(*\1, "edCombatStyle")/g' \
    -e 's/\b(form|f)\.edCombatStyle\b/Control<QSpinBox>(\1, "edCombatStyle")/g' \
    -e 's/\b(Form|form|f)->edStrafingAbility\b/Control<QSpinBox>(*\1, "edStrafingAbility")/g' \
    -e 's/\b(form|f)\.edStrafingAbility\b/Control<QSpinBox>(\1, "edStrafingAbility")/g' \
    -e 's/\b(Form|form|f)->edTactics\b/Control<QSpinBox>(*\1, "edTactics")/g' \
    -e 's/\b(form|f)\.edTactics\b/Control<QSpinBox>(\1, "edTactics")/g' \
    -e 's/\b(Form|form|f)->edReactionTime\b/Control<QSpinBox>(*\1, "edReactionTime")/g' \
    -e 's/\b(form|f)\.edReactionTime\b/Control<QSpinBox>(\1, "edReactionTime")/g' \
    -e 's/\b(Form|form|f)->edAccuracy\b/Control<QSpinBox>(*\1, "edAccuracy")/g' \
    -e 's/\b(form|f)\.edAccuracy\b/Control<QSpinBox>(\1, "edAccuracy")/g' \
    -e 's/\b(Form|form|f)->cbFavoriteWeapon\b/Control<QComboBox>(*\1, "cbFavoriteWeapon")/g' \
    -e 's/\b(form|f)\.cbFavoriteWeapon\b/Control<QComboBox>(\1, "cbFavoriteWeapon")/g' \
    -e 's/\b(Form|form|f)->cbJumpy\b/Control<QCheckBox>(*\1, "cbJumpy")/g' \
    -e 's/\b(form|f)\.cbJumpy\b/Control<QCheckBox>(\1, "cbJumpy")/g' \
    -e 's/\b(Form|form|f)->edDefaultName\b/Control<QLineEdit>(*\1, "edDefaultName")/g' \
    -e 's/\b(form|f)\.edDefaultName\b/Control<QLineEdit>(\1, "edDefaultName")/g' \
    -e 's/\b(Form|form|f)->cbMesh\b/Control<QComboBox>(*\1, "cbMesh")/g' \
    -e 's/\b(form|f)\.cbMesh\b/Control<QComboBox>(\1, "cbMesh")/g' \
    -e 's/\b(Form|form|f)->cbSpecies\b/Control<QComboBox>(*\1, "cbSpecies")/g' \
    -e 's/\b(form|f)\.cbSpecies\b/Control<QComboBox>(\1, "cbSpecies")/g' \
    -e 's/\b(Form|form|f)->cbBodySkin\b/Control<QComboBox>(*\1, "cbBodySkin")/g' \
    -e 's/\b(form|f)\.cbBodySkin\b/Control<QComboBox>(\1, "cbBodySkin")/g' \
    -e 's/\b(Form|form|f)->cbFaceSkin\b/Control<QComboBox>(*\1, "cbFaceSkin")/g' \
    -e 's/\b(form|f)\.cbFaceSkin\b/Control<QComboBox>(\1, "cbFaceSkin")/g' \
    -e 's/\b(Form|form|f)->cbPortrait\b/Control<QComboBox>(*\1, "cbPortrait")/g' \
    -e 's/\b(form|f)\.cbPortrait\b/Control<QComboBox>(\1, "cbPortrait")/g' \
    -e 's/\b(Form|form|f)->cbSex\b/Control<QComboBox>(*\1, "cbSex")/g' \
    -e 's/\b(form|f)\.cbSex\b/Control<QComboBox>(\1, "cbSex")/g' \
    -e 's/\b(Form|form|f)->cbVoiceClassName\b/Control<QComboBox>(*\1, "cbVoiceClassName")/g' \
    -e 's/\b(form|f)\.cbVoiceClassName\b/Control<QComboBox>(\1, "cbVoiceClassName")/g' \
    -e 's/\b(Form|form|f)->cbMenu\b/Control<QComboBox>(*\1, "cbMenu")/g' \
    -e 's/\b(form|f)\.cbMenu\b/Control<QComboBox>(\1, "cbMenu")/g' \
    -e 's/\b(Form|form|f)->cbRagDoll\b/Control<QComboBox>(*\1, "cbRagDoll")/g' \
    -e 's/\b(form|f)\.cbRagDoll\b/Control<QComboBox>(\1, "cbRagDoll")/g' \
    -e 's/\b(Form|form|f)->cbSkeleton\b/Control<QComboBox>(*\1, "cbSkeleton")/g' \
    -e 's/\b(form|f)\.cbSkeleton\b/Control<QComboBox>(\1, "cbSkeleton")/g' \
    -e 's/\b(Form|form|f)->gbBio\b/Control<QGroupBox>(*\1, "gbBio")/g' \
    -e 's/\b(form|f)\.gbBio\b/Control<QGroupBox>(\1, "gbBio")/g' \
    -e 's/\b(Form|form|f)->cbText\b/Control<QComboBox>(*\1, "cbText")/g' \
    -e 's/\b(form|f)\.cbText\b/Control<QComboBox>(\1, "cbText")/g' \
    -e 's/\b(Form|form|f)->meBio\b/Control<QPlainTextEdit>(*\1, "meBio")/g' \
    -e 's/\b(form|f)\.meBio\b/Control<QPlainTextEdit>(\1, "meBio")/g' \
    -e 's/\b(Form|form|f)->ToolBar1\b/Control<QToolBar>(*\1, "ToolBar1")/g' \
    -e 's/\b(form|f)\.ToolBar1\b/Control<QToolBar>(\1, "ToolBar1")/g' \
    -e 's/\b(Form|form|f)->pbWaitingline\b/Control<QProgressBar>(*\1, "pbWaitingline")/g' \
    -e 's/\b(form|f)\.pbWaitingline\b/Control<QProgressBar>(\1, "pbWaitingline")/g' \
    -e 's/\b(Form|form|f)->mmFile\b/Control<QMenu>(*\1, "mmFile")/g' \
    -e 's/\b(form|f)\.mmFile\b/Control<QMenu>(\1, "mmFile")/g' \
    -e 's/\b(Form|form|f)->mmEditBots\b/Control<QMenu>(*\1, "mmEditBots")/g' \
    -e 's/\b(form|f)\.mmEditBots\b/Control<QMenu>(\1, "mmEditBots")/g' \
    -e 's/\b(Form|form|f)->miBiography\b/Control<QMenu>(*\1, "miBiography")/g' \
    -e 's/\b(form|f)\.miBiography\b/Control<QMenu>(\1, "miBiography")/g' \
    -e 's/\b(Form|form|f)->pmBotlist\b/Control<QMenu>(*\1, "pmBotlist")/g' \
    -e 's/\b(form|f)\.pmBotlist\b/Control<QMenu>(\1, "pmBotlist")/g' \
    -e 's/\b(Form|form|f)->pmBio\b/Control<QMenu>(*\1, "pmBio")/g' \
    -e 's/\b(form|f)\.pmBio\b/Control<QMenu>(\1, "pmBio")/g' \
    -e 's/\b(Form|form|f)->pmTemplates\b/Control<QMenu>(*\1, "pmTemplates")/g' \
    -e 's/\b(form|f)\.pmTemplates\b/Control<QMenu>(\1, "pmTemplates")/g' \
    -e 's/\b(Form|form|f)->pmStandardSettings\b/Control<QMenu>(*\1, "pmStandardSettings")/g' \
    -e 's/\b(form|f)\.pmStandardSettings\b/Control<QMenu>(\1, "pmStandardSettings")/g' \
    -e 's/\b(Form|form|f)->tbShowProfile\b/Control<QToolButton>(*\1, "tbShowProfile")/g' \
    -e 's/\b(form|f)\.tbShowProfile\b/Control<QToolButton>(\1, "tbShowProfile")/g' \
    -e 's/\b(Form|form|f)->tbShowProfiles\b/Control<QToolButton>(*\1, "tbShowProfiles")/g' \
    -e 's/\b(form|f)\.tbShowProfiles\b/Control<QToolButton>(\1, "tbShowProfiles")/g' \
    -e 's/\b(Form|form|f)->tbTemplates\b/Control<QToolButton>(*\1, "tbTemplates")/g' \
    -e 's/\b(form|f)\.tbTemplates\b/Control<QToolButton>(\1, "tbTemplates")/g' \
    -e 's/\b(Form|form|f)->tbStandards\b/Control<QToolButton>(*\1, "tbStandards")/g' \
    -e 's/\b(form|f)\.tbStandards\b/Control<QToolButton>(\1, "tbStandards")/g' \
    -e 's/\b(Form|form|f)->tbSkillRandomizer\b/Control<QToolButton>(*\1, "tbSkillRandomizer")/g' \
    -e 's/\b(form|f)\.tbSkillRandomizer\b/Control<QToolButton>(\1, "tbSkillRandomizer")/g' \
    -e 's/\b(Form|form|f)->FindDialog1\b/Control<QDialog>(*\1, "FindDialog1")/g' \
    -e 's/\b(form|f)\.FindDialog1\b/Control<QDialog>(\1, "FindDialog1")/g' \
    -e 's/\b(Form|form|f)->edFindText\b/Control<QLineEdit>(*\1, "edFindText")/g' \
    -e 's/\b(form|f)\.edFindText\b/Control<QLineEdit>(\1, "edFindText")/g' \
    -e 's/\b(Form|form|f)->acNewBotList\b/Control<QAction>(*\1, "acNewBotList")/g' \
    -e 's/\b(form|f)\.acNewBotList\b/Control<QAction>(\1, "acNewBotList")/g' \
    -e 's/\b(Form|form|f)->acOpenBotlist\b/Control<QAction>(*\1, "acOpenBotlist")/g' \
    -e 's/\b(form|f)\.acOpenBotlist\b/Control<QAction>(\1, "acOpenBotlist")/g' \
    -e 's/\b(Form|form|f)->acSaveBotlist\b/Control<QAction>(*\1, "acSaveBotlist")/g' \
    -e 's/\b(form|f)\.acSaveBotlist\b/Control<QAction>(\1, "acSaveBotlist")/g' \
    -e 's/\b(Form|form|f)->acSaveAsBotlist\b/Control<QAction>(*\1, "acSaveAsBotlist")/g' \
    -e 's/\b(form|f)\.acSaveAsBotlist\b/Control<QAction>(\1, "acSaveAsBotlist")/g' \
    -e 's/\b(Form|form|f)->acClose\b/Control<QAction>(*\1, "acClose")/g' \
    -e 's/\b(form|f)\.acClose\b/Control<QAction>(\1, "acClose")/g' \
    -e 's/\b(Form|form|f)->acAddBot\b/Control<QAction>(*\1, "acAddBot")/g' \
    -e 's/\b(form|f)\.acAddBot\b/Control<QAction>(\1, "acAddBot")/g' \
    -e 's/\b(Form|form|f)->acDeleteBot\b/Control<QAction>(*\1, "acDeleteBot")/g' \
    -e 's/\b(form|f)\.acDeleteBot\b/Control<QAction>(\1, "acDeleteBot")/g' \
    -e 's/\b(Form|form|f)->acFindBotByName\b/Control<QAction>(*\1, "acFindBotByName")/g' \
    -e 's/\b(form|f)\.acFindBotByName\b/Control<QAction>(\1, "acFindBotByName")/g' \
    -e 's/\b(Form|form|f)->acCopyBot\b/Control<QAction>(*\1, "acCopyBot")/g' \
    -e 's/\b(form|f)\.acCopyBot\b/Control<QAction>(\1, "acCopyBot")/g' \
    -e 's/\b(Form|form|f)->acPasteBot\b/Control<QAction>(*\1, "acPasteBot")/g' \
    -e 's/\b(form|f)\.acPasteBot\b/Control<QAction>(\1, "acPasteBot")/g' \
    -e 's/\b(Form|form|f)->acPasteAsNewBot\b/Control<QAction>(*\1, "acPasteAsNewBot")/g' \
    -e 's/\b(form|f)\.acPasteAsNewBot\b/Control<QAction>(\1, "acPasteAsNewBot")/g' \
    -e 's/\b(Form|form|f)->acShowProfile\b/Control<QAction>(*\1, "acShowProfile")/g' \
    -e 's/\b(form|f)\.acShowProfile\b/Control<QAction>(\1, "acShowProfile")/g' \
    -e 's/\b(Form|form|f)->acShowProfiles\b/Control<QAction>(*\1, "acShowProfiles")/g' \
    -e 's/\b(form|f)\.acShowProfiles\b/Control<QAction>(\1, "acShowProfiles")/g' \
    -e 's/\b(Form|form|f)->acCreateTemplateFromCharacter\b/Control<QAction>(*\1, "acCreateTemplateFromCharacter")/g' \
    -e 's/\b(form|f)\.acCreateTemplateFromCharacter\b/Control<QAction>(\1, "acCreateTemplateFromCharacter")/g' \
    -e 's/\b(Form|form|f)->acDefaultCharacter\b/Control<QAction>(*\1, "acDefaultCharacter")/g' \
    -e 's/\b(form|f)\.acDefaultCharacter\b/Control<QAction>(\1, "acDefaultCharacter")/g' \
    -e 's/\b(Form|form|f)->acResetCharacterSkills\b/Control<QAction>(*\1, "acResetCharacterSkills")/g' \
    -e 's/\b(form|f)\.acResetCharacterSkills\b/Control<QAction>(\1, "acResetCharacterSkills")/g' \
    -e 's/\b(Form|form|f)->acMaximizeCharacterSkills\b/Control<QAction>(*\1, "acMaximizeCharacterSkills")/g' \
    -e 's/\b(form|f)\.acMaximizeCharacterSkills\b/Control<QAction>(\1, "acMaximizeCharacterSkills")/g' \
    -e 's/\b(Form|form|f)->acMinimizeCharacterSkills\b/Control<QAction>(*\1, "acMinimizeCharacterSkills")/g' \
    -e 's/\b(form|f)\.acMinimizeCharacterSkills\b/Control<QAction>(\1, "acMinimizeCharacterSkills")/g' \
    -e 's/\b(Form|form|f)->acSkillRandomizer\b/Control<QAction>(*\1, "acSkillRandomizer")/g' \
    -e 's/\b(form|f)\.acSkillRandomizer\b/Control<QAction>(\1, "acSkillRandomizer")/g' \
    -e 's/\b(Form|form|f)->acCopyDataToClipboard\b/Control<QAction>(*\1, "acCopyDataToClipboard")/g' \
    -e 's/\b(form|f)\.acCopyDataToClipboard\b/Control<QAction>(\1, "acCopyDataToClipboard")/g' \
    -e 's/\b(Form|form|f)->acCopyDataFromClipboard\b/Control<QAction>(*\1, "acCopyDataFromClipboard")/g' \
    -e 's/\b(form|f)\.acCopyDataFromClipboard\b/Control<QAction>(\1, "acCopyDataFromClipboard")/g' \
    -e 's/\b(Form|form|f)->acEditBio\b/Control<QAction>(*\1, "acEditBio")/g' \
    -e 's/\b(form|f)\.acEditBio\b/Control<QAction>(\1, "acEditBio")/g' \
    -e 's/\b(Form|form|f)->acAddBio\b/Control<QAction>(*\1, "acAddBio")/g' \
    -e 's/\b(form|f)\.acAddBio\b/Control<QAction>(\1, "acAddBio")/g' \
    -e 's/\b(Form|form|f)->acDelBio\b/Control<QAction>(*\1, "acDelBio")/g' \
    -e 's/\b(form|f)\.acDelBio\b/Control<QAction>(\1, "acDelBio")/g' \
    -e 's/\b(Form|form|f)->acCopyBioToClipboard\b/Control<QAction>(*\1, "acCopyBioToClipboard")/g' \
    -e 's/\b(form|f)\.acCopyBioToClipboard\b/Control<QAction>(\1, "acCopyBioToClipboard")/g' \
    -e 's/\b(Form|form|f)->acCopyBioFromClipboard\b/Control<QAction>(*\1, "acCopyBioFromClipboard")/g' \
    -e 's/\b(form|f)\.acCopyBioFromClipboard\b/Control<QAction>(\1, "acCopyBioFromClipboard")/g' \
    -e 's/\b(Form|form|f)->mmSetup\b/Control<QMenu>(*\1, "mmSetup")/g' \
    -e 's/\b(form|f)\.mmSetup\b/Control<QMenu>(\1, "mmSetup")/g' \
    -e 's/\b(Form|form|f)->miManualPackageSearch\b/Control<QAction>(*\1, "miManualPackageSearch")/g' \
    -e 's/\b(form|f)\.miManualPackageSearch\b/Control<QAction>(\1, "miManualPackageSearch")/g' \
    -e 's/\b(Form|form|f)->acCustomContentCheck\b/Control<QAction>(*\1, "acCustomContentCheck")/g' \
    -e 's/\b(form|f)\.acCustomContentCheck\b/Control<QAction>(\1, "acCustomContentCheck")/g' \
    -e 's/\b(Form|form|f)->miExportPlayerRecordClass\b/Control<QAction>(*\1, "miExportPlayerRecordClass")/g' \
    -e 's/\b(form|f)\.miExportPlayerRecordClass\b/Control<QAction>(\1, "miExportPlayerRecordClass")/g' \
    -e 's/\b(Form|form|f)->mmAbout\b/Control<QAction>(*\1, "mmAbout")/g' \
    -e 's/\b(form|f)\.mmAbout\b/Control<QAction>(\1, "mmAbout")/g' \
    "$file"
done
