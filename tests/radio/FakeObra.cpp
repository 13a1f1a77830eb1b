#include "FakeObra.h"

#include "firmware/RadioStatus.h"

namespace {

std::vector<FakeObraCall> s_calls;
BYTE s_register = 0;
bool s_answerReads = true;

}  // namespace

void FakeObra::Reset(BYTE registerValue, bool answerReads)
{
    s_calls.clear();
    s_register = registerValue;
    s_answerReads = answerReads;
}

const std::vector<FakeObraCall>& FakeObra::Calls()
{
    return s_calls;
}

extern "C" BOOL __cdecl OBRAEvaluate(EvaluateRequest request)
{
    FakeObraCall call = { request.function, {}, request.inputLength, request.output,
                          request.outputLength, request.output ? request.output[0] : BYTE(0) };
    if (request.input)
        call.input.assign(request.input, request.input + request.inputLength);
    s_calls.push_back(call);

    if (request.function == EVAL_READ && request.output && s_answerReads) {
        request.output[0] = s_register;
        return TRUE;
    }
    if (request.function == EVAL_WRITE && request.input && request.inputLength >= 2) {
        s_register = request.input[1];
        return TRUE;
    }
    return FALSE;
}
