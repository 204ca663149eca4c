// The one place the project version enters the code.
#include "content/version.h"

std::string_view ShardfallVersion() { return SHARDFALL_VERSION; }
