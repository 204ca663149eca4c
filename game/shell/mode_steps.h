// The mode steps the main loop dispatches to; EveryModeStep wires them all, a test leaves out those it does not drive.
#pragma once

struct Game;

struct ModeSteps {
  void (*setUpFrontEnd)(Game&) = nullptr;   // frontEndReady false
  void (*frontEndFrame)(Game&) = nullptr;   // inFrontEnd
  void (*startGame)(Game&) = nullptr;       // gameLoaded false
  void (*introFrame)(Game&) = nullptr;      // levelIntro
  void (*playFrame)(Game&) = nullptr;       // playing
};
