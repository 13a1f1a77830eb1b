// A stand-in for OBRA.dll's OBRAEvaluate, linked into the radio and display
// tests: it records every request and answers from a scripted register.
#pragma once

#include <windows.h>

#include <vector>

struct FakeObraCall {
    BYTE function;
    std::vector<BYTE> input;  // inputLength bytes, empty for a null input
    DWORD inputLength;
    BYTE* output;
    DWORD outputLength;
    BYTE outputAtCall;        // the first output byte as the call came in
};

namespace FakeObra {

// Forgets the calls and writes and sets the register. With answerReads
// false, reads store nothing; writes always apply.
void Reset(BYTE registerValue, bool answerReads = true);
const std::vector<FakeObraCall>& Calls();
// The values written, in order.
const std::vector<BYTE>& Writes();

}  // namespace FakeObra
