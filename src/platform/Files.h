#pragma once

// File-system queries in the manner of the game's home platform: names match
// without regard to case ("XPlayers.INT" is "xplayers.int"), and paths may
// come with either "/" or "\" between their parts.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileError.h"

namespace platform {

// Whether `name` matches a pattern of "*" (any run) and "?" (any one byte),
// without regard to ASCII case.
bool MatchesPattern(std::string_view pattern, std::string_view name);

// Names (not paths) of the plain files in `dir` that match `pattern`,
// sorted without regard to case. A missing folder gives no names.
std::vector<std::string> ListFiles(const std::string& dir, std::string_view pattern);

// Like ListFiles, for the folders in `dir` ("." and ".." left out).
std::vector<std::string> ListDirectories(const std::string& dir, std::string_view pattern);

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);

// The existing file or folder whose path equals `path` but for the case of
// its parts ("/game/system/XPLAYERS.INT" finds "/game/System/XPlayers.int").
// An exact match wins; nothing when no such path exists.
std::optional<std::string> FindPathIgnoringCase(const std::string& path);
// `path` as it is spelled on disk (FindPathIgnoringCase), or `path` itself
// when nothing of that name is there.
std::string PathOnDisk(const std::string& path);

// Creates one folder level; true when it exists afterwards.
bool CreateDirectoryLevel(const std::string& path);

// Removes a file; true when it is gone afterwards.
bool DeleteFileAt(const std::string& path);

// Path helpers that treat both "/" and "\" as separators.
std::string JoinPath(const std::string& dir, const std::string& name);
std::string ExtractFileName(const std::string& path);
std::string ExtractFileDir(const std::string& path);
std::string ExtractFileExt(const std::string& path);   // with its ".", or empty
std::string ChangeFileExt(const std::string& path, const std::string& ext);

}  // namespace platform
