// Whether a picture, sound or song file is one the game can use.
#pragma once
#include <string>

#include "content/file_io.h"

// Empty when the bytes are a picture the game can show; otherwise what is wrong. A well-formed picture of a
// kind the game does not read (1-bit, run-length coded, ...) is an "unsupported format", not a damaged file.
std::string PictureProblem(const Bytes& bytes, int& width, int& height);
// Empty when the bytes are a RIFF/WAVE sound the game can play; otherwise what is wrong.
std::string SoundProblem(const Bytes& bytes);
// Empty when the bytes are a standard MIDI file whose tracks read to their end; otherwise what is wrong.
std::string SongProblem(const Bytes& bytes);
