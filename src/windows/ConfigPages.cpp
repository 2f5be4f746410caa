#include "windows/ConfigPages.h"

#include <filesystem>

#include "platform/AsciiText.h"
#include "platform/Files.h"
#include "windows/SourceView.h"

namespace windows {

std::vector<std::string> TConfigSourcePage::SelectedLines() const {
  return FSourceView ? FSourceView->SelectedLines() : std::vector<std::string>();
}

std::vector<std::string> TConfigSourcePage::AllLines() const {
  return FSourceView ? FSourceView->AllLines() : std::vector<std::string>();
}

std::string AbsolutePath(const std::string& path) {
  std::error_code ec;
  std::filesystem::path p = std::filesystem::absolute(std::filesystem::path(path), ec);
  if (ec) p = path;
  std::string text = p.lexically_normal().string();
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  return text;
}

std::string ProposedFileName(const std::string& current, const std::string& folder, const std::string& mask) {
  const std::string currentFolder = platform::ExtractFileDir(current);
  if (current.empty() || currentFolder.empty() ||
      !platform::SameText(AbsolutePath(currentFolder), AbsolutePath(folder)))
    return mask;
  return current;
}

}  // namespace windows
