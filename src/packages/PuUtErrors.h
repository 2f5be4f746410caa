#pragma once

// The package reader's errors. Every error the reader raises derives from
// EUTPackageError, so a caller that opens or reads a package can catch
// exactly the reader's own failures and show their message.

#include <stdexcept>
#include <string>

namespace packages {

class EUTPackageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A read outside the data, a count or size the data cannot hold, a value
// out of range: the message names what was read and where.
class EUTReadError : public EUTPackageError {
 public:
  using EUTPackageError::EUTPackageError;
};

// The file does not start with the package tag.
class EInvalidUTPackage : public EUTPackageError {
 public:
  EInvalidUTPackage();
};

// Any other failure while the header and tables were read.
class EProcessingUTPackage : public EUTPackageError {
 public:
  EProcessingUTPackage(const std::string& fileName, const std::string& cause);
};

// A package that marks itself as holding no tables worth reading falls
// back to empty tables when they cannot be read; a caller that shows the
// package's contents raises this with the reason instead of showing an
// empty package.
class EUnreadableUTTables : public EUTPackageError {
 public:
  EUnreadableUTTables(const std::string& fileName, const std::string& reason);
};

// A property tag could not be read; names the property as far as it was
// known. The message of the error that stopped the read (what was read,
// in which export, at which position) is kept as its cause.
class EReadingUTProperty : public EUTPackageError {
 public:
  explicit EReadingUTProperty(const std::string& propertyName, std::string cause = "");
  const std::string& Cause() const { return FCause; }

 private:
  std::string FCause;
};

// A content accessor was used on an object whose data were never read: a
// fault of the calling code, not of the file.
class EUTObjectNotRead : public EUTPackageError {
 public:
  explicit EUTObjectNotRead(const std::string& objectName);
};

}  // namespace packages
