#include "FakeFirmware.h"

#include "firmware/RadioStatus.h"

namespace {

BYTE s_register = 0;
std::vector<BYTE> s_writes;

}  // namespace

void FakeFirmware::Reset(BYTE registerValue)
{
    s_register = registerValue;
    s_writes.clear();
}

const std::vector<BYTE>& FakeFirmware::Writes()
{
    return s_writes;
}

extern "C" BOOL __cdecl OBRAEvaluate(EvaluateRequest request)
{
    if (request.input == nullptr || request.input[0] != RADIO_STATUS_REGISTER)
        return FALSE;
    if (request.function == EVAL_READ && request.output != nullptr && request.outputLength >= 1) {
        request.output[0] = s_register;
        return TRUE;
    }
    if (request.function == EVAL_WRITE && request.inputLength >= 2) {
        s_register = request.input[1];
        s_writes.push_back(s_register);
        return TRUE;
    }
    return FALSE;
}
