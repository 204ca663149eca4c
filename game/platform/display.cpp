// The display (being built).
#include "platform/display.h"

#include "shell/game.h"

void InitDisplay(Game&) {}
void ReleaseDisplay(Game&) {}
void ResetSurfaceTable(Game& game) { game.platform.display.surfaceTable = SurfaceTable(1); }
void ReleaseAllImages(Game&) {}
int LoadImage(Game&, const std::filesystem::path&) { return -1; }
bool CreateImageSurface(Game&, const std::filesystem::path&, int) { return false; }
void ReloadAllImages(Game&) {}
void DrawImage(Game&, std::int16_t, std::int16_t, std::int16_t, std::int16_t, float, float, int, std::int16_t,
               std::int16_t) {}
void DrawImageRop(Game&, std::int16_t, std::int16_t, float, float, int, std::int16_t, std::int16_t, std::int32_t) {}
void ClearBackBuffer(Game&, std::int32_t) {}
void FlipScreen(Game&) {}
void ApplyGamma(Game&, float, float, float) {}
void FadeInStep(Game&) {}
void FadeOutStep(Game&) {}
bool CheckDisplayLost(Game&) { return false; }
std::vector<std::uint32_t> ShownPicture(const Game&) { return {}; }
bool SaveScreenshot(const Game&, const std::filesystem::path&, std::string&) { return false; }
Pixel ToPixel(std::uint32_t) { return 0; }
std::uint32_t ToRgb(Pixel) { return 0; }
