// The world of a level in play.
#pragma once

struct GameWorld {};
