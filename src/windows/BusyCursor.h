#pragma once

// The busy cursor for as long as the object lives, whichever way the work
// it covers ends.

#include <QApplication>

namespace windows {

class TBusyCursor {
 public:
  TBusyCursor() { QApplication::setOverrideCursor(Qt::BusyCursor); }
  ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;
};

}  // namespace windows
