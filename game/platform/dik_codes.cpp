// Scan-code lookup by name.
#include "platform/dik_codes.h"

#include "content/numbers.h"

std::optional<int> ScanCodeOf(std::string_view name) {
  for (const KeyName& key : KeyNames)
    if (key.name == name) return key.code;
  int code = 0;
  if (!ParseWholeNumber(name, code) || code < 1 || code > 255) return std::nullopt;
  return code;
}
