#pragma once
// The low-level keyboard hook log and the message pump live with the other test helpers.
#include "tests/win/win_support.h"
