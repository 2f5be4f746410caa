// The item editor as the user works it: Enter and Escape, the read-only
// name when editing, the labels' accelerators, and a refused name that
// keeps the editor open.

#include <set>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "FakeDialogs.h"
#include "MainFormFixture.h"
#include "windows/PfItemEdit.h"

using namespace testing_support;
using windows::TFmItemEdit;

namespace {

class ItemEdit : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApp();
    Editor = std::make_unique<TFmItemEdit>(Dialogs);
    Editor->SetItemName("Jugg.JuggMaleA");
    Editor->SetTranslation("Gorge");
    Editor->show();
    QApplication::setActiveWindow(Editor.get());
    Editor->edTranslation->setFocus();
  }
  TFakeDialogs Dialogs;
  std::unique_ptr<TFmItemEdit> Editor;
};

TEST_F(ItemEdit, EnterClosesWithOkAndEscapeWithCancel) {
  QTest::keyClick(Editor->edTranslation, Qt::Key_Return);
  EXPECT_FALSE(Editor->isVisible());
  EXPECT_EQ(Editor->result(), QDialog::Accepted);

  Editor->show();
  QApplication::setActiveWindow(Editor.get());
  Editor->edTranslation->setFocus();
  QTest::keyClick(Editor->edTranslation, Qt::Key_Escape);
  EXPECT_FALSE(Editor->isVisible());
  EXPECT_EQ(Editor->result(), QDialog::Rejected);
}

TEST_F(ItemEdit, ANameThatIsNotEditableIsPassedByTabAndShownInTheButtonFace) {
  Editor->SetItemNameEditable(false);
  EXPECT_TRUE(Editor->edItemname->isReadOnly());
  EXPECT_EQ(Editor->edItemname->palette().color(QPalette::Base), Editor->palette().color(QPalette::Button));
  // Tab goes round the translation and the buttons only; an editable name
  // is one of its stops again.
  const auto stops = [this] {
    std::set<QWidget*> seen;
    Editor->edTranslation->setFocus();
    for (int i = 0; i < 6; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      seen.insert(QApplication::focusWidget());
    }
    return seen;
  };
  EXPECT_EQ(stops(), (std::set<QWidget*>{Editor->edTranslation, Editor->buOk, Editor->buCancel}));
  Editor->SetItemNameEditable(true);
  EXPECT_EQ(stops().count(Editor->edItemname), 1u);
  EXPECT_FALSE(Editor->edItemname->isReadOnly());
  EXPECT_EQ(Editor->edItemname->palette().color(QPalette::Base), Editor->palette().color(QPalette::Base));
}

TEST_F(ItemEdit, AltIAndAltTMoveTheFocusToTheirFields) {
  QTest::keyClick(Editor.get(), Qt::Key_I, Qt::AltModifier);
  EXPECT_EQ(QApplication::focusWidget(), Editor->edItemname);
  QTest::keyClick(Editor.get(), Qt::Key_T, Qt::AltModifier);
  EXPECT_EQ(QApplication::focusWidget(), Editor->edTranslation);
  Editor->SetItemNameEditable(false);
  Editor->buOk->setFocus();
  QTest::keyClick(Editor.get(), Qt::Key_T, Qt::AltModifier);
  EXPECT_EQ(QApplication::focusWidget(), Editor->edTranslation);
}

TEST_F(ItemEdit, ARefusedNameIsToldAndTheEditorStaysOpen) {
  Editor->Check = [](const std::string& name, const std::string&) {
    return name.find('.') == std::string::npos ? std::string("no package") : std::string();
  };
  Editor->SetItemName("JuggMaleA");
  Editor->buOk->click();
  EXPECT_TRUE(Editor->isVisible());
  EXPECT_EQ(Dialogs.Messages(), std::vector<std::string>{"no package"});
  Editor->SetItemName("Jugg.JuggMaleA");
  Editor->buOk->click();
  EXPECT_FALSE(Editor->isVisible());
  EXPECT_EQ(Editor->result(), QDialog::Accepted);
}

}  // namespace
