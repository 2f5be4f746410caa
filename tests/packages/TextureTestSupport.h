#pragma once

// Helpers for tests of the texture readers: test packages with texture
// exports whose mip records carry correct end offsets, and a scope that
// gives a test the texture classes in the process-wide class registry.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "PackageWriter.h"
#include "packages/PuUtRegistry.h"

namespace texture_test {

// Registers the texture classes on an empty registry and puts back what
// was registered before when the scope ends.
class TTextureClassScope {
 public:
  TTextureClassScope();
  ~TTextureClassScope();
  TTextureClassScope(const TTextureClassScope&) = delete;
  TTextureClassScope& operator=(const TTextureClassScope&) = delete;

 private:
  std::vector<packages::TUTClassRegistry> FSaved;
};

struct TMip {
  TMip(std::int32_t width, std::int32_t height, std::string data, std::int32_t padding = 0)
      : Width(width), Height(height), Data(std::move(data)), Padding(padding) {}

  std::int32_t Width = 0;
  std::int32_t Height = 0;
  std::string Data;
  // Bytes between the data and the size fields. Files before version 63
  // have no end offset, so there they count as part of the data.
  std::int32_t Padding = 0;
};

// The data of a texture export: properties (with their end tag), bytes
// before the mips, the mip list, a second (compressed) list when given,
// and bytes after them.
struct TTexture {
  TTexture(std::string properties, std::string prefix, std::vector<TMip> mips,
           std::optional<std::vector<TMip>> compMips = std::nullopt, std::string suffix = "")
      : Properties(std::move(properties)),
        Prefix(std::move(prefix)),
        Mips(std::move(mips)),
        CompMips(std::move(compMips)),
        Suffix(std::move(suffix)) {}

  std::string Properties;
  std::string Prefix;
  std::vector<TMip> Mips;
  std::optional<std::vector<TMip>> CompMips;
  std::string Suffix;
};

// A package writer that fills in the end offsets of texture mips, which
// depend on where the data land in the file.
class TTexturePackage {
 public:
  explicit TTexturePackage(std::uint16_t fileVersion = 69);

  package_writer::TPackageWriter W;

  // An import of the class Engine.`name`.
  int Class(const std::string& name);
  // Adds an export of class `className` holding `texture`.
  int Texture(const std::string& objectName, const std::string& className, const TTexture& texture);
  // Builds the file with the end offsets filled in and writes it.
  std::string Write(const std::string& path);

 private:
  std::vector<std::pair<int, TTexture>> FTextures;
  int FEngine = 0;
};

// The mip list as a texture stores it, for a list that begins at the file
// offset `start`: a count byte, then one record per mip.
std::string MipList(std::uint16_t fileVersion, std::size_t start, const std::vector<TMip>& mips);

}  // namespace texture_test
