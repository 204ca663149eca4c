// Scan codes by name, and names by scan code.
#include "platform/dik_codes.h"

#include "content/numbers.h"

std::optional<int> ScanCodeOf(std::string_view name) {
  for (const KeyName& key : KeyNames)
    if (key.name == name) return key.code;
  int code = 0;
  if (!ParseWholeNumber(name, code) || code < 1 || code > 255) return std::nullopt;
  return code;
}

std::string KeyLabel(int code) {
  for (const KeyName& key : KeyNames)
    if (key.code == code) return std::string(key.label);
  return "Key " + std::to_string(code);
}
