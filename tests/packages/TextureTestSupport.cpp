#include "TextureTestSupport.h"

#include "packages/PuUtPackages.h"

namespace texture_test {

namespace pw = package_writer;

TTextureClassScope::TTextureClassScope() : FSaved(packages::UTObjectClassRegistry()) {
  packages::ClearUTObjectClasses();
  packages::RegisterTextureClasses();
}

TTextureClassScope::~TTextureClassScope() {
  packages::ClearUTObjectClasses();
  for (const auto& row : FSaved) packages::RegisterUTObjectClass(row.Name, row.ClassRef);
}

std::string MipList(std::uint16_t fileVersion, std::size_t start, const std::vector<TMip>& mips) {
  std::string out = pw::Byte(static_cast<std::uint8_t>(mips.size()));
  for (const TMip& mip : mips) {
    const std::string padding(static_cast<std::size_t>(mip.Padding), '\xEE');
    if (fileVersion >= 63) {
      const std::string size = pw::Compact(static_cast<std::int32_t>(mip.Data.size()));
      const std::size_t dataStart = start + out.size() + 4 + size.size();
      out += pw::Int(static_cast<std::int32_t>(dataStart + mip.Data.size() + padding.size())) + size + mip.Data;
    } else {
      out += pw::Compact(static_cast<std::int32_t>(mip.Data.size() + padding.size())) + mip.Data;
    }
    out += padding + pw::Int(mip.Width) + pw::Int(mip.Height) + pw::Byte(0) + pw::Byte(0);
  }
  return out;
}

namespace {

std::string TextureData(std::uint16_t fileVersion, std::size_t start, const TTexture& t) {
  std::string out = t.Properties + t.Prefix;
  out += MipList(fileVersion, start + out.size(), t.Mips);
  if (t.CompMips) out += MipList(fileVersion, start + out.size(), *t.CompMips);
  return out + t.Suffix;
}

}  // namespace

TTexturePackage::TTexturePackage(std::uint16_t fileVersion) : W(fileVersion) {
  FEngine = W.Import("Core", "Package", 0, "Engine");
}

int TTexturePackage::Class(const std::string& name) { return W.Import("Core", "Class", FEngine, name); }

int TTexturePackage::Texture(const std::string& objectName, const std::string& className, const TTexture& texture) {
  const int ref = W.Export(objectName, Class(className), TextureData(W.FileVersion, 0, texture));
  FTextures.emplace_back(ref, texture);
  return ref;
}

std::string TTexturePackage::Write(const std::string& path) {
  // Offsets of the data depend only on the lengths of the data before
  // them, which filling in the end offsets does not change.
  W.Build();
  for (const auto& [ref, texture] : FTextures)
    W.ExportAt(ref).Data = TextureData(W.FileVersion, W.Layout().DataOffsets[static_cast<std::size_t>(ref - 1)], texture);
  return W.Write(path);
}

}  // namespace texture_test
