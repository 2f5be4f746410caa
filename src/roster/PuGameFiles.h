#pragma once

// What the editor reads from the game's System folder once and keeps: the
// .int localisation files and the objects they declare. The process has
// one, GameFiles(); biography references, species names and the weapon
// list are all looked up in it.

#include <string>

#include "roster/PuIntFile.h"
#include "roster/PuUtObject.h"

namespace roster {

class TGameFiles {
 public:
  // The cached .int files, by file name without folder.
  TIntFileList& IntFiles() { return FIntFiles; }
  const TIntFileList& IntFiles() const { return FIntFiles; }
  // The objects the cached files declare, by their Name.
  TUtObjectList& UtObjects() { return FUtObjects; }
  const TUtObjectList& UtObjects() const { return FUtObjects; }

  // Loads every "*.int" file of `dir` (case ignored) whose name is not
  // cached yet. A second call with the same folder does nothing.
  void LoadIntFiles(const std::string& dir);
  // Frees every cached file; a later load starts afresh.
  void FreeIntFiles();
  // Reads one .int file again after the editor wrote into it: the cached
  // file of that name when it is this very file, or a new entry for a file
  // of `systemDir` not cached yet. A file of the same name elsewhere is
  // not the game's: nothing changes, and the result is false.
  bool RereadIntFile(const std::string& path, const std::string& systemDir);

  // Adds the objects declared by one cached .int file (named without
  // folder). A name declared before is skipped (the first declaration
  // wins), as is an object without a name.
  void LoadUtObjects(const std::string& intFileName);
  // LoadUtObjects for every cached .int file, in cache order.
  void LoadAllUtObjects();
  void FreeUtObjects() { FUtObjects.Clear(); }

 private:
  TIntFileList FIntFiles;
  TUtObjectList FUtObjects;
  std::string FLastIntDir;
};

// The process's game files.
TGameFiles& GameFiles();

}  // namespace roster
