#include "roster/PuUtStringlist.h"

namespace roster {

int TUtStringlist::Add(const std::string& s) {
  if (s.find('=') != std::string::npos) return AddLine(s);
  const std::size_t dot = s.find('.');
  const std::string line = s + "=" + (dot == std::string::npos ? s : s.substr(dot + 1));
  if (IndexOf(line) >= 0) return -1;
  return AddLine(line);
}

}  // namespace roster
