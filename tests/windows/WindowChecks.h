#pragma once

// Checks of a window as the user sees it. With ROSTERWELL_SCREENSHOT_DIR
// set, each window checked is also saved as a picture there (run under a
// real X server to look at them).

#include <cstdlib>
#include <string>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

#include <gtest/gtest.h>

namespace testing_support {

// Every label, button and edit is shown whole, inside the window.
inline void ExpectNothingClipped(QWidget& window, const std::string& picture) {
  window.show();
  QApplication::processEvents();
  for (QWidget* child : window.findChildren<QWidget*>()) {
    if (!child->isVisible()) continue;
    if (!qobject_cast<QLabel*>(child) && !qobject_cast<QAbstractButton*>(child) && !qobject_cast<QLineEdit*>(child) &&
        !qobject_cast<QPlainTextEdit*>(child))
      continue;
    const QString name = child->objectName().isEmpty() ? child->metaObject()->className() : child->objectName();
    const QSize need = child->minimumSizeHint().expandedTo(child->minimumSize());
    EXPECT_GE(child->width(), need.width()) << name.toStdString();
    EXPECT_GE(child->height(), need.height()) << name.toStdString();
    const QRect inWindow(child->mapTo(&window, QPoint(0, 0)), child->size());
    EXPECT_TRUE(window.rect().contains(inWindow)) << name.toStdString();
  }
  if (const char* dir = std::getenv("ROSTERWELL_SCREENSHOT_DIR"))
    window.grab().save(QString::fromLocal8Bit(dir) + "/" + QString::fromStdString(picture) + ".png");
}

}  // namespace testing_support
