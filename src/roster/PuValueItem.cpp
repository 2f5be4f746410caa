#include "roster/PuValueItem.h"

#include <algorithm>

#include "platform/AsciiText.h"

namespace roster {

namespace {

bool HasControlCharacter(std::string_view s) {
  return std::any_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 32 || c == 127; });
}

}  // namespace

std::string ItemNameError(std::string_view name, bool needsPackage) {
  const std::string trimmed = platform::Trim(name);
  if (trimmed.empty()) return "The item name is empty.";
  if (trimmed.find('=') != std::string::npos) return "An item name cannot hold \"=\".";
  if (HasControlCharacter(trimmed)) return "An item name cannot hold control characters.";
  if (needsPackage) {
    const std::size_t dot = trimmed.find('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == trimmed.size())
      return "The item name must be a reference: a package name, \".\" and an object name.";
  }
  return {};
}

std::string TranslationError(std::string_view translation) {
  if (HasControlCharacter(translation)) return "A translation cannot hold control characters.";
  return {};
}

}  // namespace roster
