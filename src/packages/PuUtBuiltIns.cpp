#include "packages/PuUtBuiltIns.h"

#include "platform/AsciiText.h"

namespace packages {

namespace {

struct BuiltInStruct {
  std::string_view name;  // lower case
  std::vector<TKnownStructElement> members;
};

const std::vector<BuiltInStruct>& BuiltInStructs() {
  static const std::vector<BuiltInStruct> structs = {
      {"color", {{"R", "", ptByte}, {"G", "", ptByte}, {"B", "", ptByte}, {"A", "", ptByte}}},
      {"vector", {{"X", "", ptFloat}, {"Y", "", ptFloat}, {"Z", "", ptFloat}}},
      {"rotator", {{"Pitch", "", ptInt}, {"Yaw", "", ptInt}, {"Roll", "", ptInt}}},
      {"plane", {{"X", "", ptFloat}, {"Y", "", ptFloat}, {"Z", "", ptFloat}, {"W", "", ptFloat}}},
      {"sphere", {{"X", "", ptFloat}, {"Y", "", ptFloat}, {"Z", "", ptFloat}, {"W", "", ptFloat}}},
      {"pointregion", {{"Zone", "ZoneInfo", ptObject}, {"iLeaf", "", ptInt}, {"ZoneNumber", "", ptByte}}},
      {"scale", {{"Scale", "Vector", ptStruct}, {"SheerRate", "", ptFloat}, {"SheerAxis", "ESheerAxis", ptByte}}},
  };
  return structs;
}

const std::vector<TKnownEnumValues>& BuiltInEnums() {
  static const std::vector<TKnownEnumValues> rows = {
      {"ESheerAxis", {"SHEER_None", "SHEER_XY", "SHEER_XZ", "SHEER_YX", "SHEER_YZ", "SHEER_ZX", "SHEER_ZY"}},
      {"EDropType",
       {"DROP_FixedDepth", "DROP_PhaseSpot", "DROP_ShallowSpot", "DROP_HalfAmpl", "DROP_RandomMover",
        "DROP_FixedRandomMover", "DROP_WhirlyThing", "DROP_BigWhirly", "DROP_HorizontalLine", "DROP_VerticalLine",
        "DROP_DiagonalLine1", "DROP_DiagonalLine2", "DROP_HorizontalOsc", "DROP_VerticalOsc", "DROP_DiagonalOsc1",
        "DROP_DiagonalOsc2", "DROP_RainDrops", "DROP_AreaClamp", "DROP_LeakyTap", "DROP_DrippyTap"}},
      // Value 20 carries a leading comma as the engine stores it.
      {"ESparkType",
       {"SPARK_Burn", "SPARK_Sparkle", "SPARK_Pulse", "SPARK_Signal", "SPARK_Blaze", "SPARK_OzHasSpoken",
        "SPARK_Cone", "SPARK_BlazeRight", "SPARK_BlazeLeft", "SPARK_Cylinder", "SPARK_Cylinder3D",
        "SPARK_Lissajous", "SPARK_Jugglers", "SPARK_Emit", "SPARK_Fountain", "SPARK_Flocks", "SPARK_Eels",
        "SPARK_Organic", "SPARK_WanderOrganic", "SPARK_RandomCloud", ",SPARK_CustomCloud", "SPARK_LocalCloud",
        "SPARK_Starts", "SPARK_LineLightning", "SPARK_RampLightning", "SPARK_SphereLightning", "SPARK_Wheel",
        "SPARK_Gametes", "SPARK_Sprinkler"}},
  };
  return rows;
}

}  // namespace

std::vector<TKnownEnumValues>& KnownEnums() {
  // Filled on first use, so that lookups made while other units initialise
  // already see the built-in enumerations.
  static std::vector<TKnownEnumValues> enums = BuiltInEnums();
  return enums;
}

void RegisterEnum(const std::string& name, const std::vector<std::string>& values) {
  KnownEnums().push_back({name, values});
}

void RegisterBuiltInEnums() { KnownEnums() = BuiltInEnums(); }

std::string GetEnumValueName(std::string_view enumName, int value) {
  for (const TKnownEnumValues& e : KnownEnums()) {
    if (!platform::SameText(e.Name, enumName)) continue;
    if (value < 0 || static_cast<std::size_t>(value) >= e.Values.size()) return {};
    return e.Values[static_cast<std::size_t>(value)];
  }
  return {};
}

const std::vector<TKnownStructElement>* BuiltInStructMembers(std::string_view name) {
  const std::string lower = platform::LowerCase(name);
  for (const BuiltInStruct& s : BuiltInStructs())
    if (s.name == lower) return &s.members;
  return nullptr;
}

bool IsBuiltInStruct(std::string_view name) { return BuiltInStructMembers(name) != nullptr; }

int BuiltInStructFieldCount(std::string_view name) {
  const auto* members = BuiltInStructMembers(name);
  return members ? static_cast<int>(members->size()) : 0;
}

bool FormatBuiltInStruct(std::string_view structName, int index, TKnownStructElement& element) {
  const auto* members = BuiltInStructMembers(structName);
  if (!members || index < 0 || static_cast<std::size_t>(index) >= members->size()) return false;
  element = (*members)[static_cast<std::size_t>(index)];
  return true;
}

}  // namespace packages
