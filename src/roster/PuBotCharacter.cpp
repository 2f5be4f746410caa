#include "roster/PuBotCharacter.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <string_view>

#include "platform/AsciiText.h"
#include "platform/TextFile.h"
#include "roster/LineParts.h"
#include "roster/PuUtTypes.h"
#include "roster/RosterErrors.h"

namespace roster {

const char* const DefaultPlayerLine =
    "Player=(DefaultName=\"NewBot\",Mesh=Jugg.JuggMaleA,species=xGame.SPECIES_Jugg,"
    "BodySkin=PlayerSkins.JuggMaleABodyA,FaceSkin=PlayerSkins.JuggMaleAHeadA,"
    "Portrait=PlayerPictures.cJuggMaleAA,Text=XPlayers.Default,Sex=Male,Menu=\"SP\")";

namespace {

std::vector<std::string> BioLines(const TUtType& ref) { return platform::SplitLines(ref.AsIntText()); }

// The keys of the record's fields, in the order the reader tests them. No
// key begins another, so an item matches one key at most; the game accepts
// an item that merely begins with a key ("MeshName=") as well.
constexpr std::string_view ItemKeys[] = {
    "DefaultName", "Mesh",           "Species", "BodySkin", "FaceSkin", "Portrait", "Voice",
    "Text",        "Sex",            "Menu",    "Aggressiveness", "CombatStyle", "FavoriteWeapon", "bJumpy",
    "StrafingAbility", "Tactics",    "Accuracy", "Ragdoll", "Skeleton", "ReactionTime",
};
static_assert(std::size(ItemKeys) == 20, "one quote flag of the record per key");


// The items' part of a PlayerLine: after the first "(", without the
// closing ")". A "(" inside a quoted name of a line written without
// parentheses opens nothing.
std::string_view ItemsOf(std::string_view line) {
  const std::size_t open = line.find('(');
  if (open != std::string_view::npos && open < line.find('"')) line.remove_prefix(open + 1);
  return WithoutClosingParenthesis(line);
}

// The key an item sets: its index in ItemKeys, or -1.
int KeyOf(std::string_view item) {
  for (std::size_t k = 0; k < std::size(ItemKeys); ++k)
    if (platform::StartsText(ItemKeys[k], item)) return static_cast<int>(k);
  return -1;
}

bool IsQuoted(std::string_view value) { return !value.empty() && value.front() == '"' && value.back() == '"'; }

// A bare value must read back as itself: no "," (it would end the item),
// no leading double quote (it would begin a quoted value), no blanks at the
// end (the reader trims them). Parentheses go in quotes too, so that no
// reader of the line takes one for the end of the items.
bool NeedsQuotes(std::string_view value) {
  if (value.find_first_of(",()") != std::string_view::npos) return true;
  if (!value.empty() && static_cast<unsigned char>(value.back()) < 33) return true;
  const std::string rest = platform::TrimLeft(value);
  return !rest.empty() && rest.front() == '"';
}

// The question about a number that cannot be read, told what it is about:
// a roster holds many bots with the same items.
class TItemQuery : public TInputQuery {
 public:
  TItemQuery(TInputQuery& ask, const TBotCharacter& bot, int lineNumber)
      : ask_(ask), bot_(bot), lineNumber_(lineNumber) {}
  std::string Item;
  std::optional<std::string> InputQuery(const std::string& caption, const std::string& prompt,
                                        const std::string& text) override {
    // Items and names may be megabytes long; the box shows pieces of them.
    std::string about = "Bot: " + platform::Excerpt(bot_.GetDefaultName()) + "\rItem: " + platform::Excerpt(Item);
    if (lineNumber_ > 0) about += "\rLine: " + std::to_string(lineNumber_);
    return ask_.InputQuery(caption, about + "\r\r" + prompt, text);
  }

