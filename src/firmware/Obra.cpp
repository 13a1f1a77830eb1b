// OBRA.dll: the firmware library's one entry point, OBRAEvaluate, answered
// from the simulated register in the shared block (see FirmwareState.h).
//
// A read (EVAL_READ, input {0xBB}, one input byte, an output buffer of at
// least one byte) stores the register in the first output byte; a write
// (EVAL_WRITE, input {0xBB, value}, two input bytes) stores the value. Any
// other request changes nothing and returns FALSE. Every request, valid or
// not, is journaled. The settings can leave reads unanswered or delay each
// request.
#include <windows.h>

#include "firmware/FirmwareState.h"
#include "firmware/RadioStatus.h"

namespace {

bool IsRead(const EvaluateRequest& request)
{
    return request.function == EVAL_READ && request.input != nullptr &&
           request.inputLength == 1 && request.input[0] == RADIO_STATUS_REGISTER &&
           request.output != nullptr && request.outputLength >= 1;
}

bool IsWrite(const EvaluateRequest& request)
{
    return request.function == EVAL_WRITE && request.input != nullptr &&
           request.inputLength == 2 && request.input[0] == RADIO_STATUS_REGISTER;
}

// Keeps at most inputLength leading input bytes: never reads past them.
FirmwareJournalEntry Describe(const EvaluateRequest& request)
{
    FirmwareJournalEntry entry = {};
    entry.function = request.function;
    entry.inputLength = request.inputLength;
    entry.outputLength = request.outputLength;
    entry.hasOutput = request.output != nullptr ? 1 : 0;
    if (request.input != nullptr) {
        DWORD count = request.inputLength;
        if (count > FIRMWARE_JOURNAL_INPUT_BYTES)
            count = FIRMWARE_JOURNAL_INPUT_BYTES;
        for (DWORD i = 0; i < count; ++i)
            entry.input[i] = request.input[i];
        entry.inputCount = static_cast<uint8_t>(count);
    }
    return entry;
}

BOOL Apply(FirmwareSharedState& state, const EvaluateRequest& request)
{
    FirmwareJournalEntry entry = Describe(request);
    if (IsRead(request) && !state.unanswered) {
        request.output[0] = state.status;
        entry.answered = 1;
    } else if (IsWrite(request)) {
        state.status = request.input[1];
        entry.answered = 1;
    }
    entry.status = state.status;
    CFirmwareState::Record(state, entry);
    return entry.answered;
}

// The block stays open from one call to the next: opening it (a mutex, a
// file and a mapping) would cost every call far more than the request
// itself. It is opened afresh when the environment selects another
// instance. A critical section (Windows XP has no slim locks) keeps the
// threads of this process from reopening it under each other; uncontended,
// it costs no call into the kernel. It is made while the library loads,
// where Windows XP's InitializeCriticalSection would raise an exception when
// memory is short: made with a spin count instead, a failure only leaves
// every request unanswered.
class CProcessLock {
public:
    CProcessLock() : m_bReady(::InitializeCriticalSectionAndSpinCount(&m_section, 0)) {}
    ~CProcessLock()
    {
        if (m_bReady)
            ::DeleteCriticalSection(&m_section);
    }
    CProcessLock(const CProcessLock&) = delete;
    CProcessLock& operator=(const CProcessLock&) = delete;

    // FALSE when the lock could not be made: nothing may be done under it.
    BOOL Enter()
    {
        if (m_bReady)
            ::EnterCriticalSection(&m_section);
        return m_bReady;
    }
    void Leave() { ::LeaveCriticalSection(&m_section); }

private:
    CRITICAL_SECTION m_section;
    BOOL m_bReady;
};

CFirmwareState s_state(CFirmwareState::Deferred{});
CProcessLock s_stateLock;

// fn(FirmwareSharedState&) on the current instance's block, under its lock.
template <typename Fn>
BOOL WithState(Fn fn)
{
    if (!s_stateLock.Enter())
        return FALSE;
    const BOOL ok = s_state.OpenCurrent() && s_state.Access(fn);
    s_stateLock.Leave();
    return ok;
}

}  // namespace

// Exported undecorated through OBRA.def. The delay is taken outside the
// locks, so a slow answer never holds up the tool or other callers.
extern "C" BOOL __cdecl OBRAEvaluate(EvaluateRequest request)
{
    // Without a delay the request is answered in the same access.
    DWORD delayMs = 0;
    BOOL answered = FALSE;
    if (!WithState([&](FirmwareSharedState& shared) {
            delayMs = shared.delayMs;
            if (delayMs == 0)
                answered = Apply(shared, request);
        }))
        return FALSE;
    if (delayMs == 0)
        return answered;
    if (delayMs > FIRMWARE_MAX_DELAY_MS)
        delayMs = FIRMWARE_MAX_DELAY_MS;
    ::Sleep(delayMs);

    WithState([&](FirmwareSharedState& shared) { answered = Apply(shared, request); });
    return answered;
}
