#pragma once

// One bot of a roster and its text form, the PlayerLine:
//   Player=(DefaultName="Name",Species=...,Mesh=...,...)
// The record also rates the bot for its profile and exports it as an
// UnrealScript PlayerRecordClass.

#include <bitset>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "roster/RosterErrors.h"

namespace roster {

class TInputQuery;

// An item of a PlayerLine whose number could not be read. The message is
// the number's own; Item is the whole item as the line holds it.
class EItemError : public EConvertError {
 public:
  EItemError(const std::string& message, std::string item) : EConvertError(message), Item(std::move(item)) {}
  std::string Item;
};

// The line a new bot is made from (its key "species" is lower case as the
// game's own default is).
extern const char* const DefaultPlayerLine;

class TBotCharacter {
 public:
  // A new bot: the DefaultPlayerLine, Aggressiveness 0.3, CombatStyle 0.2.
  TBotCharacter();

  // Reads the DefaultPlayerLine, its keys then spelled as GetPlayerLine
  // spells them for a bot made here ("Species", not its "species").
  void SetDefaultPlayerLine();

  // Resets the record and reads a PlayerLine ("Player=(...)" or the part
  // from "(" on). A number that cannot be read is offered through `ask`
  // (TUtType::AsFloat), whose prompt names the bot, the item and, for a
  // line of a roster file, its 1-based `lineNumber` (0: none); it may raise
  // EItemError, leaving the fields read so far.
  void SetPlayerLine(const std::string& s, TInputQuery* ask = nullptr, int lineNumber = 0);
  std::string GetPlayerLine() const;
  // GetPlayerLine followed by the items of `source` (a PlayerLine as
  // SetPlayerLine takes it) that no field of the record takes, in their
  // order: the whole bot, for the items this program does not know (Race=,
  // BotUse=, ...) must not get lost on their way through it.
  std::string GetPlayerLineKeepingUnknownItems(const std::string& source) const;

  // The items of a PlayerLine that no field of the record takes, in their
  // order, each trimmed as the reader trims it; empty items are left out.
  static std::vector<std::string> UnknownItems(const std::string& s);

  bool GetJumpy() const { return FBJumpy; }
  double GetReactionTime() const { return FReactionTime; }
  double GetStrafingAbility() const { return FStrafingAbility; }
  double GetAccuracy() const { return FAccuracy; }
  double GetAggressiveness() const { return FAggressiveness; }
  double GetCombatStyle() const { return FCombatStyle; }
  double GetTactics() const { return FTactics; }
  const std::string& GetPortrait() const { return FPortrait; }
  const std::string& GetSpecies() const { return FSpecies; }
  const std::string& GetMesh() const { return FMesh; }
  const std::string& GetSex() const { return FSex; }
  const std::string& GetRagdoll() const { return FRagdoll; }
  const std::string& GetSkeleton() const { return FSkeleton; }
  const std::string& GetDefaultName() const { return FDefaultName; }
  const std::string& GetMenu() const { return FMenu; }
  const std::string& GetFavoriteWeapon() const { return FFavoriteWeapon; }
  const std::string& GetFaceSkin() const { return FFaceSkin; }
  const std::string& GetBodySkin() const { return FBodySkin; }
  const std::string& GetVoice() const { return FVoice; }

  // The skill setters clamp to their limits: ReactionTime, StrafingAbility,
  // Accuracy and Tactics -5..5, Aggressiveness 0..1, CombatStyle -1..1.
  void SetJumpy(bool value) { FBJumpy = value; }
  void SetReactionTime(double value);
  void SetStrafingAbility(double value);
  void SetAccuracy(double value);
  void SetAggressiveness(double value);
  void SetCombatStyle(double value);
  void SetTactics(double value);
  void SetPortrait(const std::string& value) { FPortrait = value; }
  void SetSpecies(const std::string& value) { FSpecies = value; }
  void SetMesh(const std::string& value) { FMesh = value; }
  void SetSex(const std::string& value) { FSex = value; }
  void SetRagdoll(const std::string& value) { FRagdoll = value; }
  void SetSkeleton(const std::string& value) { FSkeleton = value; }
  void SetDefaultName(const std::string& value) { FDefaultName = value; }
  void SetMenu(const std::string& value) { FMenu = value; }
  void SetFavoriteWeapon(const std::string& value) { FFavoriteWeapon = value; }
  void SetFaceSkin(const std::string& value) { FFaceSkin = value; }
  void SetBodySkin(const std::string& value) { FBodySkin = value; }
  void SetVoice(const std::string& value) { FVoice = value; }

  // The biography lines that Text names (the reference itself when it
  // cannot be resolved); the record keeps owning them.
  std::vector<std::string>& GetBio() { return FBio; }
  const std::vector<std::string>& GetBio() const { return FBio; }

  // Profile ratings in percent, and the salary in credits.
  double AccuracyRating() const;
  double TacticsRating() const;
  double AgilityRating() const;
  double AggressivenessRating() const;
  double Salary() const;

  // Writes BaseDir/<DefaultName>Mod/Classes/<DefaultName>.uc, creating the
  // two folders when missing. Raises EExportError, before anything is
  // made, for a name that is no UnrealScript identifier, and
  // platform::EFileError when a folder or the file cannot be made.
  void ExportPlayerRecordClass(const std::string& baseDir) const;
  // The lines of that file.
  std::vector<std::string> PlayerRecordClassLines() const;

  // Points the bot at another biography ("Package.Key") and resolves its
  // lines again from the cached .int files, so that GetBio gives what
  // the reference now names.
  void SetText(const std::string& value);

  // The biography reference ("Package.Key"); write it through SetText.
  std::string Text;
  // The 0-based roster line the bot came from; -1 for a new bot.
  int LineIndex = -1;

 private:
  void Reset();
  void ApplyItem(const std::string& item, bool& sawText, TInputQuery* ask);
  void SpellKey(std::size_t key, std::string_view spelling);
  std::string_view KeyText(std::size_t key) const;

  bool FBJumpy = false;
  double FReactionTime = 0;
  double FStrafingAbility = 0;
  double FAccuracy = 0;
  double FAggressiveness = 0;
  double FCombatStyle = 0;
  double FTactics = 0;
  std::string FPortrait;
  std::string FSpecies;
  std::string FMesh;
  std::string FSex;
  std::string FRagdoll;
  std::string FSkeleton;
  std::vector<std::string> FBio;
  std::string FDefaultName;
  std::string FMenu;
  std::string FFavoriteWeapon;
  std::string FFaceSkin;
  std::string FBodySkin;
  std::string FVoice;
  // Which items the line read last held in double quotes, by key; they
  // are written in quotes again.
  std::bitset<20> FQuoted;
  // The keys that the line read last spelled otherwise than GetPlayerLine
  // would (a mod's VoiceClassName=, a lower-case species=), by key: they
  // are written back as the file spelled them, for the game may read the
  // item under that key alone. Most lines have none.
  std::vector<std::pair<std::size_t, std::string>> FKeySpellings;
};

}  // namespace roster
