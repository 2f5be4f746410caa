#include "packages/PuUtGames.h"

namespace packages {

const char* const UTGameNames[13] = {"Unknown",
                                     "Unreal",
                                     "Unreal Tournament",
                                     "The Wheel of Time",
                                     "Klingon Honor Guard",
                                     "Rune",
                                     "Quillon's Undying",
                                     "Deus Ex",
                                     "XCom Enforcer",
                                     "Star Trek: Deep Space Nine",
                                     "Nerf Arena Blast",
                                     "Unreal Tournament 2003",
                                     "Army Operations"};

}  // namespace packages
