// Turning a property's raw value bytes into text and a variant.

#include <charconv>
#include <string>

#include "packages/PuUtObject.h"
#include "packages/PuUtPackage.h"
#include "packages/PuUtProperty.h"

namespace packages {

namespace {

// Arrays hold nested tags whose values may be arrays again; a crafted value
// must not nest deeper than any real script type does.
constexpr int kMaxNesting = 16;
int gNesting = 0;

class TNestingGuard {
 public:
  TNestingGuard() {
    if (gNesting >= kMaxNesting) throw EUTReadError("Property values nested too deeply");
    ++gNesting;
  }
  ~TNestingGuard() { --gNesting; }
  TNestingGuard(const TNestingGuard&) = delete;
  TNestingGuard& operator=(const TNestingGuard&) = delete;
};

// Fixed notation with two decimals and "." whatever the locale.
std::string FormatFloat(double value) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2);
  return std::string(text, result.ptr);
}

std::string ObjectText(const TUTPackage& package, TUTObjectReference ref, bool asClass) {
  if (ref == 0) return "None";
  std::string className = "Class";
  if (!asClass) {
    if (ref > 0) {
      if (const auto* e = package.GetExport(ref - 1)) className = e->GetClassName();
    } else if (const auto* i = package.GetImport(-(ref + 1))) {
      className = i->GetClassName();
    }
    if (className.empty()) className = "Class";
  }
  return className + "'" + package.GetObjectPath(-1, ref) + "'";
}

// A string value: a compact length, then the characters; a negative length
// counts two-byte characters, kept as their low byte when it is all there is.
std::string ReadStringValue(TUTStream& s) {
  const std::int32_t length = s.ReadCompactIndex();
  std::string text;
  if (length >= 0) {
    s.CheckCount(length);
    text.resize(static_cast<std::size_t>(length));
    s.ReadBlock(text.data(), length);
  } else {
    const std::int64_t count = -static_cast<std::int64_t>(length);
    s.CheckCount(count, 2);
    for (std::int64_t i = 0; i < count; ++i) {
      const std::uint16_t c = s.ReadWord();
      text.push_back(c < 256 ? static_cast<char>(c) : '?');
    }
  }
  while (!text.empty() && text.back() == '\0') text.pop_back();
  return text;
}

std::string RawString(const TUTBytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

void FormatArray(TUTPackage& package, TUTStream& s, TUTPropertyValue& out) {
  TNestingGuard guard;
  out.TypeName += " of Object";
  const int count = s.ReadByte();
  std::string list;
  for (int i = 0; i < count; ++i) {
    std::string element;
    auto scratch = UTPropertyClass();
    while (package.ReadProperty(*scratch, s) && scratch->Type() != ptNone) {
      element += scratch->GetDescription() + ", ";
      scratch = UTPropertyClass();
    }
    if (!element.empty()) element.resize(element.size() - 2);
    list += "[" + std::to_string(i) + "]=(" + element + "), ";
  }
  if (!list.empty()) list.resize(list.size() - 2);
  out.Text = "(" + list + ")";
  out.Variant = out.Text;
}

void FormatValue(TUTProperty& property, TUTStream& s, TUTPropertyValue& out) {
  TUTPackage& package = *property.Package();
  const TUTBytes& value = property.Value();
  switch (property.Type()) {
    case ptNone:
      break;
    case ptByte: {
      const std::uint8_t b = s.ReadByte();
      out.Variant = std::int64_t{b};
      out.Text = std::to_string(b);
      break;
    }
    case ptInt: {
      const std::int32_t v = s.ReadInteger();
      out.Variant = std::int64_t{v};
      out.Text = std::to_string(v);
      break;
    }
    case ptBool: {
      const bool v = s.ReadByte() != 0;
      out.Variant = v;
      out.Text = v ? "True" : "False";
      break;
    }
    case ptFloat: {
      const double v = s.ReadFloat();
      out.Variant = v;
      out.Text = FormatFloat(v);
      break;
    }
    case ptObject:
    case ptClass: {
      const std::int32_t ref = s.ReadCompactIndex();
      out.Variant = std::int64_t{ref};
      out.Text = ObjectText(package, ref, property.Type() == ptClass);
      break;
    }
    case ptName: {
      const std::int32_t index = s.ReadNameIndex();
      out.Variant = std::int64_t{index};
      out.Text = package.GetName(index);
      break;
    }
    case ptString:
    case ptStr: {
      const std::string text = ReadStringValue(s);
      out.Variant = text;
      out.Text = package.QuoteString(text);
      break;
    }
    case ptArray:
      FormatArray(package, s, out);
      break;
    case ptWord: {
      const std::uint16_t v = s.ReadWord();
      out.Variant = std::int64_t{v};
      out.Text = std::to_string(v);
      break;
    }
    case ptStruct:
      // Without a member list the structure is shown raw.
      out.Variant = RawString(value);
      out.Type = ptBuffer;
      s.Seek(s.Size());
      break;
    case ptMap:
    case ptFixedArray:
    case ptBuffer:
      out.Variant = RawString(value);
      s.Seek(s.Size());
      break;
    default:
      out.Variant = value;
      break;
  }
}

}  // namespace

TUTPropertyValue TUTProperty::GetValue(int /*elementIndex*/) {
  TUTPropertyValue out;
  if (!Valid() || !Package()) {
    out.Variant = std::string("0");
    out.Text = "0";
    return out;
  }
  out.Name = Name();
  out.Type = Type();
  out.TypeName = TypeToString(Type());
  TUTStream s(Value(), "the value of property " + Name());
  s.SetPackage(Package());
  FormatValue(*this, s, out);
  return out;
}

int TUTProperty::ValueCount() { return 0; }

}  // namespace packages
