#include "roster/PuBotCharacter.h"

namespace roster {

const char* const DefaultPlayerLine =
    "Player=(DefaultName=\"NewBot\",Mesh=Jugg.JuggMaleA,species=xGame.SPECIES_Jugg,"
    "BodySkin=PlayerSkins.JuggMaleABodyA,FaceSkin=PlayerSkins.JuggMaleAHeadA,"
    "Portrait=PlayerPictures.cJuggMaleAA,Text=XPlayers.Default,Sex=Male,Menu=\"SP\")";

TBotCharacter::TBotCharacter() {}
void TBotCharacter::SetPlayerLine(const std::string&) {}
std::string TBotCharacter::GetPlayerLine() const { return "Player=()"; }
void TBotCharacter::SetReactionTime(double v) { ReactionTime_ = v; }
void TBotCharacter::SetStrafingAbility(double v) { StrafingAbility_ = v; }
void TBotCharacter::SetAccuracy(double v) { Accuracy_ = v; }
void TBotCharacter::SetAggressiveness(double v) { Aggressiveness_ = v; }
void TBotCharacter::SetCombatStyle(double v) { CombatStyle_ = v; }
void TBotCharacter::SetTactics(double v) { Tactics_ = v; }
double TBotCharacter::AccuracyRating() const { return 0; }
double TBotCharacter::TacticsRating() const { return 0; }
double TBotCharacter::AgilityRating() const { return 0; }
double TBotCharacter::AggressivenessRating() const { return 0; }
double TBotCharacter::Salary() const { return 0; }
void TBotCharacter::ExportPlayerRecordClass(const std::string&) const {}
std::vector<std::string> TBotCharacter::PlayerRecordClassLines() const { return {}; }
void TBotCharacter::Reset() {}
void TBotCharacter::ApplyItem(const std::string&, bool&) {}

}  // namespace roster
