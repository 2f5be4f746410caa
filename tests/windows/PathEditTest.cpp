// The browse button's road: the before-step may change the proposal or call
// the dialog off, the after-step sees what was chosen, and only a chosen
// name reaches the edit.

#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

#include "FakeDialogs.h"
#include "MainFormFixture.h"
#include "windows/PathEdit.h"

using namespace testing_support;
using windows::TPathEdit;

TEST(PathEdit, BrowseRunsBeforeDialogAndAfterStepsAroundTheDialog) {
  TestApp();
  TFakeDialogs dialogs;
  TPathEdit edit(dialogs, TPathEdit::TKind::File);
  edit.SetInitialDir("/game/System");
  edit.SetFilter("Packages (*.utx)|*.utx");
  edit.SetText("old.utx");
  std::string seenBefore, seenAfter;
  bool actionAfter = false;
  edit.OnBeforeDialog = [&](std::string& name, bool&) { seenBefore = name; name = "proposed.utx"; };
  edit.OnAfterDialog = [&](std::string& name, bool& action) { seenAfter = name; actionAfter = action; };

  dialogs.Files.push_back("/game/Textures/New.utx");
  edit.Browse();
  EXPECT_EQ(seenBefore, "old.utx");
  ASSERT_EQ(dialogs.Asked.size(), 1u);
  EXPECT_EQ(dialogs.Asked[0].Kind, "open");
  EXPECT_EQ(dialogs.Asked[0].Text, "proposed.utx");
  EXPECT_EQ(dialogs.Asked[0].Extra, "/game/System");
  EXPECT_EQ(seenAfter, "/game/Textures/New.utx");
  EXPECT_TRUE(actionAfter);
  EXPECT_EQ(edit.Text(), "/game/Textures/New.utx");

  // Cancel: the after-step hears it and the edit keeps its text.
  dialogs.Files.push_back(std::nullopt);
  edit.Browse();
  EXPECT_FALSE(actionAfter);
  EXPECT_EQ(edit.Text(), "/game/Textures/New.utx");

  // A before-step that calls the dialog off: no dialog, no after-step.
  edit.OnBeforeDialog = [](std::string&, bool& action) { action = false; };
  seenAfter.clear();
  edit.Browse();
  EXPECT_EQ(dialogs.Asked.size(), 2u);
  EXPECT_TRUE(seenAfter.empty());
}

TEST(PathEdit, DirectoryEditAsksForAFolderAndAnAfterStepMayRefuseIt) {
  TestApp();
  TFakeDialogs dialogs;
  TPathEdit edit(dialogs, TPathEdit::TKind::Directory);
  edit.SetInitialDir("/start");
  edit.OnAfterDialog = [](std::string& name, bool& action) { action = name != "/refused"; };
  dialogs.Files = {std::string("/chosen"), std::string("/refused")};
  edit.Browse();
  EXPECT_EQ(dialogs.Asked[0].Kind, "folder");
  EXPECT_EQ(dialogs.Asked[0].Text, "/start");  // nothing typed: the initial folder
  EXPECT_EQ(edit.Text(), "/chosen");
  edit.Browse();
  EXPECT_EQ(dialogs.Asked[1].Text, "/chosen");
  EXPECT_EQ(edit.Text(), "/chosen");
}

TEST(PathEdit, FileDroppedOnTheEditBecomesItsTextOnlyWhenAccepted) {
  TestApp();
  TFakeDialogs dialogs;
  TPathEdit edit(dialogs, TPathEdit::TKind::File);
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile("/game/Textures/Faces.utx"), QUrl("https://example.org/x.utx")});
  // A drag enters the edit, then drops; true when the drop was taken.
  const auto drop = [&] {
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(edit.Edit(), &enter);
    QDropEvent event(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(edit.Edit(), &event);
    return event.isAccepted();
  };
  edit.SetText("old.utx");
  drop();
  EXPECT_NE(edit.Text(), "/game/Textures/Faces.utx");

  edit.SetAcceptFileDrops(true);
  EXPECT_TRUE(drop());
  EXPECT_EQ(edit.Text(), "/game/Textures/Faces.utx");
  EXPECT_TRUE(dialogs.Asked.empty());
}
