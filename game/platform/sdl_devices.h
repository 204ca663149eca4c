// The SDL objects behind the platform records; only the platform's own sources include this.
#pragma once
#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdint>
#include <vector>

struct VideoDevice {
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* texture = nullptr;
  std::vector<std::uint32_t> screenColours;  // RGB565 -> XRGB8888 through workRamp
  std::vector<std::uint32_t> converted;      // the frame as sent to the texture
  bool rampChanged = false;                  // the shown frame waits to be presented under a new ramp
  ~VideoDevice();
};

struct Game;
// Presents the shown frame again when the ramp changed since the last flip (a frozen frame in a waiting loop).
void PresentIfRampChanged(Game& game);

struct AudioDevice {
  bool opened = false;
  ~AudioDevice();
};

struct SoundBuffer {
  Mix_Chunk* chunk = nullptr;
  ~SoundBuffer();
};

struct SongData {
  Mix_Music* music = nullptr;
  ~SongData();
};
