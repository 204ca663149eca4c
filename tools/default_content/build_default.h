// Writes the complete default data tree; the same bytes on every run.
#pragma once
#include <filesystem>
#include <string>

// Each writes its folder under `root` (creating it) and returns false with `error` set on failure.
bool BuildDefaultPictures(const std::filesystem::path& root, std::string& error);     // Gfx
bool BuildDefaultSounds(const std::filesystem::path& root, std::string& error);       // Sfx
bool BuildDefaultSongs(const std::filesystem::path& root, std::string& error);        // Mus
bool BuildDefaultTileSets(const std::filesystem::path& root, std::string& error);     // Tls
bool BuildDefaultBackgrounds(const std::filesystem::path& root, std::string& error);  // Bgd
bool BuildDefaultLevels(const std::filesystem::path& root, std::string& error);       // Lvl

bool BuildDefaultTree(const std::filesystem::path& root, std::string& error);
