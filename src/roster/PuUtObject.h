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

  void SetName(const std::string& value) { Name_ = value; }
  void SetObjectClass(const std::string& value) { ObjectClass_ = value; }
  void SetMetaClass(const std::string& value) { MetaClass_ = value; }
  void SetDescription(const std::string& value) { Description_ = value; }
  const std::string& GetName() const { return Name_; }
  const std::string& GetObjectClass() const { return ObjectClass_; }
  const std::string& GetMetaClass() const { return MetaClass_; }
  const std::string& GetDescription() const { return Description_; }

  // The display name; empty when the file gives none.
  std::string ItemName;

 private:
  void ApplyItem(const std::string& item);

  std::string Name_;
  std::string ObjectClass_;
  std::string MetaClass_;
  std::string Description_;
};

// The declared objects keyed by their Name.
using TUtObjectList = TSortedOwnerList<TMyUtObject>;

}  // namespace roster
