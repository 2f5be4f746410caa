#include "roster/PuUtStringlist.h"

namespace roster {

std::string TUtStringlist::ReferenceLine(const std::string& s) {
  const std::size_t dot = s.find('.');
  return s + "=" + (dot == std::string::npos ? s : s.substr(dot + 1));
}

int TUtStringlist::Add(const std::string& s) {
  if (s.find('=') != std::string::npos) return AddLine(s);
  const std::string line = ReferenceLine(s);
  if (IndexOf(line) >= 0) return -1;
  return AddLine(line);
}

}  // namespace roster