 private:
  TInputQuery& ask_;
  const TBotCharacter& bot_;
  int lineNumber_;
};

}  // namespace

void TBotCharacter::SetText(const std::string& value) {
  Text = value;
  TUtType ref;
  ref.SetString(Text);
  Bio_ = BioLines(ref);
}

TBotCharacter::TBotCharacter() {
  SetPlayerLine(DefaultPlayerLine);
  SetAggressiveness(0.3);
  SetCombatStyle(0.2);
}

void TBotCharacter::SetReactionTime(double v) { ReactionTime_ = std::clamp(v, -5.0, 5.0); }
void TBotCharacter::SetStrafingAbility(double v) { StrafingAbility_ = std::clamp(v, -5.0, 5.0); }
void TBotCharacter::SetAccuracy(double v) { Accuracy_ = std::clamp(v, -5.0, 5.0); }
void TBotCharacter::SetAggressiveness(double v) { Aggressiveness_ = std::clamp(v, 0.0, 1.0); }
void TBotCharacter::SetCombatStyle(double v) { CombatStyle_ = std::clamp(v, -1.0, 1.0); }
void TBotCharacter::SetTactics(double v) { Tactics_ = std::clamp(v, -5.0, 5.0); }

void TBotCharacter::Reset() {
  quoted_.reset();
  SetVoice("");
  SetRagdoll("");
  SetAccuracy(0);
  SetAggressiveness(0);
  SetCombatStyle(0);
  SetTactics(0);
  SetStrafingAbility(0);
  SetReactionTime(0);
  SetJumpy(false);
  SetMesh("Jugg.JuggMaleA");
  SetBodySkin("PlayerSkins.JuggMaleABodyA");
  SetFaceSkin("PlayerSkins.JuggMaleAHeadA");
  SetPortrait("PlayerPictures.cJuggMaleAA");
  Text = "XPlayers.Default";
  SetDefaultName("NewBot");
  SetSpecies("xGame.SPECIES_Jugg");
  SetSex("Male");
  SetMenu("SP");
  SetFavoriteWeapon("");
  SetSkeleton("");
}

void TBotCharacter::SetPlayerLine(const std::string& s, TInputQuery* ask, int lineNumber) {
  Reset();
  const std::string_view rest = ItemsOf(s);
  // Without a Text item the bot has the default biography reference, and
  // its biography must follow it rather than stay the previous bot's, also
  // when the line breaks off at a number that cannot be read.
  bool sawText = false;
  const auto followText = [&] {
    if (!sawText) SetText(Text);
  };
  std::optional<TItemQuery> query;
  if (ask) query.emplace(*ask, *this, lineNumber);
  try {
    ForEachItem(rest, [&](const std::string& item) {
      try {
        if (query) query->Item = item;
        ApplyItem(item, sawText, query ? &*query : nullptr);
      } catch (const EConvertError& e) {
        throw EItemError(e.what(), item);
      }
    });
  } catch (const EConvertError&) {
    followText();
    throw;
  }
  followText();
}

std::vector<std::string> TBotCharacter::UnknownItems(const std::string& s) {
  std::vector<std::string> items;
  ForEachItem(ItemsOf(s), [&items](const std::string& item) {
    if (!item.empty() && KeyOf(item) < 0) items.push_back(item);
  });
  return items;
}

std::string TBotCharacter::GetPlayerLineKeepingUnknownItems(const std::string& source) const {
  std::string line = GetPlayerLine();
  const std::vector<std::string> unknown = UnknownItems(source);
  if (unknown.empty()) return line;
  line.pop_back();  // ")"
  for (const std::string& item : unknown) line.append(",").append(item);
  line.push_back(')');
  return line;
}

void TBotCharacter::ApplyItem(const std::string& item, bool& sawText, TInputQuery* ask) {
  TUtType v;
  v.SetString(ValuePart(item));
  // A value the line holds in quotes is written back in quotes.
  if (const int key = KeyOf(item); key >= 0) quoted_[static_cast<std::size_t>(key)] = IsQuoted(v.Value);
  // The keys are those of ItemKeys, in its order.
  const auto is = [&item](std::string_view key) { return platform::StartsText(key, item); };
  if (is("DefaultName")) SetDefaultName(v.AsString());
  if (is("Mesh")) SetMesh(v.AsString());
  if (is("Species")) SetSpecies(v.AsString());
  if (is("BodySkin")) SetBodySkin(v.AsString());
  if (is("FaceSkin")) SetFaceSkin(v.AsString());
  if (is("Portrait")) SetPortrait(v.AsString());
  if (is("Voice")) SetVoice(v.AsString());
  if (is("Text")) {
    Bio_ = BioLines(v);
    Text = v.AsString();
    sawText = true;
  }
  if (is("Sex")) SetSex(v.AsString());
  if (is("Menu")) SetMenu(v.AsString());
  if (is("Aggressiveness")) SetAggressiveness(v.AsFloat(ask));
  if (is("CombatStyle")) SetCombatStyle(v.AsFloat(ask));
  if (is("FavoriteWeapon")) SetFavoriteWeapon(v.AsString());
  if (is("bJumpy")) SetJumpy(v.AsBoolean(ask));
  if (is("StrafingAbility")) SetStrafingAbility(v.AsFloat(ask));
  if (is("Tactics")) SetTactics(v.AsFloat(ask));
  if (is("Accuracy")) SetAccuracy(v.AsFloat(ask));
  if (is("Ragdoll")) SetRagdoll(v.AsString());
  if (is("Skeleton")) SetSkeleton(v.AsString());
  if (is("ReactionTime")) SetReactionTime(v.AsFloat(ask));
}

std::string TBotCharacter::GetPlayerLine() const {
  std::string line = "Player=(";
  const auto item = [&line](std::string_view key, std::string_view value) {
    line += key;
    line += '=';
    line += value;
    line += ',';
  };
  const auto quoted = [&item](std::string_view key, const std::string& value) { item(key, "\"" + value + "\""); };
  // A string as it was read, in quotes or bare, unless it cannot stand bare.
  const auto string = [&](std::string_view key, const std::string& value) {
    const auto index = static_cast<std::size_t>(KeyOf(key));
    if (quoted_[index] || NeedsQuotes(value))
      quoted(key, value);
    else
      item(key, value);
  };
  const auto text = [&string](std::string_view key, const std::string& value) {
    if (!value.empty()) string(key, value);
  };
  const auto skill = [&item](std::string_view key, double value) {
    if (value != 0) item(key, FloatText(value));
  };
  quoted("DefaultName", DefaultName_);
  string("Species", Species_);
  string("Mesh", Mesh_);
  string("BodySkin", BodySkin_);
  string("FaceSkin", FaceSkin_);
  string("Portrait", Portrait_);
  string("Text", Text);
  text("Voice", Voice_);
  // Sex and Menu are read back as "Male" and "SP" when their item is
  // missing, so an empty value is written out to survive a save and a load.
  string("Sex", Sex_);
  skill("Accuracy", Accuracy_);
  skill("Aggressiveness", Aggressiveness_);
  skill("StrafingAbility", StrafingAbility_);
  skill("CombatStyle", CombatStyle_);
  skill("Tactics", Tactics_);
  skill("ReactionTime", ReactionTime_);
  if (bJumpy_) item("bJumpy", "1");
  text("FavoriteWeapon", FavoriteWeapon_);
  quoted("Menu", Menu_);
  text("Skeleton", Skeleton_);
  text("Ragdoll", Ragdoll_);
  line.back() = ')';
  return line;
}

}  // namespace roster
