// A bot as an UnrealScript PlayerRecordClass, one package folder per bot,
// for the game's compiler.

#include <algorithm>

#include "platform/AsciiText.h"
#include "platform/Files.h"
#include "platform/TextFile.h"
#include "roster/PuBotCharacter.h"
#include "roster/RosterErrors.h"

namespace roster {

namespace {

// The bot's name is the class's name, the package's ("<name>Mod") and that
// of a folder and a file under the game folder. The game's compiler takes
// only an identifier there, a letter or "_" and then letters, digits or
// "_"; that also keeps "..\..\x" or "C:" from leading the export elsewhere.
bool IsClassName(const std::string& name) {
  const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  if (name.empty() || !letter(name.front())) return false;
  return std::all_of(name.begin(), name.end(), [&](char c) { return letter(c) || platform::IsAsciiDigit(c); });
}

// The folder under its spelling on disk when one differing only in case is
// there (the game's folders come from Windows), else created.
std::string EnsureDirectory(const std::string& path) {
  if (const auto existing = platform::FindPathIgnoringCase(path); existing && platform::DirectoryExists(*existing))
    return *existing;
  if (!platform::CreateDirectoryLevel(path)) throw platform::EFileError("Cannot create directory \"" + path + "\"");
  return path;
}

}  // namespace

std::vector<std::string> TBotCharacter::PlayerRecordClassLines() const {
  std::vector<std::string> lines = {"class " + FDefaultName + " extends PlayerRecordClass;", "", "defaultproperties",
                                    "{"};
  const auto property = [&lines](const std::string& value, const char* before, const char* after) {
    if (!value.empty()) lines.push_back(std::string("  ") + before + value + after);
  };
  property(FSpecies, "Species=class'", "'");
  property(FMesh, "MeshName=\"", "\"");
  property(FBodySkin, "BodySkinName=\"", "\"");
  property(FFaceSkin, "FaceSkinName=\"", "\"");
  property(FPortrait, "Portrait=Material'", "'");
  property(Text, "TextName=\"", "\"");
  property(FVoice, "VoiceClassName=\"", "\"");
  property(FSex, "Sex=\"", "\"");
  property(FMenu, "Menu=\"", "\"");
  property(FSkeleton, "Skeleton=\"", "\"");
  property(FRagdoll, "Ragdoll=\"", "\"");
  lines.push_back("}");
  return lines;
}

void TBotCharacter::ExportPlayerRecordClass(const std::string& baseDir) const {
  if (!IsClassName(FDefaultName))
    throw EExportError("The bot name \"" + FDefaultName +
                       "\" cannot be used as a class name: it must start with a letter or \"_\" and hold only "
                       "letters, digits and \"_\".\rNothing was exported for this bot.");
  const std::vector<std::string> lines = PlayerRecordClassLines();
  const std::string modDir = EnsureDirectory(platform::JoinPath(baseDir, FDefaultName + "Mod"));
  const std::string classesDir = EnsureDirectory(platform::JoinPath(modDir, "Classes"));
  // Replace a file whose name differs only in case rather than leave it
  // beside the new one for the game's compiler to find.
  std::string file = platform::JoinPath(classesDir, FDefaultName + ".uc");
  if (const auto existing = platform::FindPathIgnoringCase(file); existing && platform::FileExists(*existing))
    file = *existing;
  platform::WriteLines(file, lines);
}

}  // namespace roster
