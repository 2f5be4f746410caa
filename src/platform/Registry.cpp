#include "platform/Registry.h"

#include <cstdlib>

#include "platform/AsciiText.h"
#include "platform/Files.h"
#include "platform/TextFile.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace platform {

namespace {

const char* const kGameKey = "Software\\Unreal Technology\\Installed Apps\\UT2003";
const char* const kDefaultSystemDir = "C:\\UT2003\\System";

// Wine writes key names with every backslash doubled.
std::string EscapeRegKey(const std::string& key) {
  std::string r;
  for (char c : key) {
    r += c;
    if (c == '\\') r += '\\';
  }
  return r;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = AsciiUpper(c);
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The text between the quotes of "...", with Wine's escapes undone.
// Characters above 255 cannot stand in the game's 8-bit text: they become "?".
std::optional<std::string> UnquoteRegString(const std::string& s, std::size_t& pos) {
  if (pos >= s.size() || s[pos] != '"') return std::nullopt;
  std::string r;
  for (++pos; pos < s.size(); ++pos) {
    char c = s[pos];
    if (c == '"') {
      ++pos;
      return r;
    }
    if (c != '\\' || pos + 1 >= s.size()) {
      r += c;
      continue;
    }
    c = s[++pos];
    if (c == 'n') {
      r += '\n';
    } else if (c == 'x') {
      unsigned code = 0;
      int digits = 0;
      while (digits < 4 && pos + 1 < s.size() && HexDigit(s[pos + 1]) >= 0) {
        code = code * 16 + unsigned(HexDigit(s[++pos]));
        ++digits;
      }
      r += code < 256 ? char(code) : '?';
    } else {
      r += c;
    }
  }
  return std::nullopt;
}

#ifndef _WIN32
std::string HomeWinePrefix() {
  if (const char* p = std::getenv("WINEPREFIX"); p && *p) return p;
  if (const char* h = std::getenv("HOME"); h && *h) return JoinPath(h, ".wine");
  return std::string();
}
#endif

}  // namespace

std::optional<std::string> ReadWineMachineValue(const std::string& systemRegFile, const std::string& key,
                                                const std::string& valueName) {
  std::string text;
  try {
    text = ReadFileBytes(systemRegFile);
  } catch (const EFileError&) {
    return std::nullopt;
  }
  std::string header = "[";
  header += EscapeRegKey(key);
  header += ']';
  bool inKey = false;
  for (const std::string& line : SplitLines(text)) {
    if (!line.empty() && line[0] == '[') {
      inKey = StartsText(header, line);
      continue;
    }
    if (!inKey) continue;
    std::size_t pos = 0;
    auto name = UnquoteRegString(line, pos);
    if (!name || !SameText(*name, valueName) || pos >= line.size() || line[pos] != '=') continue;
    ++pos;
    if (auto value = UnquoteRegString(line, pos)) return value;
    return std::nullopt;  // not a string value
  }
  return std::nullopt;
}

std::optional<std::string> MapWindowsPathIntoPrefix(const std::string& prefix, const std::string& windowsPath) {
  if (windowsPath.size() < 2 || windowsPath[1] != ':') return std::nullopt;
  const char drive = AsciiLower(windowsPath[0]);
  std::string rest = windowsPath.substr(2);
  for (char& c : rest)
    if (c == '\\') c = '/';
  std::string root = JoinPath(JoinPath(prefix, "dosdevices"), std::string(1, drive) + ":");
  if (!DirectoryExists(root)) {
    if (drive != 'c') return std::nullopt;
    root = JoinPath(prefix, "drive_c");
  }
  std::string mapped = root + (rest.empty() || rest[0] == '/' ? rest : "/" + rest);
  if (auto onDisk = FindPathIgnoringCase(mapped)) return onDisk;
  return mapped;
}

std::string GetGameSystemDirInPrefix(const std::string& prefix) {
  std::string dir = kDefaultSystemDir;
  if (auto folder = ReadWineMachineValue(JoinPath(prefix, "system.reg"), kGameKey, "Folder"))
    dir = *folder + "\\system";
  if (DirectoryExists(prefix))
    if (auto mapped = MapWindowsPathIntoPrefix(prefix, dir)) return *mapped;
  return dir;
}

#ifdef _WIN32
std::string GetGameSystemDir() {
  std::string dir = kDefaultSystemDir;
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kGameKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
    char buffer[1024];
    DWORD size = sizeof buffer - 1;
    DWORD type = 0;
    std::string folder;
    if (RegQueryValueExA(key, "Folder", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS &&
        type == REG_SZ) {
      buffer[size] = 0;
      folder = buffer;
    }
    RegCloseKey(key);
    dir = folder + "\\system";
  }
  return dir;
}
#else
std::string GetGameSystemDir() { return GetGameSystemDirInPrefix(HomeWinePrefix()); }
#endif

}  // namespace platform
