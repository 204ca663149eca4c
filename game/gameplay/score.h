// Score, spare balls, lost balls, level ends, the end-of-game screen and leaving a game.
#pragma once
#include <cstdint>

struct Game;

// score += amount x pointMultiplier, rounded to the nearest integer (ties to even).
void AddPoints(Game& game, std::int32_t amount);
void DrawScorePanel(Game& game);
void DrawNumber(Game& game, std::int32_t value, float x, float y, int rowY);
// The x at which the score's first digit is drawn, right-aligned so its last digit ends at 630.
float ScoreX(std::int32_t score);
void CheckBallLoss(Game& game);
void CheckLevelEnd(Game& game);
void RunGameOverScreen(Game& game);
// The end of a game, or a game left after the question, offers its score to the set's table.
void OfferScoreToTable(Game& game);
// Frees the game's sounds, stops the music and releases the pictures.
void EndGame(Game& game);
