// The game's command line: options for the window, the headless runner, scripted input and state dumps.
#include "shell/command_line.h"

#include <charconv>

namespace {

// Sets the error and reports failure, so each refusal reads as one line.
bool Refuse(std::string& error, const std::string& why) {
  error = why;
  return false;
}

template <typename Number>
bool ParseNumber(const std::string& text, Number& out) {
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
  return error == std::errc{} && end == text.data() + text.size();
}

bool ParseScreenshot(const std::string& text, Screenshot& out) {
  std::size_t colon = text.find(':');
  if (colon == std::string::npos || colon + 1 == text.size()) return false;
  out.file = text.substr(colon + 1);
  return ParseNumber(text.substr(0, colon), out.tick) && out.tick >= 0;
}

}  // namespace

std::string UsageText() {
  return "usage: shardfall [options]\n"
         "  --root DIR             program folder with Gfx, Sfx, Mus, Tls, Lvl, Bgd and config.bin\n"
         "                         (default: the folder of the executable)\n"
         "  --windowed             a window instead of full screen (Alt+Enter toggles)\n"
         "  --headless             no window, no sound device; a virtual clock that starts at 0\n"
         "  --frames N             stop after N frames\n"
         "  --step MS              virtual milliseconds per frame and per waiting pass (default 16)\n"
         "  --seed N               seed of the random numbers, for reproducible runs\n"
         "  --input FILE           scripted input, one event a line:\n"
         "                           TICK key NAME down|up   (NAME: DIK_RETURN, DIK_P, ... or a scan code)\n"
         "                           TICK move DX DY         (relative mouse counts for the next read)\n"
         "                           TICK button left|right down|up\n"
         "                         '#' starts a comment; an event acts at the first read at or after TICK\n"
         "  --dump-state FILE      write the game's state as JSON at exit\n"
         "  --screenshot TICK:FILE save the picture as shown at the first frame at or after TICK\n"
         "                         (PNG, or BMP when FILE ends in .bmp); may be repeated\n"
         "  --no-gamma             run without a gamma ramp (fades are instant)\n"
         "  --play SETFILE         start a game on the level set at once\n"
         "  --no-capsules          broken bricks drop no capsules (for proving levels finishable)\n"
         "  --help                 this text\n";
}

bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& out, std::string& error) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    auto value = [&](std::string& text) {
      if (i + 1 >= args.size()) return Refuse(error, option + " needs a value");
      text = args[++i];
      return true;
    };
    std::string text;
    if (option == "--windowed") out.platform.windowed = true;
    else if (option == "--headless") out.platform.headless = true;
    else if (option == "--no-gamma") out.platform.noGamma = true;
    else if (option == "--help") out.help = true;
    else if (option == "--no-capsules") out.noCapsules = true;
    else if (option == "--root") { if (!value(text)) return false; out.root = text; }
    else if (option == "--input") { if (!value(text)) return false; out.input = text; }
    else if (option == "--dump-state") { if (!value(text)) return false; out.dumpState = text; }
    else if (option == "--play") { if (!value(text)) return false; out.playSetFile = text; }
    else if (option == "--frames") {
      if (!value(text)) return false;
      if (!ParseNumber(text, out.frames) || out.frames < 0) return Refuse(error, "--frames needs a whole number >= 0");
    } else if (option == "--step") {
      if (!value(text)) return false;
      if (!ParseNumber(text, out.step) || out.step < 1) return Refuse(error, "--step needs a whole number >= 1");
    } else if (option == "--seed") {
      if (!value(text)) return false;
      std::uint32_t seed = 0;
      if (!ParseNumber(text, seed)) return Refuse(error, "--seed needs a whole number");
      out.seed = seed;
    } else if (option == "--screenshot") {
      if (!value(text)) return false;
      Screenshot shot;
      if (!ParseScreenshot(text, shot)) return Refuse(error, "--screenshot needs TICK:FILE");
      out.screenshots.push_back(shot);
    } else {
      return Refuse(error, "unknown option " + option);
    }
  }
  return true;
}
