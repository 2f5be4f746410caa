#include "packages/PuUtPackage.h"

#include <algorithm>

#include "packages/PuUtObject.h"
#include "platform/Files.h"

namespace packages {

TUTPackage::TUTPackage() = default;

TUTPackage::TUTPackage(const std::string& fileName, TUTGameCode game) : FGame(game) {
  if (fileName.empty()) return;
  FFileName = fileName;
  LoadTables();
}

TUTPackage::~TUTPackage() {
  // Objects go before the tables they may still look at.
  FExports.clear();
}

std::unique_ptr<TUTPackage> TUTPackage::CreateChild(const std::string& fileName, const TUTPackage& parent) {
  auto child = std::make_unique<TUTPackage>(fileName, parent.Game());
  child->FSearchImports = parent.FSearchImports;
  child->FKeepRawMipData = parent.FKeepRawMipData;
  child->OnQuoteString = parent.OnQuoteString;
  child->OnQuoteWideString = parent.OnQuoteWideString;
  child->OnFileNotFound = parent.OnFileNotFound;
  return child;
}

void TUTPackage::Clear() {
  FTablesError.clear();
  FNames.clear();
  FNameFlags.clear();
  FExports.clear();
  FImports.clear();
  FHeritage.clear();
  FGenerations.clear();
}

void TUTPackage::Load(const std::string& fileName, TUTGameCode game) {
  ReleaseAllObjects();
  if (FOpenCount > 0) CloseStream();
  Clear();
  FEnumCache.clear();
  FDeclarationCache.clear();
  FSiblings.clear();
  FSiblingPackages.clear();
  FGame = game;
  FFileName = fileName;
  LoadTables();
}

void TUTPackage::LoadTables() {
  if (FGame == gameUnknown) DetectGameByExtension();
  ReadPackage();
  if (FGame == gameUnknown) DetectGameByContents();
  SelectNativeFunctions();
}

void TUTPackage::RequireTables() const {
  if (!FTablesError.empty()) throw EUnreadableUTTables(FFileName, FTablesError);
}

std::string TUTPackage::GetName(int index) const {
  if (index < 0 || index >= NameCount()) return "";
  return FNames[static_cast<std::size_t>(index)];
}

std::uint32_t TUTPackage::GetNameFlags(int index) const {
  if (index < 0 || index >= NameCount()) return 0;
  return FNameFlags[static_cast<std::size_t>(index)];
}

TUTExportTableObjectData* TUTPackage::GetExport(int index) const {
  if (index < 0 || index >= ExportCount()) return nullptr;
  return FExports[static_cast<std::size_t>(index)].get();
}

TUTImportTableObjectData* TUTPackage::GetImport(int index) const {
  if (index < 0 || index >= ImportCount()) return nullptr;
  return FImports[static_cast<std::size_t>(index)].get();
}

void TUTPackage::ReleaseAllObjects() {
  for (const auto& e : FExports) {
    TUTObject* object = e->ObjectIfCreated();
    if (object && object->Buffered()) object->ReleaseObject();
  }
}

void TUTPackage::SetSearchImports(bool value) {
  if (value != FSearchImports) FDeclarationCache.clear();
  FSearchImports = value;
}

void TUTPackage::DoProgress(std::int64_t done, std::int64_t total) {
  if (!OnProgress) return;
  OnProgress(*this, total == 0 ? 0 : static_cast<int>(done * 100 / total));
}

std::string TUTPackage::QuoteString(const std::string& text) const {
  return OnQuoteString ? OnQuoteString(text) : "\"" + text + "\"";
}

std::u16string TUTPackage::QuoteWideString(const std::u16string& text) const {
  return OnQuoteWideString ? OnQuoteWideString(text) : u"\"" + text + u"\"";
}

void TUTPackage::SetNativeFunctions(const TNativeFunctions& table, int high) {
  const std::size_t count = high < 0 ? 0 : std::min(table.size(), static_cast<std::size_t>(high) + 1);
  FNativeFunctions.assign(table.begin(), table.begin() + static_cast<std::ptrdiff_t>(count));
}

void TUTPackage::SelectNativeFunctions() {
  const TNativeFunctions& table = NativesForGame(FGame);
  SetNativeFunctions(table, static_cast<int>(table.size()) - 1);
}

void TUTPackage::DetectGameByExtension() {
  const std::string ext = platform::LowerCase(platform::ExtractFileExt(FFileName));
  if (ext == ".sac" || ext == ".sav") FGame = gameUndying;
  else if (ext == ".run" || ext == ".rsa") FGame = gameRune;
  else if (ext == ".xcm") FGame = gameXComEnforcer;
  else if (ext == ".nrf") FGame = gameNerf;
  else if (ext == ".wot") FGame = gameWheelOfTime;
  else if (ext == ".un2" || ext == ".ut2" || ext == ".ukx" || ext == ".usx") FGame = gameUT2003;
  else if (ext == ".aao") FGame = gameArmyOperations;
}

void TUTPackage::DetectGameByContents() {
  const std::string file = platform::ExtractFileName(FFileName);
  const std::string ownName = platform::LowerCase(file.substr(0, file.size() - platform::ExtractFileExt(file).size()));
  const auto present = [&](std::string_view name) {
    return platform::LowerCase(name) == ownName || ImportsPackage(name);
  };
  if (FLicenseeVersion != 0) {
    if (FLicenseeVersion == 25 || FLicenseeVersion == 28) FGame = gameUT2003;
    else if (FLicenseeVersion == 8 || FLicenseeVersion == 9 || FLicenseeVersion == 16 || FLicenseeVersion == 17)
      FGame = gameArmyOperations;
    return;
  }
  static const std::pair<const char*, TUTGameCode> byPackage[] = {
      {"Enforcer", gameXComEnforcer}, {"RuneI", gameRune},  {"Aeons", gameUndying},
      {"Botpack", gameUnrealTournament}, {"NerfI", gameNerf}, {"WoT", gameWheelOfTime}};
  for (const auto& [name, game] : byPackage) {
    if (present(name)) {
      FGame = game;
      return;
    }
  }
  if ((FPackageFlags & 0x20) != 0 || FFileVersion >= 83) FGame = gameUndying;
}

}  // namespace packages
