#include "roster/PuValueItem.h"

#include "platform/AsciiText.h"

namespace roster {

std::string ItemNameError(std::string_view name, bool needsPackage) {
  const std::string trimmed = platform::Trim(name);
  if (trimmed.empty()) return "The item name is empty.";
  if (trimmed.find('=') != std::string::npos) return "An item name cannot hold \"=\".";
  // The reference goes into a bot's roster line, between double quotes
  // when it holds a comma; a double quote would end it there.
  if (trimmed.find('"') != std::string::npos)
    return "An item name cannot hold a double quote:\ra bot's roster line could not read the reference back.";
  if (platform::HasControlCharacter(trimmed)) return "An item name cannot hold control characters.";
  if (needsPackage) {
    const std::size_t dot = trimmed.find('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == trimmed.size())
      return "The item name must be a reference: a package name, \".\" and an object name.";
  }
  return {};
}

std::string TranslationError(std::string_view translation) {
  if (platform::HasControlCharacter(translation)) return "A translation cannot hold control characters.";
  return {};
}

}  // namespace roster
