// The program entry: the application object, the main window, the event
// loop.

#include <string>
#include <vector>

#include <QApplication>
#include <QScreen>

#include "packages/PuUtRegistry.h"
#include "windows/PfMainForm.h"
#include "windows/QtDialogs.h"

namespace {

// The package reader's object classes are registered by class name before
// any window opens (texture classes first, then script classes), so the
// package explorer can create the right object for each export.
void RegisterPackageReaderClasses() {
  packages::RegisterTextureClasses();
  packages::RegisterScriptClasses();
}

}  // namespace

int main(int argc, char** argv) {
  RegisterPackageReaderClasses();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(windows::ApplicationTitle));

  windows::TQtDialogs dialogs;

  // Parameter 0 is the program's own full path: the value-list file is
  // named after it.
  std::vector<std::string> args{windows::PathFromQ(QCoreApplication::applicationFilePath())};
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);

  windows::TFmMainForm form(dialogs, args);
  dialogs.SetParent(&form);
  if (!form.FormCreate()) return 404;
  if (QScreen* screen = QGuiApplication::primaryScreen())
    form.move(screen->availableGeometry().center() - form.rect().center());
  form.show();
  return QApplication::exec();
}
