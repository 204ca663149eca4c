// The front end's state.
#pragma once

struct FrontEnd {};
