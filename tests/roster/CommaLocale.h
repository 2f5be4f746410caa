#pragma once

// Switches the process to a locale whose decimal separator is a comma, so
// that tests can show that roster numbers do not follow the locale. When
// the machine has no such locale installed, one is compiled with localedef
// into the test output folder, once for all test processes.

#include <unistd.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <locale>
#include <string>

namespace roster_test {

class CommaLocale {
 public:
  CommaLocale() : saved_(std::setlocale(LC_ALL, nullptr)) {
    if (TrySet()) return;
    namespace fs = std::filesystem;
    const fs::path dir = fs::path(ROSTERWELL_TEST_OUTPUT_DIR) / "locale";
    if (!fs::exists(dir / "de_DE.UTF-8")) {
      // Tests run as parallel processes: each builds in a folder of its
      // own and moves the result into place, so none sees half a locale.
      const fs::path own = dir.string() + "." + std::to_string(getpid());
      fs::create_directories(own);
      fs::create_directories(dir);
      const std::string cmd = "localedef -i de_DE -f UTF-8 '" + (own / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
      if (std::system(cmd.c_str()) == 0) {
        std::error_code ec;
        fs::rename(own / "de_DE.UTF-8", dir / "de_DE.UTF-8", ec);
      }
      fs::remove_all(own);
    }
    // Only now: the C library remembers a locale it once failed to find.
    setenv("LOCPATH", dir.c_str(), 1);
    TrySet();
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
    for (const char* name : {"de_DE.UTF-8", "de_DE", "fr_FR.UTF-8"}) {
      if (!std::setlocale(LC_ALL, name) || std::localeconv()->decimal_point[0] != ',') continue;
      std::locale::global(std::locale(name));  // iostreams too
      return active_ = true;
    }
    return false;
  }

  std::string saved_;
  bool active_ = false;
};

}  // namespace roster_test
