#pragma once

// Karma data files (".ka"): XML documents in which every "ASSET" element
// with an "id" attribute names one ragdoll the game can use.

#include <stdexcept>
#include <string>
#include <vector>

namespace windows {

// A Karma data file that could not be read or parsed; the message starts
// with "Parser error." for a document that is not well-formed XML.
class EKarmaDataError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Larger files are refused unread: real ones hold a few hundred kilobytes.
constexpr long long KarmaDataMaxBytes = 64ll * 1024 * 1024;
// Elements nested deeper are refused before the document is built: real
// files nest five deep, and building a document takes time that grows with
// the square of its depth.
constexpr int KarmaDataMaxDepth = 256;

// The "id" of every "ASSET" element, at any depth, in document order
// (names compared with regard to case); elements without one are skipped.
// Nothing is returned from a document that does not parse to its end, nor
// from one that declares entities or nests too deep.
std::vector<std::string> ReadKarmaAssetIds(const std::string& fileName);

}  // namespace windows
