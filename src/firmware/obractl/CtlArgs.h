// Strict parsing of obractl's arguments: a malformed value is rejected,
// never read as zero.
#pragma once

#include <windows.h>

// "0x1D" / "0X1d" (hex) or "29" (decimal), 0 to 255.
bool ParseByte(const char* text, BYTE& value);
// Decimal digits only, minimum to maximum inclusive.
bool ParseNumber(const char* text, DWORD minimum, DWORD maximum, DWORD& value);
// Index of text in a null-terminated list of words, or -1.
int ParseWord(const char* text, const char* const* words);
