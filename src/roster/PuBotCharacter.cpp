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
enum TKey {
  kDefaultName, kMesh, kSpecies, kBodySkin, kFaceSkin, kPortrait, kVoice, kText, kSex, kMenu, kAggressiveness,
  kCombatStyle, kFavoriteWeapon, kJumpy, kStrafingAbility, kTactics, kAccuracy, kRagdoll, kSkeleton, kReactionTime,
  kKeyCount
};
static_assert(std::size(ItemKeys) == kKeyCount && kKeyCount == 20, "one key name and one quote flag per key");

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
  for (char c : {',', '(', ')'})
    if (value.find(c) != std::string_view::npos) return true;
  return !value.empty() && (value.front() == '"' || line_parts::IsBlank(value.back()));
}

// The question about a number that cannot be read, told what it is about:
// a roster holds many bots with the same items.
class TItemQuery : public TInputQuery {
 public:
  TItemQuery(TInputQuery& ask, const TBotCharacter& bot, int lineNumber)
      : FAsk(ask), FBot(bot), FLineNumber(lineNumber) {}
  std::string_view Item;  // the item being read; valid while it is
  std::optional<std::string> InputQuery(const std::string& caption, const std::string& prompt,
                                        const std::string& text) override {
    // Items and names may be megabytes long; the box shows pieces of them.
    std::string about = "Bot: " + platform::Excerpt(FBot.GetDefaultName()) + "\rItem: " + platform::Excerpt(Item);
    if (FLineNumber > 0) about += "\rLine: " + std::to_string(FLineNumber);
    return FAsk.InputQuery(caption, about + "\r\r" + prompt, text);
  }

 private:
  TInputQuery& FAsk;
  const TBotCharacter& FBot;
  int FLineNumber;
};

}  // namespace

void TBotCharacter::SetText(const std::string& value) {
  Text = value;
  TUtType ref;
  ref.SetString(Text);
  FBio = BioLines(ref);
}

TBotCharacter::TBotCharacter() {
  SetDefaultPlayerLine();
  SetAggressiveness(0.3);
  SetCombatStyle(0.2);
}

void TBotCharacter::SetDefaultPlayerLine() {
  SetPlayerLine(DefaultPlayerLine);
  FKeySpellings.clear();
}

void TBotCharacter::SpellKey(std::size_t key, std::string_view spelling) {
  const auto at = std::find_if(FKeySpellings.begin(), FKeySpellings.end(),
                               [key](const auto& entry) { return entry.first == key; });
  if (spelling.empty() || spelling == ItemKeys[key]) {
    if (at != FKeySpellings.end()) FKeySpellings.erase(at);
  } else if (at != FKeySpellings.end()) {
    at->second = spelling;
  } else {
    FKeySpellings.emplace_back(key, spelling);
  }
}

std::string_view TBotCharacter::KeyText(std::size_t key) const {
  for (const auto& [spelled, text] : FKeySpellings)
    if (spelled == key) return text;
  return ItemKeys[key];
}

void TBotCharacter::SetReactionTime(double v) { FReactionTime = std::clamp(v, -5.0, 5.0); }
void TBotCharacter::SetStrafingAbility(double v) { FStrafingAbility = std::clamp(v, -5.0, 5.0); }
void TBotCharacter::SetAccuracy(double v) { FAccuracy = std::clamp(v, -5.0, 5.0); }
void TBotCharacter::SetAggressiveness(double v) { FAggressiveness = std::clamp(v, 0.0, 1.0); }
void TBotCharacter::SetCombatStyle(double v) { FCombatStyle = std::clamp(v, -1.0, 1.0); }
void TBotCharacter::SetTactics(double v) { FTactics = std::clamp(v, -5.0, 5.0); }

