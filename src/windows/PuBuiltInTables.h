#pragma once

// The game's stock content, which fills the pick lists at the very first
// start, before the value-list file exists. Each entry is a bare reference
// (a package name, "." and an object name) as a roster writes it.

#include <string>
#include <vector>

namespace windows {

// The stock player meshes; the last four are the skeleton meshes.
const std::vector<std::string>& BuiltInMeshes();
// The stock body skins: each model's own, the skeleton skin, then the team colours _0 and _1.
const std::vector<std::string>& BuiltInBodySkins();
const std::vector<std::string>& BuiltInFaceSkins();
const std::vector<std::string>& BuiltInPortraits();
// Kept in this order: the voice pick list shows them so.
const std::vector<std::string>& BuiltInVoices();
// Species references; their display names come from the cached xGame .int file.
const std::vector<std::string>& BuiltInSpecies();
const std::vector<std::string>& BuiltInSkeletons();
const std::vector<std::string>& BuiltInSex();
// "-" first: the menu pick list's row 0 stands for no menu.
const std::vector<std::string>& BuiltInMenu();

}  // namespace windows
