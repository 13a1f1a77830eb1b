// Key injection lives in the support library (support/KeyInput.h); this
// name stays for the test programs that still include it.
#pragma once

#include "support/KeyInput.h"
