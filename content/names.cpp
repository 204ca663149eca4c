// File-name and fixed-width text rules.
#include "content/names.h"

#include <cstdint>

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

std::string BytesToUtf8(std::string_view bytes) {
  std::string text;
  for (unsigned char c : bytes) {
    if (c < 0x80) {
      text += static_cast<char>(c);
    } else {
      text += static_cast<char>(0xC0 | (c >> 6));
      text += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return text;
}

bool Utf8ToBytes(std::string_view text, std::string& bytes) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      out += static_cast<char>(c);
      continue;
    }
    // Only the two-byte forms of U+0080 .. U+00FF (lead bytes C2, C3) stand for one byte each.
    if ((c != 0xC2 && c != 0xC3) || i + 1 >= text.size()) return false;
    auto next = static_cast<unsigned char>(text[++i]);
    if ((next & 0xC0) != 0x80) return false;
    out += static_cast<char>(((c & 0x1F) << 6) | (next & 0x3F));
  }
  bytes = std::move(out);
  return true;
}

bool IsUtf8(std::string_view text) {
  constexpr std::uint32_t Least[] = {0, 0x80, 0x800, 0x10000};  // below these a form is overlong
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const int more = c < 0x80 ? 0 : c >= 0xC0 && c <= 0xDF ? 1 : c >= 0xE0 && c <= 0xEF ? 2 : c >= 0xF0 && c <= 0xF7 ? 3 : -1;
    if (more < 0 || text.size() - i <= static_cast<std::size_t>(more)) return false;
    std::uint32_t point = more == 0 ? c : c & (0x3Fu >> more);
    for (int k = 1; k <= more; ++k) {
      const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      if ((next & 0xC0) != 0x80) return false;
      point = point << 6 | (next & 0x3Fu);
    }
    if (point < Least[more] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return false;
    i += static_cast<std::size_t>(more) + 1;
  }
  return true;
}
