#pragma once

// The objects that the game's .int files declare in the "Object" lines of
// their [Public] sections, e.g.
//   Object=(Name=XWeapons.FlakCannon,Class=Class,MetaClass=Engine.Weapon)
// with the display name from the ItemName key of the object's own section.
// The editor takes its weapon list from them.

#include <memory>
#include <string>

#include "roster/SortedOwnerList.h"

namespace roster {

class TMyUtObject {
 public:
  // Fills the fields from an object text "(Name=...,Class=...,...)".
  void ParseObjectLine(const std::string& s);

  void SetName(const std::string& value) { FName = value; }
  void SetObjectClass(const std::string& value) { FObjectClass = value; }
  void SetMetaClass(const std::string& value) { FMetaClass = value; }
  void SetDescription(const std::string& value) { FDescription = value; }
  const std::string& GetName() const { return FName; }
  const std::string& GetObjectClass() const { return FObjectClass; }
  const std::string& GetMetaClass() const { return FMetaClass; }
  const std::string& GetDescription() const { return FDescription; }

  // The display name; empty when the file gives none.
  std::string ItemName;

 private:
  void ApplyItem(const std::string& item);

  std::string FName;
  std::string FObjectClass;
  std::string FMetaClass;
  std::string FDescription;
};

// The declared objects keyed by their Name.
using TUtObjectList = TSortedOwnerList<TMyUtObject>;

}  // namespace roster
