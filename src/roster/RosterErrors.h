#pragma once

// The errors the roster model raises. Their messages are fit to show to the
// user as they stand; the windows catch them at each command.

#include <stdexcept>
#include <string>

namespace roster {

// A number that could not be read: "'x' is not a valid floating point value".
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A list that refuses duplicates was asked to take one:
// "String list does not allow duplicates".
class EStringListError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A bot cannot be exported as it stands (its name is no class name).
class EExportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A roster file that cannot be opened as one, or may not be written (the
// game's own roster). Nothing of the document changed.
class ERosterError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace roster
