#include "packages/PuUtPackage.h"

#include "packages/PuUtObject.h"

namespace packages {

const char* const UTGameNames[13] = {"Unknown",
                                     "Unreal",
                                     "Unreal Tournament",
                                     "The Wheel of Time",
                                     "Klingon Honor Guard",
                                     "Rune",
                                     "Quillon's Undying",
                                     "Deus Ex",
                                     "XCom Enforcer",
                                     "Star Trek: Deep Space Nine",
                                     "Nerf Arena Blast",
                                     "Unreal Tournament 2003",
                                     "Army Operations"};

TUTPackage::TUTPackage() = default;
TUTPackage::TUTPackage(const std::string& fileName, TUTGameCode game) : FFileName(fileName), FGame(game) {}
TUTPackage::~TUTPackage() = default;
std::unique_ptr<TUTPackage> TUTPackage::CreateChild(const std::string& fileName, const TUTPackage& parent) {
  return std::make_unique<TUTPackage>(fileName, parent.Game());
}
void TUTPackage::Load(const std::string&, TUTGameCode) {}
std::string TUTPackage::GetName(int) const { return ""; }
std::uint32_t TUTPackage::GetNameFlags(int) const { return 0; }
TUTExportTableObjectData* TUTPackage::GetExport(int) const { return nullptr; }
TUTImportTableObjectData* TUTPackage::GetImport(int) const { return nullptr; }
std::string TUTPackage::GetObjectPath(int, TUTObjectReference) const { return ""; }
int TUTPackage::FindExport(std::string_view, std::string_view) const { return -1; }
int TUTPackage::FindObject(TUTTable, std::uint8_t, std::string_view, std::string_view, std::string_view, int) const {
  return -1;
}
bool TUTPackage::ImportsPackage(std::string_view) const { return false; }
bool TUTPackage::FindObjectAnywhere(std::uint8_t, std::string_view, std::string_view, std::string_view,
                                    std::string_view, TUTFoundObject&) {
  return false;
}
std::string TUTPackage::SiblingFileName(std::string_view) const { return ""; }
void TUTPackage::ReleaseAllObjects() {}
bool TUTPackage::ReadProperty(TUTProperty&, TUTStream&) { return false; }
TUTBytes TUTPackage::ReadSerialData(int) { return {}; }
void TUTPackage::OpenStream() {}
void TUTPackage::CloseStream() {}
TUTStream& TUTPackage::Stream() { return *FStream; }
void TUTPackage::DoProgress(std::int64_t, std::int64_t) {}
std::string TUTPackage::QuoteString(const std::string& text) const { return "\"" + text + "\""; }
std::u16string TUTPackage::QuoteWideString(const std::u16string& text) const { return u"\"" + text + u"\""; }
void TUTPackage::SetNativeFunctions(const TNativeFunctions&, int) {}
void TUTPackage::SelectNativeFunctions() {}
void TUTPackage::DetectGameByExtension() {}
void TUTPackage::DetectGameByContents() {}

}  // namespace packages