void TBotCharacter::Reset() {
  FQuoted.reset();
  FKeySpellings.clear();
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
  const int key = KeyOf(item);
  if (key < 0) return;
  TUtType v;
  v.SetString(ValuePart(item));
  // A value the line holds in quotes is written back in quotes, and under
  // the key as the line spells it, when that is a plain word (the rest of
  // such an item is the reader's guess, which must not go into the file).
  FQuoted[static_cast<std::size_t>(key)] = IsQuoted(v.Value);
  const std::string_view spelling = LineName(item).value_or(std::string_view());
  SpellKey(static_cast<std::size_t>(key),
           std::all_of(spelling.begin(), spelling.end(), line_parts::IsKeyCharacter) ? spelling : std::string_view());
  switch (key) {
    case kDefaultName: SetDefaultName(v.AsString()); break;
    case kMesh: SetMesh(v.AsString()); break;
    case kSpecies: SetSpecies(v.AsString()); break;
    case kBodySkin: SetBodySkin(v.AsString()); break;
    case kFaceSkin: SetFaceSkin(v.AsString()); break;
    case kPortrait: SetPortrait(v.AsString()); break;
    case kVoice: SetVoice(v.AsString()); break;
    case kText:
      FBio = BioLines(v);
      Text = v.AsString();
      sawText = true;
      break;
    case kSex: SetSex(v.AsString()); break;
    case kMenu: SetMenu(v.AsString()); break;
    case kAggressiveness: SetAggressiveness(v.AsFloat(ask)); break;
    case kCombatStyle: SetCombatStyle(v.AsFloat(ask)); break;
    case kFavoriteWeapon: SetFavoriteWeapon(v.AsString()); break;
    case kJumpy: SetJumpy(v.AsBoolean(ask)); break;
    case kStrafingAbility: SetStrafingAbility(v.AsFloat(ask)); break;
    case kTactics: SetTactics(v.AsFloat(ask)); break;
    case kAccuracy: SetAccuracy(v.AsFloat(ask)); break;
    case kRagdoll: SetRagdoll(v.AsString()); break;
    case kSkeleton: SetSkeleton(v.AsString()); break;
    case kReactionTime: SetReactionTime(v.AsFloat(ask)); break;
  }
}

std::string TBotCharacter::GetPlayerLine() const {
  std::string line = "Player=(";
  const auto item = [this, &line](TKey key, std::string_view value) {
    line += KeyText(key);
    line += '=';
    line += value;
    line += ',';
  };
  const auto quoted = [this, &line](TKey key, const std::string& value) {
    line += KeyText(key);
    line += "=\"";
    line += value;
    line += "\",";
  };
  // A string as it was read, in quotes or bare, unless it cannot stand bare.
  const auto string = [&](TKey key, const std::string& value) {
    if (FQuoted[key] || NeedsQuotes(value))
      quoted(key, value);
    else
      item(key, value);
  };
  const auto text = [&string](TKey key, const std::string& value) {
    if (!value.empty()) string(key, value);
  };
  const auto skill = [&item](TKey key, double value) {
    if (value != 0) item(key, FloatText(value));
  };
  quoted(kDefaultName, FDefaultName);
  string(kSpecies, FSpecies);
  string(kMesh, FMesh);
  string(kBodySkin, FBodySkin);
  string(kFaceSkin, FFaceSkin);
  string(kPortrait, FPortrait);
  string(kText, Text);
  text(kVoice, FVoice);
  // Sex and Menu are read back as "Male" and "SP" when their item is
  // missing, so an empty value is written out to survive a save and a load.
  string(kSex, FSex);
  skill(kAccuracy, FAccuracy);
  skill(kAggressiveness, FAggressiveness);
  skill(kStrafingAbility, FStrafingAbility);
  skill(kCombatStyle, FCombatStyle);
  skill(kTactics, FTactics);
  skill(kReactionTime, FReactionTime);
  if (FBJumpy) item(kJumpy, "1");
  text(kFavoriteWeapon, FFavoriteWeapon);
  quoted(kMenu, FMenu);
  text(kSkeleton, FSkeleton);
  text(kRagdoll, FRagdoll);
  line.back() = ')';
  return line;
}

}  // namespace roster
