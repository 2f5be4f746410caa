#include "packages/PuUtNatives.h"

#include <algorithm>
#include <initializer_list>

#include "packages/PuUtNativesGames.h"

namespace packages {

// Unreal Tournament 2003 and 2004.
const TNativeFunctions NativesUT2003 = {
    {112, nfBinaryOperator, 40, "$"},
    {113, nfFunction, 0, "GotoState"},
    {114, nfBinaryOperator, 24, "=="},
    {115, nfBinaryOperator, 24, "<"},
    {116, nfBinaryOperator, 24, ">"},
    {117, nfFunction, 0, "Enable"},
    {118, nfFunction, 0, "Disable"},
    {119, nfBinaryOperator, 26, "!="},
    {120, nfBinaryOperator, 24, "<="},
    {121, nfBinaryOperator, 24, ">="},
    {122, nfBinaryOperator, 24, "=="},
    {123, nfBinaryOperator, 26, "!="},
    {124, nfBinaryOperator, 24, "~="},
    {125, nfFunction, 0, "Len"},
    {126, nfFunction, 0, "InStr"},
    {127, nfFunction, 0, "Mid"},
    {128, nfFunction, 0, "Left"},
    {129, nfPrefixOperator, 0, "!"},
    {130, nfBinaryOperator, 10, "&&"},
    {131, nfBinaryOperator, 10, "^^"},
    {132, nfBinaryOperator, 11, "||"},
    {133, nfBinaryOperator, 34, "*="},
    {134, nfBinaryOperator, 34, "/="},
    {135, nfBinaryOperator, 34, "+="},
    {136, nfBinaryOperator, 34, "-="},
    {137, nfPrefixOperator, 0, "++"},
    {138, nfPrefixOperator, 0, "--"},
    {139, nfPostfixOperator, 0, "++"},
    {140, nfPostfixOperator, 0, "--"},
    {141, nfPrefixOperator, 0, "~"},
    {142, nfBinaryOperator, 24, "=="},
    {143, nfPrefixOperator, 0, "-"},
    {144, nfBinaryOperator, 16, "*"},
    {145, nfBinaryOperator, 16, "/"},
    {146, nfBinaryOperator, 20, "+"},
    {147, nfBinaryOperator, 20, "-"},
    {148, nfBinaryOperator, 22, "<<"},
    {149, nfBinaryOperator, 22, ">>"},
    {150, nfBinaryOperator, 24, "<"},
    {151, nfBinaryOperator, 24, ">"},
    {152, nfBinaryOperator, 24, "<="},
    {153, nfBinaryOperator, 24, ">="},
    {154, nfBinaryOperator, 24, "=="},
    {155, nfBinaryOperator, 26, "!="},
    {156, nfBinaryOperator, 28, "&"},
    {157, nfBinaryOperator, 28, "^"},
    {158, nfBinaryOperator, 28, "|"},
    {159, nfBinaryOperator, 34, "*="},
    {160, nfBinaryOperator, 34, "/="},
    {161, nfBinaryOperator, 34, "+="},
    {162, nfBinaryOperator, 34, "-="},
    {163, nfPrefixOperator, 0, "++"},
    {164, nfPrefixOperator, 0, "--"},
    {165, nfPostfixOperator, 0, "++"},
    {166, nfPostfixOperator, 0, "--"},
    {167, nfFunction, 0, "Rand"},
    {168, nfBinaryOperator, 40, "@"},
    {169, nfPrefixOperator, 0, "-"},
    {170, nfBinaryOperator, 12, "**"},
    {171, nfBinaryOperator, 16, "*"},
    {172, nfBinaryOperator, 16, "/"},
    {173, nfBinaryOperator, 18, "%"},
    {174, nfBinaryOperator, 20, "+"},
    {175, nfBinaryOperator, 20, "-"},
    {176, nfBinaryOperator, 24, "<"},
    {177, nfBinaryOperator, 24, ">"},
    {178, nfBinaryOperator, 24, "<="},
    {179, nfBinaryOperator, 24, ">="},
    {180, nfBinaryOperator, 24, "=="},
    {181, nfBinaryOperator, 26, "!="},
    {182, nfBinaryOperator, 34, "*="},
    {183, nfBinaryOperator, 34, "/="},
    {184, nfBinaryOperator, 34, "+="},
    {185, nfBinaryOperator, 34, "-="},
    {186, nfFunction, 0, "Abs"},
    {187, nfFunction, 0, "Sin"},
    {188, nfFunction, 0, "Cos"},
    {189, nfFunction, 0, "Tan"},
    {190, nfFunction, 0, "Atan"},
    {191, nfFunction, 0, "Exp"},
    {192, nfFunction, 0, "Loge"},
    {193, nfFunction, 0, "Sqrt"},
    {194, nfFunction, 0, "Square"},
    {195, nfFunction, 0, "FRand"},
    {196, nfBinaryOperator, 22, ">>>"},
    {197, nfFunction, 0, "AllObjects"},
    {203, nfBinaryOperator, 26, "!="},
    {210, nfBinaryOperator, 24, "~="},
    {211, nfPrefixOperator, 0, "-"},
    {212, nfBinaryOperator, 16, "*"},
    {213, nfBinaryOperator, 16, "*"},
    {214, nfBinaryOperator, 16, "/"},
    {215, nfBinaryOperator, 20, "+"},
    {216, nfBinaryOperator, 20, "-"},
    {217, nfBinaryOperator, 24, "=="},
    {218, nfBinaryOperator, 26, "!="},
    {219, nfBinaryOperator, 16, "Dot"},
    {220, nfBinaryOperator, 16, "Cross"},
    {221, nfBinaryOperator, 34, "*="},
    {222, nfBinaryOperator, 34, "/="},
    {223, nfBinaryOperator, 34, "+="},
    {224, nfBinaryOperator, 34, "-="},
    {225, nfFunction, 0, "VSize"},
    {226, nfFunction, 0, "Normal"},
    {227, nfFunction, 0, "Invert"},
    {229, nfFunction, 0, "GetAxes"},
    {230, nfFunction, 0, "GetUnAxes"},
    {231, nfFunction, 0, "Log"},
    {232, nfFunction, 0, "Warn"},
    {233, nfFunction, 0, "Error"},
    {234, nfFunction, 0, "Right"},
    {235, nfFunction, 0, "Caps"},
    {236, nfFunction, 0, "Chr"},
    {237, nfFunction, 0, "Asc"},
    {242, nfBinaryOperator, 24, "=="},
    {243, nfBinaryOperator, 26, "!="},
    {244, nfFunction, 0, "FMin"},
    {245, nfFunction, 0, "FMax"},
    {246, nfFunction, 0, "FClamp"},
    {247, nfFunction, 0, "Lerp"},
    {248, nfFunction, 0, "Smerp"},
    {249, nfFunction, 0, "Min"},
    {250, nfFunction, 0, "Max"},
    {251, nfFunction, 0, "Clamp"},
    {252, nfFunction, 0, "VRand"},
    {253, nfFunction, 0, "Ceil"},
    {254, nfBinaryOperator, 24, "=="},
    {255, nfBinaryOperator, 26, "!="},
    {256, nfFunction, 0, "Sleep"},
    {257, nfFunction, 0, "Round"},
    {258, nfFunction, 0, "ClassIsChildOf"},
    {259, nfFunction, 0, "PlayAnim"},
    {260, nfFunction, 0, "LoopAnim"},
    {261, nfFunction, 0, "FinishAnim"},
    {262, nfFunction, 0, "SetCollision"},
    {263, nfFunction, 0, "HasAnim"},
    {264, nfFunction, 0, "PlaySound"},
    {266, nfFunction, 0, "Move"},
    {267, nfFunction, 0, "SetLocation"},
    {272, nfFunction, 0, "SetOwner"},
    {275, nfBinaryOperator, 22, "<<"},
    {276, nfBinaryOperator, 22, ">>"},
    {277, nfFunction, 0, "Trace"},
    {278, nfFunction, 0, "Spawn"},
    {279, nfFunction, 0, "Destroy"},
    {280, nfFunction, 0, "SetTimer"},
    {281, nfFunction, 0, "IsInState"},
    {282, nfFunction, 0, "IsAnimating"},
    {283, nfFunction, 0, "SetCollisionSize"},
    {284, nfFunction, 0, "GetStateName"},
    {287, nfBinaryOperator, 16, "*"},
    {288, nfBinaryOperator, 16, "*"},
    {289, nfBinaryOperator, 16, "/"},
    {290, nfBinaryOperator, 34, "*="},
    {291, nfBinaryOperator, 34, "/="},
    {294, nfFunction, 0, "TweenAnim"},
    {296, nfBinaryOperator, 16, "*"},
    {297, nfBinaryOperator, 34, "*="},
    {298, nfFunction, 0, "SetBase"},
    {299, nfFunction, 0, "SetRotation"},
    {300, nfFunction, 0, "MirrorVectorByNormal"},
    {301, nfFunction, 0, "FinishInterpolation"},
    {303, nfFunction, 0, "IsA"},
    {304, nfFunction, 0, "AllActors"},
    {305, nfFunction, 0, "ChildActors"},
    {306, nfFunction, 0, "BasedActors"},
    {307, nfFunction, 0, "TouchingActors"},
    {308, nfFunction, 0, "ZoneActors"},
    {309, nfFunction, 0, "TraceActors"},
    {310, nfFunction, 0, "RadiusActors"},
    {311, nfFunction, 0, "VisibleActors"},
    {312, nfFunction, 0, "VisibleCollidingActors"},
    {313, nfFunction, 0, "DynamicActors"},
    {314, nfFunction, 0, "Warp"},
    {315, nfFunction, 0, "UnWarp"},
    {316, nfBinaryOperator, 20, "+"},
    {317, nfBinaryOperator, 20, "-"},
    {318, nfBinaryOperator, 34, "+="},
    {319, nfBinaryOperator, 34, "-="},
    {320, nfFunction, 0, "RotRand"},
    {321, nfFunction, 0, "CollidingActors"},
    {464, nfFunction, 0, "StrLen"},
    {465, nfFunction, 0, "DrawText"},
    {466, nfFunction, 0, "DrawTile"},
    {467, nfFunction, 0, "DrawActor"},
    {468, nfFunction, 0, "DrawTileClipped"},
    {469, nfFunction, 0, "DrawTextClipped"},
    {470, nfFunction, 0, "TextSize"},
    {480, nfFunction, 0, "DrawPortal"},
    {500, nfFunction, 0, "MoveTo"},
    {502, nfFunction, 0, "MoveToward"},
    {508, nfFunction, 0, "FinishRotation"},
    {510, nfFunction, 0, "WaitToSeeEnemy"},
    {512, nfFunction, 0, "MakeNoise"},
    {514, nfFunction, 0, "LineOfSightTo"},
    {517, nfFunction, 0, "FindPathToward"},
    {518, nfFunction, 0, "FindPathTo"},
    {520, nfFunction, 0, "actorReachable"},
    {521, nfFunction, 0, "pointReachable"},
    {523, nfFunction, 0, "EAdjustJump"},
    {524, nfFunction, 0, "FindStairRotation"},
    {525, nfFunction, 0, "FindRandomDest"},
    {526, nfFunction, 0, "PickWallAdjust"},
    {527, nfFunction, 0, "WaitForLanding"},
    {529, nfFunction, 0, "AddController"},
    {530, nfFunction, 0, "RemoveController"},
    {531, nfFunction, 0, "PickTarget"},
    {532, nfFunction, 0, "PlayerCanSeeMe"},
    {533, nfFunction, 0, "CanSee"},
    {534, nfFunction, 0, "PickAnyTarget"},
    {535, nfFunction, 0, "StopWatch"},
    {536, nfFunction, 0, "SaveConfig"},
    {539, nfFunction, 0, "GetMapName"},
    {540, nfFunction, 0, "FindBestInventoryPath"},
    {544, nfFunction, 0, "ResetKeyboard"},
    {545, nfFunction, 0, "GetNextSkin"},
    {547, nfFunction, 0, "GetURLMap"},
    {548, nfFunction, 0, "FastTrace"},
    {549, nfBinaryOperator, 20, "-"},
    {550, nfBinaryOperator, 16, "*"},
    {551, nfBinaryOperator, 20, "+"},
    {552, nfBinaryOperator, 16, "*"},
    {562, nfFunction, 0, "GetPlayerList"},
    {563, nfFunction, 0, "GetPlayerRecord"},
    {564, nfFunction, 0, "FindPlayerRecord"},
    {566, nfFunction, 0, "PlayFeedbackEffect"},
    {567, nfFunction, 0, "StopFeedbackEffect"},
    {568, nfFunction, 0, "ForceFeedbackSupported"},
    {573, nfFunction, 0, "GetMutatorList"},
    {3969, nfFunction, 0, "MoveSmooth"},
    {3970, nfFunction, 0, "SetPhysics"},
    {3971, nfFunction, 0, "AutonomousPhysics"},
};

namespace {

struct TRename {
  std::int32_t Index;
  const char* Name;
};

// `base` without the rows `removed`, with the functions `added` and with
// the names of `renamed` replaced, in ascending order of Index.
TNativeFunctions Derive(const TNativeFunctions& base, std::initializer_list<std::int32_t> removed,
                        std::initializer_list<TRename> added, std::initializer_list<TRename> renamed) {
  TNativeFunctions table;
  for (const auto& row : base)
    if (std::find(removed.begin(), removed.end(), row.Index) == removed.end()) table.push_back(row);
  for (const auto& [index, name] : added) table.push_back({index, nfFunction, 0, name});
  for (auto& row : table)
    for (const auto& [index, name] : renamed)
      if (row.Index == index) row.Name = name;
  std::stable_sort(table.begin(), table.end(), [](const auto& a, const auto& b) { return a.Index < b.Index; });
  return table;
}

}  // namespace

// The first engine generation: Unreal, Unreal Tournament and the games
// without a table of their own.
const TNativeFunctions NativesDefault =
    Derive(NativesUT2003, {197, 253, 257, 313, 321, 535, 562, 563, 564, 566, 567, 568, 573},
           {{293, "GetAnimGroup"}, {471, "DrawClippedActor"}, {472, "DrawText"}, {473, "DrawTile"},
            {474, "DrawColoredText"}, {475, "ReplaceTexture"}, {476, "TextSize"}, {504, "StrafeTo"},
            {506, "StrafeFacing"}, {519, "describeSpec"}, {522, "ClearPaths"}, {546, "UpdateURL"},
            {1033, "RandRange"}},
           {{508, "TurnTo"}, {510, "TurnToward"}, {529, "AddPawn"}, {530, "RemovePawn"}});

// Nerf Arena Blast.
const TNativeFunctions NativesNerf =
    Derive(NativesDefault, {548, 549, 550, 551, 552, 1033},
           {{737, "SetTrace"}, {738, "GetTrace"}, {739, "SetConfigString"}, {740, "GetConfigString"}}, {});

const TNativeFunctions& NativesForGame(TUTGameCode game) {
  if (const TNativeFunctions* table = GameSpecificNatives(game)) return *table;
  if (game == gameUT2003) return NativesUT2003;
  if (game == gameNerf) return NativesNerf;
  return NativesDefault;
}

const TNativeFunction* FindNative(const TNativeFunctions& table, int index) {
  for (const auto& row : table)
    if (row.Index == index) return &row;
  return nullptr;
}

}  // namespace packages
