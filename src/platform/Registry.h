#pragma once

// Where the game is installed. On Windows the game's installer records its
// folder in the registry; elsewhere the game runs under Wine, whose
// registry is a text file in the Wine prefix, and whose drive letters are
// folders of that prefix.

#include <optional>
#include <string>

namespace platform {

// The game's System directory: the installer's "Folder" value plus
// "\system", else "C:\UT2003\System". Off Windows the Windows path is mapped
// into the Wine prefix ($WINEPREFIX, else ~/.wine) when the prefix exists,
// taking each part as it is spelled on disk.
std::string GetGameSystemDir();

// The same for a given Wine prefix folder (tests name their own).
std::string GetGameSystemDirInPrefix(const std::string& prefix);

// A string value under HKEY_LOCAL_MACHINE read from a Wine "system.reg"
// file. `key` is written with single backslashes, without a leading one;
// key and value names match without regard to case. Nothing when the file,
// the key or the value is missing.
std::optional<std::string> ReadWineMachineValue(const std::string& systemRegFile, const std::string& key,
                                                const std::string& valueName);

// "C:\UT2003\System" inside a prefix: prefix/dosdevices/c:/UT2003/System,
// or prefix/drive_c/UT2003/System. Nothing for a path without a drive.
std::optional<std::string> MapWindowsPathIntoPrefix(const std::string& prefix, const std::string& windowsPath);

}  // namespace platform
