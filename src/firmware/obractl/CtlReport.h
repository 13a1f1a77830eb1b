// obractl's printed views of the shared block.
#pragma once

#include <windows.h>

#include "firmware/FirmwareLayout.h"

// The register in hex, each bit decoded, then the settings.
void PrintStatus(const FirmwareSharedState& state);
// The newest count journal entries, oldest first.
void PrintJournal(const FirmwareSharedState& state, DWORD count);
