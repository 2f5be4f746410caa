#pragma once

// A configuration window with a few lines in each of its nine lists, on a
// temporary System folder, with the dialogs scripted.

#include <memory>
#include <string>
#include <vector>

#include <QDropEvent>
#include <QTabWidget>
#include <QTreeWidget>

#include "FakeDialogs.h"
#include "MainFormFixture.h"
#include "common/TempDir.h"
#include "roster/PuGameFiles.h"
#include "windows/LineView.h"
#include "windows/PfBotConfig.h"

namespace testing_support {

using Lines = std::vector<std::string>;

class ConfigWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApp();
    System = Dir.file("System");
    Dir.write("System/XPlayers.int", "[DecoText]\r\nGorge=\"Big|Green\"\r\nAnn=\"Small\"\r\n");
    roster::GameFiles().LoadIntFiles(System);
    Window = std::make_unique<windows::TFmConfig>(Dialogs, ViewState);
    Window->SetSystemDir(System);
    roster::TValueLists lists(roster::TValueLists::TRules::AsAdded);
    lists.Meshes.AssignLines({"Jugg.JuggMaleA=Gorge", "Jugg.JuggFemaleA=Jugg female", "Aliens.A=A", "X.Y=Y"});
    lists.Faces.AssignLines({"F.a=Face a"});
    lists.Skins.AssignLines({"S.a=Skin a", "S.b=Skin b"});
    lists.Voice.AssignLines({"xGame.MercMaleVoice=Merc"});
    lists.Portraits.AssignLines({"P.a=Portrait a"});
    lists.Species.AssignLines({"xGame.SPECIES_Jugg=Juggernaut"});
    lists.RagDoll.AssignLines({"Bot2=Bot2"});
    lists.Skeleton.AssignLines({"K.a=Skel a", "K.b=Skel b"});
    lists.Texts.AssignLines({"XPlayers.Ann", "XPlayers.Gorge"});
    Window->SetLists(lists);
  }
  void TearDown() override { roster::GameFiles().FreeIntFiles(); }

  void Show(int listType = windows::ltMesh) {
    Window->show();
    Window->cbListType->setCurrentIndex(listType);
  }

  Lines Rows() const {
    Lines rows;
    QTreeWidget* view = Window->lvListContent;
    for (int i = 0; i < view->topLevelItemCount(); ++i)
      rows.push_back(view->topLevelItem(i)->text(0).toStdString() + "|" + view->topLevelItem(i)->text(1).toStdString());
    return rows;
  }

  void Select(int row) { Window->lvListContent->setCurrentItem(Window->lvListContent->topLevelItem(row)); }

  // A drag of lines entering the list and dropped on it, as a real one
  // arrives; false when the list refused it on entering.
  bool Drop(const Lines& lines) { return Drop(windows::TMyDragObject(lines)); }
  bool Drop(const QMimeData& data) {
    QWidget* target = Window->lvListContent->viewport();
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return true;
  }

  std::vector<bool> ShownPages() const {
    std::vector<bool> shown;
    for (int i = 0; i < Window->PageControl1->count(); ++i) shown.push_back(Window->PageControl1->isTabVisible(i));
    return shown;
  }

  TempDir Dir;
  std::string System;
  TFakeDialogs Dialogs;
  windows::TConfigViewState ViewState;
  std::unique_ptr<windows::TFmConfig> Window;
};

}  // namespace testing_support
