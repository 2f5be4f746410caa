#include "packages/PuUtProperty.h"

#include <charconv>
#include <stdexcept>
#include <unordered_map>

#include "packages/PuUtPackage.h"
#include "platform/AsciiText.h"

namespace packages {

const char* const KnownArrayPropertyNames[23] = {
    "paths",       "visnoreachpaths", "upstreampaths", "prunedpaths",     "aiprofile",   "multiskins",
    "lensaflare",  "lensflareoffset", "lensflarescale", "delay",          "gain",        "outevents",
    "outdelays",   "objshots",        "objdesc",       "damageevent",     "damageeventthreshold",
    "tags",        "events",          "opentimes",     "closetimes",      "splats",      "internaltime"};

std::int64_t VariantToInteger(const TUTVariant& value) {
  struct {
    std::int64_t operator()(std::int64_t v) const { return v; }
    std::int64_t operator()(double v) const {
      return (v > -9.2e18 && v < 9.2e18) ? static_cast<std::int64_t>(v) : 0;
    }
    std::int64_t operator()(bool v) const { return v ? 1 : 0; }
    std::int64_t operator()(const std::string& v) const {
      std::int64_t result = 0;
      const auto r = std::from_chars(v.data(), v.data() + v.size(), result);
      return (r.ec == std::errc() && r.ptr == v.data() + v.size()) ? result : 0;
    }
    std::int64_t operator()(const TUTBytes&) const { return 0; }
  } visitor;
  return std::visit(visitor, value);
}

namespace {

std::unique_ptr<TUTProperty> CreatePlainProperty() { return std::make_unique<TUTProperty>(); }

}  // namespace

TUTPropertyClassRef UTPropertyClass = &CreatePlainProperty;

std::string TUTProperty::TypeToString(TUTPropertyType type) {
  static const char* const names[] = {"",      "Byte",  "Int",   "Bool",   "Float",  "Object",
                                      "Name",  "String", "Class", "Array",  "Struct", "Vector",
                                      "Rotator", "Str", "Map",   "FixedArray"};
  if (type >= 0 && type <= 15) return names[type];
  if (type == ptBuffer) return "Buffer";
  if (type == ptWord) return "Word";
  if (type == ptDelegate) return "Delegate";
  return "";
}

void TUTProperty::SetProperty(TUTPackage* package, const std::string& name, std::int32_t arrayIndex,
                              TUTPropertyType type, const std::uint8_t* value, std::size_t size,
                              const std::string& structName) {
  FPackage = package;
  FName = name;
  FArrayIndex = arrayIndex;
  FType = type;
  FStructName = structName;
  FValue.assign(value, value + (value ? size : 0));
  FValid = true;
}

std::string TUTProperty::GetTypeName() { return FStructName.empty() ? TypeToString(FType) : FStructName; }

std::string TUTProperty::GetDescription() {
  int nesting = 0;
  return GetDescription(nesting);
}

std::string TUTProperty::GetDescription(int& nesting) {
  if (!FValid) return "";
  std::string text = FName;
  if (FArrayIndex > -1) text += "[" + std::to_string(FArrayIndex) + "]";
  if (FType != ptNone) {
    const TUTPropertyValue value = GetValue(-1, nesting);
    text += " (" + value.TypeName + ") = " + value.Text;
  }
  return text;
}

std::string TUTProperty::GetValueText() { return GetValue(-1).Text; }

TUTVariant TUTProperty::GetValueVariant() { return GetValue(-1).Variant; }

TUTProperty& TUTPropertyList::GetItem(int index) const {
  if (index < 0 || index >= Count()) throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
  return *FItems[static_cast<std::size_t>(index)];
}

TUTProperty& TUTPropertyList::NewProperty() {
  FItems.push_back(UTPropertyClass());
  return *FItems.back();
}

TUTProperty* TUTPropertyList::Find(std::string_view name) const {
  std::string_view wanted = name;
  std::int32_t index = -1;
  if (const auto open = wanted.find('['); open != std::string_view::npos) {
    // The index stands between the first "[" and the last character.
    const std::string_view digits = wanted.substr(open + 1, wanted.size() > open + 1 ? wanted.size() - open - 2 : 0);
    index = 0;
    const auto r = std::from_chars(digits.data(), digits.data() + digits.size(), index);
    if (r.ec != std::errc() || r.ptr != digits.data() + digits.size()) index = 0;
    wanted = wanted.substr(0, open);
  }
  for (const auto& p : FItems)
    if (p->ArrayIndex() == index && platform::SameText(p->Name(), wanted)) return p.get();
  return nullptr;
}

void TUTPropertyList::FixArrayIndices() {
  // Counted once, so that an object with many properties does not cost
  // the square of their number.
  std::unordered_map<std::string, int> uses;
  for (const auto& p : FItems) ++uses[p->Name()];
  for (const auto& p : FItems) {
    if (p->ArrayIndex() != -1) continue;
    bool isArray = uses[p->Name()] > 1;
    for (const char* known : KnownArrayPropertyNames) isArray = isArray || platform::SameText(p->Name(), known);
    if (isArray) p->SetArrayIndex(0);
  }
}

TUTVariant TUTPropertyList::GetValue(std::string_view name) const {
  return GetValueVariant(name, std::int64_t{0});
}

TUTVariant TUTPropertyList::GetValueVariant(std::string_view name, const TUTVariant& defaultValue) const {
  TUTProperty* p = Find(name);
  return p ? p->GetValueVariant() : defaultValue;
}

}  // namespace packages
