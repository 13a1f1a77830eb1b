#include "firmware/obractl/CtlArgs.h"

#include <cstring>

namespace {

int DigitValue(char c, int base)
{
    int value = -1;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value < base ? value : -1;
}

// Digits of one base up to the end of text, stopping above maximum.
bool ParseDigits(const char* text, int base, DWORD maximum, DWORD& value)
{
    if (*text == '\0')
        return false;
    DWORD result = 0;
    for (; *text != '\0'; ++text) {
        const int digit = DigitValue(*text, base);
        if (digit < 0 || result > (maximum - digit) / base)
            return false;
        result = result * base + digit;
    }
    value = result;
    return true;
}

}  // namespace

bool ParseByte(const char* text, BYTE& value)
{
    DWORD result = 0;
    const bool hex = text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    if (!ParseDigits(hex ? text + 2 : text, hex ? 16 : 10, 0xFF, result))
        return false;
    value = static_cast<BYTE>(result);
    return true;
}

bool ParseNumber(const char* text, DWORD minimum, DWORD maximum, DWORD& value)
{
    DWORD result = 0;
    if (!ParseDigits(text, 10, maximum, result) || result < minimum)
        return false;
    value = result;
    return true;
}

int ParseWord(const char* text, const char* const* words)
{
    for (int i = 0; words[i] != nullptr; ++i) {
        if (std::strcmp(text, words[i]) == 0)
            return i;
    }
    return -1;
}
