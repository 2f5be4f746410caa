#pragma once

// The rules for one value-list item typed by the user: a reference, "="
// and its display name. The value-list file stores each item as one
// "reference=display name" line, so neither half may break that line; the
// reference goes into bots' roster lines as well, so it may not break those.

#include <string>
#include <string_view>

namespace roster {

// Why `name` cannot be an item's reference; empty when it can. A name is
// judged trimmed of blanks; `needsPackage` asks for the "Package.Object"
// form that the game's references have.
std::string ItemNameError(std::string_view name, bool needsPackage);

// Why `translation` cannot be an item's display name; empty when it can.
std::string TranslationError(std::string_view translation);

}  // namespace roster
