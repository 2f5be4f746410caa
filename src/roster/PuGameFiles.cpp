#include "roster/PuGameFiles.h"

#include <filesystem>
#include <memory>

#include "platform/Files.h"
#include "roster/PuUtTypes.h"

namespace roster {

void TGameFiles::LoadIntFiles(const std::string& dir) {
  if (dir == FLastIntDir) return;
  for (const std::string& name : platform::ListFiles(dir, "*.int"))
    if (FIntFiles.IndexOf(name) < 0) FIntFiles.Add(name, std::make_unique<TIntFile>(platform::JoinPath(dir, name)));
  FLastIntDir = dir;
}

void TGameFiles::FreeIntFiles() {
  FIntFiles.Clear();
  // The cache is gone, so the same folder must load again afterwards.
  FLastIntDir.clear();
}

bool TGameFiles::RereadIntFile(const std::string& path, const std::string& systemDir) {
  const std::string name = platform::ExtractFileName(path);
  const int cached = FIntFiles.IndexOf(name);
  std::error_code ec;
  const bool gameFile = cached >= 0 ? std::filesystem::equivalent(FIntFiles.Object(cached).FileName(), path, ec)
                                    : std::filesystem::equivalent(platform::ExtractFileDir(path), systemDir, ec);
  if (!gameFile) return false;
  if (cached >= 0)
    FIntFiles.Replace(cached, std::make_unique<TIntFile>(path));
  else
    FIntFiles.Add(name, std::make_unique<TIntFile>(path));
  return true;
}

void TGameFiles::LoadUtObjects(const std::string& intFileName) {
  const TIntFile* file = FIntFiles.Find(intFileName);
  if (!file) return;
  for (const std::string& line : file->ReadObjects()) {
    auto object = std::make_unique<TMyUtObject>();
    object->ParseObjectLine(line.substr(line.find('=') + 1));
    const std::string& name = object->GetName();
    // Several packages may declare the same object; the first declaration
    // wins and the rest of the game's files still load.
    if (name.empty() || FUtObjects.IndexOf(name) >= 0) continue;
    const std::size_t dot = name.find('.');
    const std::string section = dot == std::string::npos ? name : name.substr(dot + 1);
    if (const auto itemName = file->ReadValue(section, "ItemName")) object->ItemName = Unquote(*itemName);
    FUtObjects.Add(name, std::move(object));
  }
}

void TGameFiles::LoadAllUtObjects() {
  for (int i = 0; i < FIntFiles.Count(); ++i) LoadUtObjects(FIntFiles.Name(i));
}

TGameFiles& GameFiles() {
  static TGameFiles files;
  return files;
}

}  // namespace roster
