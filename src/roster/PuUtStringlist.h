#pragma once

// The list behind the editor's pick lists: each line is a reference, "="
// and its display name, and a bare reference given to Add becomes such a
// line with the part after its first "." as the display name.

#include <string>

#include "roster/StringList.h"

namespace roster {

class TUtStringlist : public TStringList {
 public:
  using TStringList::TStringList;

  // A text with "=" is added unchanged (the list's own duplicate rule still
  // holds). Any other text S becomes S + "=" + the part of S after its
  // first "." (all of S when it has none), added only when the list does
  // not hold that line yet (case ignored); -1 when it does.
  int Add(const std::string& s) override;

  // The line Add makes of a text without "=": S, "=" and the part of S
  // after its first "." (all of S when it has none).
  static std::string ReferenceLine(const std::string& s);
};

}  // namespace roster
