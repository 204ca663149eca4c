// The --dump-state JSON: GameState, the sound and song logs, and each area's section.
#include "shell/state_dump.h"

#include "content/file_io.h"
#include "content/names.h"
#include "core/game.h"
#include "frontend/front_end.h"
#include "gameplay/world_dump.h"
#include "platform/music.h"

namespace {

nlohmann::json GameStateJson(const GameState& state) {
  nlohmann::json json = nlohmann::json::object();
  VisitGameStateFields(state, [&json](const char* name, const auto& field) { json[name] = field; });
  return json;
}

nlohmann::json OptionsJson(const Options& options) {
  nlohmann::json json = nlohmann::json::object();
  VisitOptionsFields(options, [&json](const char* name, const auto& field) { json[name] = field; });
  return json;
}

nlohmann::json SoundTableJson(const SoundTable& table) {
  nlohmann::json slots = nlohmann::json::array();
  for (const SoundSlot& slot : table)
    slots.push_back({{"fileName", slot.fileName}, {"state", slot.state}, {"free", slot.free},
                     {"halfGuard", slot.halfGuard}, {"dataLength", slot.dataLength}, {"volume", slot.volume}});
  return slots;
}

nlohmann::json PlatformJson(const Game& game) {
  const Platform& p = game.platform;
  nlohmann::json keysDown = nlohmann::json::array();
  for (int i = 1; i <= 255; ++i)
    if (p.input.keyPressed[i]) keysDown.push_back(i);
  nlohmann::json json = {{"surfaceCount", p.display.surfaceTable.size()},
          {"ropAvailable", p.display.ropAvailable},
          {"keysPressed", keysDown},
          {"edgeKeys", p.input.edgeKeys},
          {"soundTable", SoundTableJson(p.sound.soundTable)},
          {"song", p.music.songFile},
          {"songPlaying", SongPlaying(p, game.clock)},
          {"masterVolume", p.music.masterVolume}};
  // Only when it happened, so the dumps of runs that kept the focus read as before.
  if (!p.input.focused) json["focused"] = false;
  if (p.sound.muted) json["muted"] = true;
  return json;
}

// Names of files and sets are 8-bit text, as the files hold them; every text is written the way the content tool
// writes names (bytes 0x80-0xFF as U+0080-U+00FF), so the dump is valid JSON whatever bytes they hold.
void TextsAsUtf8(nlohmann::json& json) {
  if (json.is_string()) {
    json = BytesToUtf8(json.get_ref<const std::string&>());
  } else if (json.is_structured()) {
    for (nlohmann::json& item : json) TextsAsUtf8(item);
  }
}

}  // namespace

nlohmann::json StateDump(const Game& game) {
  nlohmann::json dump;
  dump["tick"] = Now(game);
  dump["GameState"] = GameStateJson(game.state);
  dump["Options"] = OptionsJson(game.options);
  dump["platform"] = PlatformJson(game);
  dump["soundLog"] = game.platform.sound.soundLog;
  dump["songLog"] = game.platform.music.songLog;
  // Each area adds its own section with one call.
  dump["GameWorld"] = DumpWorld(game);
  dump["FrontEnd"] = DumpFrontEnd(game);
  TextsAsUtf8(dump);
  return dump;
}

bool WriteStateDump(const Game& game, const std::filesystem::path& path, std::string& error) {
  std::string text = StateDump(game).dump(2) + "\n";
  return WriteFileAtomically(path, Bytes(text.begin(), text.end()), error);
}
