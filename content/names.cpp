// File-name and fixed-width text rules.
#include "content/names.h"

std::string FileNameOf(std::string_view path) {
  auto cut = path.find_last_of("\\/");
  if (cut == std::string_view::npos) return {};
  return std::string(path.substr(cut + 1));
}

std::string TrimTrailingSpaces(std::string_view text) {
  auto last = text.find_last_not_of(' ');
  if (last == std::string_view::npos) return {};
  return std::string(text.substr(0, last + 1));
}

bool IsPlainFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  if (name.find_first_of("\\/") != std::string_view::npos) return false;
  if (name.find('\0') != std::string_view::npos) return false;
  return name.find("..") == std::string_view::npos;
}

std::string ReplaceLastThree(std::string_view name, std::string_view replacement) {
  std::string_view stem = name.size() >= 3 ? name.substr(0, name.size() - 3) : std::string_view{};
  return std::string(stem) + std::string(replacement);
}
