// What the real dialogs hand over: file names as the file system spells
// them, roster text byte for byte.

#include <QDir>

#include "MainFormFixture.h"
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
