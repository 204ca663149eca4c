// The content tool's commands that play levels: generate (a proven level set) and prove (a level or a set).
#pragma once
#include <string>
#include <vector>

// generate --seed N --count K --difficulty D [--tileset T] [--root DATA] DIR; the arguments after the command.
int GenerateCommand(const std::vector<std::string>& args);
// prove [--root DATA] LEVEL.sfl|SET.sfs. Ctrl+C ends the proof under way (the game's own signal handling sees
// it) and then the command.
int ProveCommand(const std::vector<std::string>& args);
