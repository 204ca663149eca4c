// Scan-code lookup by name.
#include "platform/dik_codes.h"

#include <charconv>

std::optional<int> ScanCodeOf(std::string_view name) {
  for (const KeyName& key : KeyNames)
    if (key.name == name) return key.code;
  int code = 0;
  auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), code);
  if (error != std::errc{} || end != name.data() + name.size() || code < 1 || code > 255) return std::nullopt;
  return code;
}
