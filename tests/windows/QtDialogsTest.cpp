// What the real dialogs hand over: file names as the file system spells
// them, roster text byte for byte; and how the input box shows itself.

#include <QDir>
#include <QInputDialog>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include "MainFormFixture.h"
#include "WindowChecks.h"
#include "platform/Files.h"
#include "windows/QtDialogs.h"

using namespace testing_support;

TEST(QtDialogs, AFileChosenInAFolderWithAnAccentedNameIsTheFileOnDisk) {
  TestApp();
  TempDir dir;
  // UTF-8 on disk, as the system writes it.
  const std::string path = dir.write("R\xC3\xB6ster/M\xC3\xBCller.upl", "[Public]\r\n");
  // A file dialog answers with a QString; the program must get back the
  // bytes that open the file.
  const QDir folder(QString::fromUtf8(dir.file("R\xC3\xB6ster").c_str()));
  const QString chosen = folder.absoluteFilePath(folder.entryList(QDir::Files).value(0));
  EXPECT_EQ(windows::PathFromQ(chosen), path);
  EXPECT_TRUE(platform::FileExists(windows::PathFromQ(chosen)));
  EXPECT_EQ(windows::PathToQ(path), chosen);
  // Names inside a roster stay 8-bit text: every byte one character.
  const std::string name = "Gorg\xE9";
  EXPECT_EQ(windows::FromQ(windows::ToQ(name)), name);
}

namespace {

struct TInputCase {
  const char* Name;
  std::string Caption;
  std::string Prompt;  // lines broken with "\r", as the program writes them
  std::string Value;
};

class InputBox : public ::testing::TestWithParam<TInputCase> {};

// The box as InputQuery shows it: taken while it runs, checked, answered.
TEST_P(InputBox, ShowsItsWholeCaptionPromptAndValueWithinTheScreen) {
  TestApp();
  const TInputCase& c = GetParam();
  windows::TQtDialogs dialogs;
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
    if (!box) {
      ADD_FAILURE() << "no input box";
      for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible()) d->reject();
      return;
    }
    seen = true;
    EXPECT_EQ(box->windowTitle().toStdString(), c.Caption);
    // The title bar's bold caption beside three buttons at the least.
    QFont bold = QApplication::font();
    bold.setBold(true);
    EXPECT_GE(box->width(), QFontMetrics(bold).horizontalAdvance(box->windowTitle()) + 3 * 16);
    const QStringList lines = QString::fromLatin1(c.Prompt.c_str()).split(QLatin1Char('\r'));
    const auto* label = box->findChild<QLabel*>();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), lines.join(QLatin1Char('\n')));
    EXPECT_GE(label->height(), lines.size() * label->fontMetrics().lineSpacing());
    const auto* edit = box->findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr);
    const int screen = box->screen()->availableGeometry().width();
    EXPECT_LE(box->width(), screen);
    if (edit->fontMetrics().horizontalAdvance(edit->text()) < screen / 2) {
      EXPECT_GE(edit->width(), edit->fontMetrics().horizontalAdvance(edit->text())) << "value cut";
    }
    ExpectNothingClipped(*box, std::string("input-box-") + c.Name);
    box->accept();
  });
  // OK gives back the value offered, whole.
  EXPECT_EQ(dialogs.InputQuery(c.Caption, c.Prompt, c.Value), c.Value);
  EXPECT_TRUE(seen);
}

INSTANTIATE_TEST_SUITE_P(
    Questions, InputBox,
    ::testing::Values(
        TInputCase{"Number", "Illegal floating-point value detected!",
                   "Bot \"Gorge\", item Accuracy, line 12 of the roster\rValue :", "0,75"},
        TInputCase{"GameFolder", "UT 2003 directory not found", "Specify location of UT2003",
                   "/home/player/Games/Unreal Tournament 2003/System"},
        TInputCase{"HugeValue", "Illegal floating-point value detected!", "Value :", std::string(100000, '7')}),
    [](const ::testing::TestParamInfo<TInputCase>& info) { return std::string(info.param.Name); });

}  // namespace

// A message box with a short text is still as wide as its caption: the
// program's own title on a one-line message was cut in the title bar.
TEST(QtDialogs, AMessageBoxIsAsWideAsItsCaption) {
  TestApp();
  const QString name = QApplication::applicationDisplayName();
  QApplication::setApplicationDisplayName(QStringLiteral("Orvy's Rosterwell"));
  windows::TQtDialogs dialogs;
  int width = 0;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return ADD_FAILURE() << "no message box";
    width = box->width();
    QFont bold = QApplication::font();
    bold.setBold(true);
    EXPECT_GE(width, QFontMetrics(bold).horizontalAdvance(box->windowTitle()) + 3 * 16);
    box->accept();
  });
  dialogs.MessageDlg("Saved.", windows::TMsgDlgType::mtCustom, windows::mbOK, windows::mbOK);
  QApplication::setApplicationDisplayName(name);
  EXPECT_GT(width, 0);
}
