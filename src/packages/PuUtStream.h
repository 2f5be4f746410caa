#pragma once

// The one bounded reader every part of the package reader reads through:
// the package file while its tables are read, an object's buffered data,
// a property's value bytes. Each read is checked against the bytes that
// remain and fails with EUTReadError naming the data (file or export) and
// the position, so no reader can run past its data.

#include <array>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "packages/PuUtErrors.h"

namespace packages {

using TUTBytes = std::vector<std::uint8_t>;
using TUTGuid = std::array<std::uint8_t, 16>;

// What a stream over a package's data needs of the package: the file
// version that selects the form of name strings, and the size of the name
// table that name indexes are checked against.
class TUTStreamSource {
 public:
  virtual std::uint16_t FileVersion() const = 0;
  virtual int NameCount() const = 0;

 protected:
  ~TUTStreamSource() = default;
};

class TUTStream {
 public:
  // Reads `size` bytes at `data`, which must outlive the stream. `context`
  // names the data in error messages, for example "export 12 (MyTex.Skin)".
  TUTStream(const std::uint8_t* data, std::size_t size, std::string context);
  TUTStream(std::span<const std::uint8_t> data, std::string context);
  // Reads a file, buffered; EFileError (platform) when it cannot be opened.
  static std::unique_ptr<TUTStream> OpenFile(const std::string& path);
  ~TUTStream();
  TUTStream(const TUTStream&) = delete;
  TUTStream& operator=(const TUTStream&) = delete;

  // The package whose data the stream reads, asked at each read that
  // depends on it; without one, name strings take the oldest form and name
  // indexes fail.
  void SetSource(const TUTStreamSource* source) { FSource = source; }
  std::uint16_t FileVersion() const { return FSource ? FSource->FileVersion() : 0; }

  std::int64_t Size() const { return FSize; }
  std::int64_t Position() const { return FPosition; }
  std::int64_t Remaining() const { return FSize - FPosition; }
  // The bytes taken from the file so far; 0 for a stream over memory.
  std::int64_t FileBytesRead() const { return FFileBytesRead; }
  // Moves to an absolute position within 0..Size.
  void Seek(std::int64_t position);
  void Skip(std::int64_t count);

  void ReadBlock(void* buffer, std::int64_t count);
  TUTBytes ReadBytes(std::int64_t count);
  std::uint8_t ReadByte();
  std::uint16_t ReadWord();
  std::int32_t ReadInteger();
  std::uint32_t ReadDWord();
  float ReadFloat();
  // Two 4-byte values: the first the high half, the second the low half.
  std::int64_t ReadInt64();
  // A 4-byte count that must not be negative (it is not checked against
  // the data: use CheckCount before sizing anything by it).
  std::int32_t ReadCount();
  std::int32_t ReadCompactIndex();
  TUTGuid ReadGUID();

  std::string ReadZString();       // bytes up to a zero byte, which is consumed
  std::string ReadSizedString();   // compact length N >= 1, then N bytes, all kept
  std::string ReadFString();       // as ReadSizedString without its last byte
  std::string ReadNameString();    // the name-table form of FileVersion

  // A compact name index; one outside the name table fails.
  std::int32_t ReadNameIndex();

  // `count` elements of `elementSize` bytes must fit in what remains;
  // "Invalid array length" otherwise (negative counts too).
  std::int32_t CheckCount(std::int64_t count, std::int64_t elementSize = 1) const;

  // Raises EUTReadError with `what`, the context and the position.
  [[noreturn]] void Fail(const std::string& what) const;

 private:
  void Fetch(void* buffer, std::int64_t count);
  bool ReadFile(std::int64_t position, void* buffer, std::int64_t count);
  using TChunks = std::map<std::int64_t, TUTBytes>;
  // The chunk of the file that holds `position`, read first when no chunk
  // does yet.
  TChunks::const_iterator ChunkAt(std::int64_t position);

  const std::uint8_t* FData = nullptr;
  std::int64_t FSize = 0;
  std::int64_t FPosition = 0;
  std::string FContext;
  std::FILE* FFile = nullptr;
  // The chunks of the file small reads have taken, by their start. They
  // never overlap, so no byte is read from the file twice while it is open,
  // however often the reading goes back.
  TChunks FChunks;
  // The chunk the last small read used, where the next one mostly lies.
  TChunks::const_iterator FChunk = FChunks.end();
  std::int64_t FFileBytesRead = 0;
  const TUTStreamSource* FSource = nullptr;
};

// The compact index encoding read from a byte buffer at `position`, which
// moves past the bytes used; a byte beyond the buffer is an EUTReadError.
std::int32_t ReadCompactIndexFromBuffer(std::span<const std::uint8_t> buffer, int& position);

}  // namespace packages
