// The version of Shardfall, from the build's project version: --version, the Credits picture and recordings.
#pragma once

#include <string_view>

std::string_view ShardfallVersion();
