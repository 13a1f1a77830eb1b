#include "FakeObra.h"

#include "firmware/RadioStatus.h"

namespace {

std::vector<FakeObraCall> s_calls;
std::vector<BYTE> s_writes;
BYTE s_register = 0;
bool s_answerReads = true;

}  // namespace

void FakeObra::Reset(BYTE registerValue, bool answerReads)
{
    s_calls.clear();
    s_writes.clear();
    s_register = registerValue;
    s_answerReads = answerReads;
}

const std::vector<FakeObraCall>& FakeObra::Calls()
{
    return s_calls;
}

const std::vector<BYTE>& FakeObra::Writes()
{
    return s_writes;
}

// Only requests for the status register take effect.
extern "C" BOOL __cdecl OBRAEvaluate(EvaluateRequest request)
{
    FakeObraCall call = { request.function, {}, request.inputLength, request.output,
                          request.outputLength, request.output ? request.output[0] : BYTE(0) };
    if (request.input)
        call.input.assign(request.input, request.input + request.inputLength);
    s_calls.push_back(call);

    if (request.input == nullptr || request.inputLength < 1 ||
        request.input[0] != RADIO_STATUS_REGISTER)
        return FALSE;
    if (request.function == EVAL_READ && request.output && request.outputLength >= 1 &&
        s_answerReads) {
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
