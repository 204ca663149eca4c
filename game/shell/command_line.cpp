// The game's command line (being built).
#include "shell/command_line.h"

bool ParseCommandLine(const std::vector<std::string>&, CommandLine&, std::string&) { return true; }
std::string UsageText() { return ""; }
