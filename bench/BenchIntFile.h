#pragma once

// A generated .int file of about 11 KB, as a mod's: 20 weapons declared in
// [Public], 100 biographies in [DecoText], and a section per weapon with its
// display name.

#include <filesystem>
#include <fstream>
#include <string>

inline void WriteBenchIntFile(const std::filesystem::path& path, int number, const std::string& before = {}) {
  std::ofstream out(path, std::ios::binary);
  out << before << "[Public]\r\n";
  for (int o = 0; o < 20; ++o)
    out << "Object=(Name=Package" << number << ".Thing" << o << ",Class=Class,MetaClass=Engine.Weapon)\r\n";
  out << "\r\n[DecoText]\r\n";
  for (int t = 0; t < 100; ++t)
    out << "Bio" << t << "=\"Name:  Someone|Age:   30||A biography line long enough to look like one.|\"\r\n";
  for (int o = 0; o < 20; ++o) out << "\r\n[Thing" << o << "]\r\nItemName=\"Thing number " << o << "\"\r\n";
}
