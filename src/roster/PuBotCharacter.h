#pragma once

// One bot of a roster and its text form, the PlayerLine:
//   Player=(DefaultName="Name",Species=...,Mesh=...,...)
// The record also rates the bot for its profile and exports it as an
// UnrealScript PlayerRecordClass.

#include <bitset>
#include <string>
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

  bool GetJumpy() const { return bJumpy_; }
  double GetReactionTime() const { return ReactionTime_; }
  double GetStrafingAbility() const { return StrafingAbility_; }
  double GetAccuracy() const { return Accuracy_; }
  double GetAggressiveness() const { return Aggressiveness_; }
  double GetCombatStyle() const { return CombatStyle_; }
  double GetTactics() const { return Tactics_; }
  const std::string& GetPortrait() const { return Portrait_; }
  const std::string& GetSpecies() const { return Species_; }
  const std::string& GetMesh() const { return Mesh_; }
  const std::string& GetSex() const { return Sex_; }
  const std::string& GetRagdoll() const { return Ragdoll_; }
  const std::string& GetSkeleton() const { return Skeleton_; }
  const std::string& GetDefaultName() const { return DefaultName_; }
  const std::string& GetMenu() const { return Menu_; }
  const std::string& GetFavoriteWeapon() const { return FavoriteWeapon_; }
  const std::string& GetFaceSkin() const { return FaceSkin_; }
  const std::string& GetBodySkin() const { return BodySkin_; }
  const std::string& GetVoice() const { return Voice_; }

  // The skill setters clamp to their limits: ReactionTime, StrafingAbility,
  // Accuracy and Tactics -5..5, Aggressiveness 0..1, CombatStyle -1..1.
  void SetJumpy(bool value) { bJumpy_ = value; }
  void SetReactionTime(double value);
  void SetStrafingAbility(double value);
  void SetAccuracy(double value);
  void SetAggressiveness(double value);
  void SetCombatStyle(double value);
  void SetTactics(double value);
  void SetPortrait(const std::string& value) { Portrait_ = value; }
  void SetSpecies(const std::string& value) { Species_ = value; }
  void SetMesh(const std::string& value) { Mesh_ = value; }
  void SetSex(const std::string& value) { Sex_ = value; }
  void SetRagdoll(const std::string& value) { Ragdoll_ = value; }
  void SetSkeleton(const std::string& value) { Skeleton_ = value; }
  void SetDefaultName(const std::string& value) { DefaultName_ = value; }
  void SetMenu(const std::string& value) { Menu_ = value; }
  void SetFavoriteWeapon(const std::string& value) { FavoriteWeapon_ = value; }
  void SetFaceSkin(const std::string& value) { FaceSkin_ = value; }
  void SetBodySkin(const std::string& value) { BodySkin_ = value; }
  void SetVoice(const std::string& value) { Voice_ = value; }

  // The biography lines that Text names (the reference itself when it
  // cannot be resolved); the record keeps owning them.
  std::vector<std::string>& GetBio() { return Bio_; }
  const std::vector<std::string>& GetBio() const { return Bio_; }

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

  bool bJumpy_ = false;
  double ReactionTime_ = 0;
  double StrafingAbility_ = 0;
  double Accuracy_ = 0;
  double Aggressiveness_ = 0;
  double CombatStyle_ = 0;
  double Tactics_ = 0;
  std::string Portrait_;
  std::string Species_;
  std::string Mesh_;
  std::string Sex_;
  std::string Ragdoll_;
  std::string Skeleton_;
  std::vector<std::string> Bio_;
  std::string DefaultName_;
  std::string Menu_;
  std::string FavoriteWeapon_;
  std::string FaceSkin_;
  std::string BodySkin_;
  std::string Voice_;
  // Which items the line read last held in double quotes, by key; they
  // are written in quotes again.
  std::bitset<20> quoted_;
};

}  // namespace roster
