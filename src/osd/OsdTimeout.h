// Period of the on-screen displays' timers: the selection panel applies its
// highlighted choice, and the switch-off notice closes, after this long.
#pragma once

constexpr unsigned int OSD_TIMEOUT_MS = 4000;
