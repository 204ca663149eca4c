// Everything the platform layer keeps: display, input, sound and music state.
#pragma once

struct Platform {};
