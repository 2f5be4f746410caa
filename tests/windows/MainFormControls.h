#pragma once

// A window's controls and commands found as a user's test tools find them:
// by their object name.

#include <gtest/gtest.h>

#include <QList>
#include <QObject>
#include <QString>
#include <stdexcept>
#include <string>

namespace testing_support {

// The one object of type T named `name` among `window`'s children, at any
// depth. A missing or ambiguous name fails the running test with the name
// in its message (and raises, so the test stops there).
template <class T>
T* Control(const QObject& window, const char* name) {
  const QList<T*> found = window.findChildren<T*>(QString::fromLatin1(name));
  if (found.size() == 1) return found.front();
  const std::string why = std::string(found.empty() ? "no " : "more than one ") + T::staticMetaObject.className() +
                          " named \"" + name + "\" in " + window.objectName().toStdString();
  ADD_FAILURE() << why;
  throw std::logic_error(why);
}

}  // namespace testing_support
