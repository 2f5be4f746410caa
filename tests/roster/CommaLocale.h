#pragma once

// Switches the process to a locale whose decimal separator is a comma, so
// that tests can show that roster numbers do not follow the locale. When
// the machine has no such locale installed, one is compiled with localedef
// into the test output folder.

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <locale>
#include <string>

namespace roster_test {

class CommaLocale {
 public:
  CommaLocale() {
    saved_ = std::setlocale(LC_ALL, nullptr);
    if (TrySet()) return;
    const std::string dir = std::string(ROSTERWELL_TEST_OUTPUT_DIR) + "/locale";
    std::filesystem::create_directories(dir);
    const std::string cmd = "localedef -i de_DE -f UTF-8 '" + dir + "/de_DE.UTF-8' >/dev/null 2>&1";
    if (std::system(cmd.c_str()) == 0 || std::filesystem::exists(dir + "/de_DE.UTF-8")) {
      setenv("LOCPATH", dir.c_str(), 1);
      TrySet();
    }
  }
  ~CommaLocale() {
    std::setlocale(LC_ALL, saved_.c_str());
    std::locale::global(std::locale::classic());
  }
  CommaLocale(const CommaLocale&) = delete;
  CommaLocale& operator=(const CommaLocale&) = delete;

  bool active() const { return active_; }

 private:
  bool TrySet() {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "fr_FR"}) {
      if (!std::setlocale(LC_ALL, name)) continue;
      if (std::localeconv()->decimal_point[0] == ',') {
        try {
          std::locale::global(std::locale(name));
        } catch (const std::exception&) {
        }
        active_ = true;
        return true;
      }
    }
    return false;
  }

  std::string saved_;
  bool active_ = false;
};

}  // namespace roster_test
