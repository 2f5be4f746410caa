#pragma once

// A main window started on a temporary System folder of our own writing,
// with the dialogs scripted. The hooks of the windows that come later only
// count their calls here.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "FakeDialogs.h"
#include "MainFormControls.h"
#include "common/TempDir.h"
#include "platform/TextFile.h"
#include "windows/PfMainForm.h"

namespace testing_support {

// The user's own input, delivered to the widget as the window system would.
inline void SendClick(QWidget* widget, QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  const QPointF local(at);
  const QPointF global(widget->mapToGlobal(at));
  QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, modifiers);
  QApplication::sendEvent(widget, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, modifiers);
  QApplication::sendEvent(widget, &release);
}

inline void SendKey(QWidget* widget, int key, const QString& text = QString(),
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QApplication::sendEvent(widget, &release);
}

inline void SendText(QWidget* widget, const std::string& text) {
  for (char c : text) SendKey(widget, Qt::Key_unknown, QString(QLatin1Char(c)));
}

inline QApplication& TestApp() {
  static int argc = 1;
  static char name[] = "windows_tests";
  static char* argv[] = {name, nullptr};
  // Never destroyed: Qt's own globals may be gone by the time static
  // objects are, and a QApplication must not outlive them.
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

// The non-empty lines of one section of an INI file's lines.
inline std::vector<std::string> Section(const std::vector<std::string>& lines, const std::string& name) {
  std::vector<std::string> out;
  bool in = false;
  for (const std::string& line : lines) {
    if (!line.empty() && line.front() == '[') {
      in = line == "[" + name + "]";
      continue;
    }
    if (in && !line.empty()) out.push_back(line);
  }
  return out;
}

class TTestForm : public windows::TFmMainForm {
 public:
  using windows::TFmMainForm::TFmMainForm;
  int Harvests = 0;
  int ConfigWindows = 0;
  int ContentChecks = 0;
  // Off, the configuration window and the content check only count their
  // runs; on, the real ones run.
  bool RealWindows = false;
  windows::TEditBiography EditBiography;  // none: the real biography editor

 protected:
  void HarvestRosterReferencesUnseen() override {
    ++Harvests;
    if (RealWindows) windows::TFmMainForm::HarvestRosterReferencesUnseen();
  }
  void ShowConfigurationWindow() override {
    ++ConfigWindows;
    if (RealWindows) windows::TFmMainForm::ShowConfigurationWindow();
  }
  void CheckCustomContentUnseen() override {
    ++ContentChecks;
    if (RealWindows) windows::TFmMainForm::CheckCustomContentUnseen();
  }
  // The test's own stand-in when it sets one, else the real editor.
  windows::TEditBiography BiographyEditor() override {
    return EditBiography ? EditBiography : windows::TFmMainForm::BiographyEditor();
  }
};

// Roster lines in the form the writer gives them, so a file written back
// can be compared byte for byte.
inline std::string BotLine(const std::string& name, const std::string& extra = "") {
  return "Player=(DefaultName=\"" + name +
         "\",Species=xGame.SPECIES_Jugg,Mesh=Jugg.JuggMaleA,BodySkin=PlayerSkins.JuggMaleABodyA,"
         "FaceSkin=PlayerSkins.JuggMaleAHeadA,Portrait=PlayerPictures.cJuggMaleAA,Text=XPlayers.Gorge,Sex=Male," +
         extra + "Aggressiveness=+0.3,CombatStyle=+0.2,Menu=\"SP\")";
}

class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApp();
    // No Wine prefix: the registry names no game.
    setenv("WINEPREFIX", Dir.file("no-wine").c_str(), 1);
    System = Dir.file("System");
    Ini = Dir.file("Rosterwell.INI");
    Dir.write("System/xGame.int",
              "[Public]\r\n[SPECIES_Jugg]\r\nSpeciesName=\"Juggernaut\"\r\n[SPECIES_Merc]\r\n"
              "SpeciesName=\"Mercenary\"\r\n");
    Dir.write("System/XWeapons.int",
              "[Public]\r\nObject=(Name=XWeapons.FlakCannon,Class=Class,MetaClass=Engine.Weapon)\r\n"
              "Object=(Name=XWeapons.LinkGun,Class=Class,MetaClass=Engine.Weapon)\r\n"
              "Object=(Name=XWeapons.Redeemer,Class=Class,MetaClass=engine.weapon)\r\n"
              "[FlakCannon]\r\nItemName=\"Flak Cannon\"\r\n[LinkGun]\r\nItemName=\" \"\r\n");
    Dir.write("System/XPlayers.int", "[DecoText]\r\nDefault=\"A|B|\"\r\nGorge=\"Big|Green\"\r\n");
  }

  void WriteRoster(const std::vector<std::string>& lines, const std::string& name = "xplayersL1.upl") {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    Dir.write("System/" + name, text);
  }

  // Starts the editor; false when it halted.
  bool Start(std::vector<std::string> extra = {}) {
    std::vector<std::string> args{Program, "/s" + System, "/i" + Ini};
    args.insert(args.end(), extra.begin(), extra.end());
    Form = std::make_unique<TTestForm>(Dialogs, args);
    Form->RealWindows = RealWindows;
    const bool started = Form->FormCreate();
    if (started) Form->show();
    return started;
  }

  // A click on a roster row, as the user makes it.
  void Click(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QListWidget* list = Control<windows::TBotListBox>(*Form, "lbBotList");
    const QRect rect = list->visualItemRect(list->item(row));
    SendClick(list->viewport(), rect.center(), modifiers);
  }

  // The user picks row `row` of a pick list from the keyboard.
  static void Pick(QComboBox* combo, int row) {
    combo->setFocus();
    for (int guard = 0; combo->currentIndex() < row && guard < 1000; ++guard) SendKey(combo, Qt::Key_Down);
    for (int guard = 0; combo->currentIndex() > row && guard < 1000; ++guard) SendKey(combo, Qt::Key_Up);
  }

  static std::vector<std::string> Rows(const QComboBox* combo) {
    std::vector<std::string> rows;
    for (int i = 0; i < combo->count(); ++i) rows.push_back(combo->itemText(i).toStdString());
    return rows;
  }

  std::vector<std::string> Lines(const std::string& path) { return platform::ReadLines(path); }

  // A change of the shown bot's record made through the roster, as the
  // commands make theirs, without going through the controls.
  void EditCurrentBot(const std::function<void(roster::TBotCharacter&)>& change) {
    Form->Roster().Edit(*Form->CurrentBot(), change);
  }

  TempDir Dir;
  std::string Program = "/opt/rosterwell/Rosterwell";  // the program's own path
  std::string System;
  std::string Ini;
  TFakeDialogs Dialogs;
  bool RealWindows = false;  // given to the form Start makes
  std::unique_ptr<TTestForm> Form;
};

}  // namespace testing_support
