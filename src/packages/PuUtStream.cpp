#include "packages/PuUtStream.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "platform/FileError.h"
#include "platform/Files.h"

namespace packages {

namespace {

// The file is read in chunks of up to this size from where a read begins:
// the tables are read a few bytes at a time and lie in two runs (header and
// names at the start, imports and exports at the end), so each run costs a
// handful of reads and at most one chunk beyond what it holds.
constexpr std::int64_t kWindowSize = 4 * 1024;

}  // namespace

TUTStream::TUTStream(const std::uint8_t* data, std::size_t size, std::string context)
    : FData(data), FSize(static_cast<std::int64_t>(size)), FContext(std::move(context)) {}

TUTStream::TUTStream(std::span<const std::uint8_t> data, std::string context)
    : TUTStream(data.data(), data.size(), std::move(context)) {}

std::unique_ptr<TUTStream> TUTStream::OpenFile(const std::string& path) {
  // A folder opens for reading on some systems and reports a size no file has.
  std::FILE* file = platform::FileExists(path) ? std::fopen(path.c_str(), "rb") : nullptr;
  if (!file) throw platform::EFileError("Cannot open file \"" + path + "\"");
  // The stream keeps a window of its own; a second buffer below it would
  // read whole blocks around every seek.
  std::setvbuf(file, nullptr, _IONBF, 0);
  long size = -1;
  if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
  if (size < 0 || std::fseek(file, 0, SEEK_SET) != 0) {
    std::fclose(file);
    throw platform::EFileError("Cannot read file \"" + path + "\"");
  }
  auto stream = std::unique_ptr<TUTStream>(new TUTStream(nullptr, 0, "file " + path));
  stream->FFile = file;
  stream->FSize = size;
  return stream;
}

TUTStream::~TUTStream() {
  if (FFile) std::fclose(FFile);
}

void TUTStream::Fail(const std::string& what) const {
  throw EUTReadError(what + " in " + FContext + " at position " + std::to_string(FPosition) + " of " +
                     std::to_string(FSize));
}

void TUTStream::Seek(std::int64_t position) {
  if (position < 0 || position > FSize) Fail("Seek to " + std::to_string(position) + " outside the data");
  FPosition = position;
}

void TUTStream::Skip(std::int64_t count) {
  if (count < 0 || count > Remaining()) Fail("Skip of " + std::to_string(count) + " bytes past the end");
  FPosition += count;
}

bool TUTStream::ReadFile(std::int64_t position, void* buffer, std::int64_t count) {
  if (std::fseek(FFile, static_cast<long>(position), SEEK_SET) != 0) return false;
  const std::size_t read = std::fread(buffer, 1, static_cast<std::size_t>(count), FFile);
  FFileBytesRead += static_cast<std::int64_t>(read);
  return read == static_cast<std::size_t>(count);
}

TUTStream::TChunks::const_iterator TUTStream::ChunkAt(std::int64_t position) {
  const auto holds = [position](TChunks::const_iterator chunk) {
    return position >= chunk->first && position < chunk->first + static_cast<std::int64_t>(chunk->second.size());
  };
  if (FChunk != FChunks.end() && holds(FChunk)) return FChunk;
  const auto next = FChunks.upper_bound(position);
  if (next != FChunks.begin() && holds(std::prev(next))) return std::prev(next);
  // A new chunk of the window's size, cut short where the next one begins.
  std::int64_t length = std::min(kWindowSize, FSize - position);
  if (next != FChunks.end()) length = std::min(length, next->first - position);
  TUTBytes bytes(static_cast<std::size_t>(length));
  if (!ReadFile(position, bytes.data(), length)) Fail("File read error");
  return FChunks.emplace_hint(next, position, std::move(bytes));
}

void TUTStream::Fetch(void* buffer, std::int64_t count) {
  if (!FFile) {
    std::memcpy(buffer, FData + FPosition, static_cast<std::size_t>(count));
    return;
  }
  // A read as large as the window (mostly an export's whole data) goes
  // straight into the caller's buffer: through the chunks it would be
  // read in parts and copied twice.
  if (count >= kWindowSize) {
    if (!ReadFile(FPosition, buffer, count)) Fail("File read error");
    return;
  }
  auto* out = static_cast<std::uint8_t*>(buffer);
  std::int64_t position = FPosition;
  const std::int64_t end = FPosition + count;
  while (position < end) {
    FChunk = ChunkAt(position);
    const TUTBytes& bytes = FChunk->second;
    const std::int64_t n = std::min(end, FChunk->first + static_cast<std::int64_t>(bytes.size())) - position;
    std::memcpy(out, bytes.data() + (position - FChunk->first), static_cast<std::size_t>(n));
    out += n;
    position += n;
  }
}

void TUTStream::ReadBlock(void* buffer, std::int64_t count) {
  if (count < 0 || count > Remaining())
    Fail("Read of " + std::to_string(count) + " bytes past the end (" + std::to_string(Remaining()) + " remain)");
  if (count == 0) return;
  Fetch(buffer, count);
  FPosition += count;
}

TUTBytes TUTStream::ReadBytes(std::int64_t count) {
  CheckCount(count);
  TUTBytes bytes(static_cast<std::size_t>(count));
  ReadBlock(bytes.data(), count);
  return bytes;
}

std::uint8_t TUTStream::ReadByte() {
  std::uint8_t b;
  ReadBlock(&b, 1);
  return b;
}

std::uint16_t TUTStream::ReadWord() {
  std::uint8_t b[2];
  ReadBlock(b, 2);
  return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

std::uint32_t TUTStream::ReadDWord() {
  std::uint8_t b[4];
  ReadBlock(b, 4);
  return std::uint32_t(b[0]) | (std::uint32_t(b[1]) << 8) | (std::uint32_t(b[2]) << 16) | (std::uint32_t(b[3]) << 24);
}

std::int32_t TUTStream::ReadInteger() { return static_cast<std::int32_t>(ReadDWord()); }

float TUTStream::ReadFloat() { return std::bit_cast<float>(ReadDWord()); }

std::int64_t TUTStream::ReadInt64() {
  const std::uint64_t high = ReadDWord();
  const std::uint64_t low = ReadDWord();
  return static_cast<std::int64_t>((high << 32) | low);
}

std::int32_t TUTStream::ReadCount() {
  const std::int32_t count = ReadInteger();
  if (count < 0) Fail("Negative count " + std::to_string(count));
  return count;
}

namespace {

// The compact index bytes come from `next`, which fails at the end of the data.
template <class NextByte>
std::int32_t DecodeCompactIndex(NextByte next) {
  const std::uint8_t b0 = next();
  std::uint32_t value = b0 & 0x3F;
  if (b0 & 0x40) {
    int shift = 6;
    for (int i = 1; i <= 4; ++i) {
      const std::uint8_t b = next();
      if (i < 4) {
        value |= std::uint32_t(b & 0x7F) << shift;
        shift += 7;
        if (!(b & 0x80)) break;
      } else {
        // Bits above 31 of the fifth byte are lost, as the format's own reader loses them.
        value |= std::uint32_t(b) << shift;
      }
    }
  }
  // Negated in unsigned arithmetic: -(-2^31) must not overflow.
  if (b0 & 0x80) value = 0u - value;
  return static_cast<std::int32_t>(value);
}

}  // namespace

std::int32_t TUTStream::ReadCompactIndex() {
  return DecodeCompactIndex([this] { return ReadByte(); });
}

std::int32_t ReadCompactIndexFromBuffer(std::span<const std::uint8_t> buffer, int& position) {
  return DecodeCompactIndex([&]() -> std::uint8_t {
    if (position < 0 || static_cast<std::size_t>(position) >= buffer.size())
      throw EUTReadError("Compact index read past the end of the value at position " + std::to_string(position));
    return buffer[static_cast<std::size_t>(position++)];
  });
}

TUTGuid TUTStream::ReadGUID() {
  TUTGuid guid;
  ReadBlock(guid.data(), 16);
  return guid;
}

std::string TUTStream::ReadZString() {
  std::string text;
  for (std::uint8_t c = ReadByte(); c != 0; c = ReadByte()) text.push_back(static_cast<char>(c));
  return text;
}

std::string TUTStream::ReadSizedString() {
  const std::int32_t length = ReadCompactIndex();
  if (length < 1) Fail("Invalid string length " + std::to_string(length));
  CheckCount(length);
  std::string text(static_cast<std::size_t>(length), '\0');
  ReadBlock(text.data(), length);
  return text;
}

std::string TUTStream::ReadFString() {
  std::string text = ReadSizedString();
  text.pop_back();
  return text;
}

std::string TUTStream::ReadNameString() {
  if (FileVersion() < 64) {
    // Older files end their names with a zero instead of storing a length.
    // The engine's names are short; one as long as the file would be
    // copied into every text that names it, so such a name is refused with
    // the same limit the length byte of newer files sets.
    std::string text = ReadZString();
    if (text.size() > 254) Fail("Invalid name length " + std::to_string(text.size() + 1));
    return text;
  }
  const std::uint8_t length = ReadByte();
  if (length < 1) Fail("Invalid name length 0");
  std::string text(length, '\0');
  ReadBlock(text.data(), length);
  text.pop_back();
  return text;
}

std::int32_t TUTStream::ReadNameIndex() {
  const std::int32_t index = ReadCompactIndex();
  if (!FSource || index < 0 || index >= FSource->NameCount())
    Fail("Name index " + std::to_string(index) + " outside the name table");
  return index;
}

std::int32_t TUTStream::CheckCount(std::int64_t count, std::int64_t elementSize) const {
  if (count < 0 || elementSize < 0 || (elementSize > 0 && count > Remaining() / elementSize) ||
      (elementSize == 0 && count > Remaining()))
    Fail("Invalid array length: expected " + std::to_string(count) + " elements of " + std::to_string(elementSize) +
         " bytes, found " + std::to_string(Remaining()) + " bytes");
  return static_cast<std::int32_t>(count);
}

}  // namespace packages
