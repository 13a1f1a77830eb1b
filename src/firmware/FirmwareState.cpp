#include "firmware/FirmwareState.h"

namespace {

const char INSTANCE_VARIABLE[] = "RAVO_OBRA_INSTANCE";
const DWORD MAX_INSTANCE_LENGTH = CFirmwareState::MAX_INSTANCE_LENGTH;
using InstanceSuffixText = char[MAX_INSTANCE_LENGTH + 2];
// No access ever holds the lock for long; a wait this long means a stuck
// holder, and the access fails instead of hanging its caller.
const DWORD LOCK_TIMEOUT_MS = 5000;
// How a waiter behaves: spins, then yields, then sleeps; it asks whether
// the holder's process still runs this often.
const DWORD SPINS_BEFORE_SLEEP = 100;
const DWORD HOLDER_CHECK_MS = 50;

// Whether no process of that id runs any more. One that cannot be opened
// for another reason (rights) counts as running.
BOOL HasEnded(DWORD pid)
{
    const HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (process == nullptr)
        return ::GetLastError() == ERROR_INVALID_PARAMETER;
    const BOOL ended = ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    ::CloseHandle(process);
    return ended;
}

// Writes first, second and third one after another into out. FALSE, with
// out empty, when they do not fit with the terminator.
BOOL Join(char* out, size_t size, const char* first, const char* second, const char* third)
{
    const char* const parts[] = { first, second, third };
    size_t used = 0;
    for (const char* part : parts) {
        for (; *part != '\0'; ++part) {
            if (used + 1 >= size) {
                if (size > 0)
                    out[0] = '\0';
                return FALSE;
            }
            out[used++] = *part;
        }
    }
    if (size == 0)
        return FALSE;
    out[used] = '\0';
    return TRUE;
}

// Suffix of every name of the selected instance: "" for the default
// instance, "-name" otherwise. FALSE for a malformed name.
BOOL InstanceSuffix(InstanceSuffixText& suffix)
{
    char name[MAX_INSTANCE_LENGTH + 1] = {};
    const DWORD length = ::GetEnvironmentVariableA(INSTANCE_VARIABLE, name, sizeof(name));
    suffix[0] = '\0';
    if (length == 0)
        return TRUE;
    if (length > MAX_INSTANCE_LENGTH)
        return FALSE;
    for (DWORD i = 0; i < length; ++i) {
        const char c = name[i];
        const bool valid = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '_';
        if (!valid)
            return FALSE;
    }
    return Join(suffix, sizeof(suffix), "-", name, "");
}

// Byte-wise equality: the locale-aware lstrcmpA would cost more than the
// rest of a request.
bool SameText(const char* a, const char* b)
{
    for (; *a == *b; ++a, ++b) {
        if (*a == '\0')
            return true;
    }
    return false;
}

BOOL ObjectName(const char* base, char* name, size_t size)
{
    char suffix[MAX_INSTANCE_LENGTH + 2];
    if (!InstanceSuffix(suffix))
        return FALSE;
    return Join(name, size, "Local\\", base, suffix);
}

BOOL HeaderValid(const FirmwareSharedState& state)
{
    return state.magic == FIRMWARE_STATE_MAGIC &&
           state.version == FIRMWARE_STATE_VERSION &&
           state.size == sizeof(FirmwareSharedState);
}

}  // namespace

CFirmwareState::CFirmwareState()
{
    if (!Open())
        Close();
}

CFirmwareState::~CFirmwareState()
{
    Close();
}

void CFirmwareState::Close()
{
    if (m_pShared != nullptr)
        ::UnmapViewOfFile(m_pShared);
    if (m_hMapping != nullptr)
        ::CloseHandle(m_hMapping);
    m_pShared = nullptr;
    m_hMapping = nullptr;
    m_szInstance[0] = '\0';
}

BOOL CFirmwareState::OpenCurrent()
{
    InstanceSuffixText suffix;
    const BOOL valid = InstanceSuffix(suffix);
    if (valid && m_pShared != nullptr && SameText(suffix, m_szInstance))
        return TRUE;
    Close();
    if (!valid)
        return FALSE;
    if (!Open())
        Close();
    return IsOpen();
}

// The mutex is taken before the mapping is created, so exactly one process
// initialises a new block and nobody sees it half-written.
BOOL CFirmwareState::Open()
{
    char mutexName[80];
    char mappingName[80];
    char path[MAX_PATH];
    InstanceSuffixText suffix;
    if (!InstanceSuffix(suffix) ||
        !ObjectName("RavoObraRegisterLock", mutexName, sizeof(mutexName)) ||
        !ObjectName("RavoObraRegister", mappingName, sizeof(mappingName)) ||
        !BackingFilePath(path, sizeof(path)))
        return FALSE;

    const HANDLE hMutex = ::CreateMutexA(nullptr, FALSE, mutexName);
    if (hMutex == nullptr)
        return FALSE;
    const DWORD wait = ::WaitForSingleObject(hMutex, LOCK_TIMEOUT_MS);
    if (wait != WAIT_OBJECT_0 && wait != WAIT_ABANDONED) {
        ::CloseHandle(hMutex);
        return FALSE;
    }

    // Without a usable file the block still works, but lives only while
    // some process has it open.
    HANDLE hFile = ::CreateFileA(path, GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    m_hMapping = ::CreateFileMappingA(hFile, nullptr, PAGE_READWRITE, 0,
                                      sizeof(FirmwareSharedState), mappingName);
    if (hFile != INVALID_HANDLE_VALUE)
        ::CloseHandle(hFile);
    if (m_hMapping != nullptr) {
        m_pShared = static_cast<FirmwareSharedState*>(
            ::MapViewOfFile(m_hMapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(FirmwareSharedState)));
        if (m_pShared != nullptr && !HeaderValid(*m_pShared))
            Initialise(*m_pShared);
    }
    ::ReleaseMutex(hMutex);
    ::CloseHandle(hMutex);
    ::lstrcpynA(m_szInstance, suffix, sizeof(m_szInstance));
    return m_pShared != nullptr;
}

void CFirmwareState::Initialise(FirmwareSharedState& state)
{
    ZeroMemory(&state, sizeof(state));
    state.magic = FIRMWARE_STATE_MAGIC;
    state.version = FIRMWARE_STATE_VERSION;
    state.size = sizeof(FirmwareSharedState);
    state.status = FIRMWARE_DEFAULT_STATUS;
}

BOOL CFirmwareState::IsOpen() const
{
    return m_pShared != nullptr;
}

// The lock is the block's lockOwner word, taken with an interlocked
// exchange: a kernel mutex would cost every access two calls into the
// kernel (under Wine, two server round trips of some 35 µs each). Accesses
// are short, so a waiter spins briefly and then sleeps. A holder whose
// process has ended without letting go is replaced, as an abandoned mutex
// would be.
BOOL CFirmwareState::Lock()
{
    if (m_pShared == nullptr)
        return FALSE;
    auto* const owner = reinterpret_cast<volatile LONG*>(&m_pShared->lockOwner);
    const LONG self = static_cast<LONG>(::GetCurrentProcessId());
    const DWORD start = ::GetTickCount();
    DWORD lastCheck = start;
    for (DWORD attempt = 0;; ++attempt) {
        const LONG holder = ::InterlockedCompareExchange(owner, self, 0);
        if (holder == 0)
            return TRUE;
        const DWORD now = ::GetTickCount();
        if (now - lastCheck >= HOLDER_CHECK_MS) {
            lastCheck = now;
            if (HasEnded(static_cast<DWORD>(holder)) &&
                ::InterlockedCompareExchange(owner, self, holder) == holder)
                return TRUE;
        }
        if (now - start >= LOCK_TIMEOUT_MS)
            return FALSE;
        if (attempt >= SPINS_BEFORE_SLEEP)
            ::Sleep(attempt < 2 * SPINS_BEFORE_SLEEP ? 0 : 1);
        else
            YieldProcessor();
    }
}

void CFirmwareState::Unlock()
{
    ::InterlockedExchange(reinterpret_cast<volatile LONG*>(&m_pShared->lockOwner), 0);
}

BOOL CFirmwareState::Snapshot(FirmwareSharedState& copy)
{
    return Access([&](FirmwareSharedState& state) { copy = state; });
}

BOOL CFirmwareState::GetStatus(BYTE& status)
{
    return Access([&](FirmwareSharedState& state) { status = state.status; });
}

BOOL CFirmwareState::SetStatus(BYTE status)
{
    return Access([&](FirmwareSharedState& state) { state.status = status; });
}

BOOL CFirmwareState::SetUnanswered(BOOL unanswered)
{
    return Access([&](FirmwareSharedState& state) { state.unanswered = unanswered ? 1 : 0; });
}

BOOL CFirmwareState::SetDelay(DWORD delayMs)
{
    return Access([&](FirmwareSharedState& state) { state.delayMs = delayMs; });
}

BOOL CFirmwareState::Reset()
{
    return Access([](FirmwareSharedState& state) {
        state.status = FIRMWARE_DEFAULT_STATUS;
        state.unanswered = 0;
        state.delayMs = 0;
        state.journalFloor = state.sequence;
    });
}

// Unsigned differences keep the count right when the sequence wraps.
DWORD CFirmwareState::JournalCount(const FirmwareSharedState& state)
{
    const DWORD sinceReset = state.sequence - state.journalFloor;
    return sinceReset < FIRMWARE_JOURNAL_SIZE ? sinceReset : FIRMWARE_JOURNAL_SIZE;
}

DWORD CFirmwareState::CopyJournal(const FirmwareSharedState& state,
                                  FirmwareJournalEntry* entries, DWORD maxEntries)
{
    DWORD count = JournalCount(state);
    if (count > maxEntries)
        count = maxEntries;
    const DWORD first = state.sequence - count + 1;
    for (DWORD i = 0; i < count; ++i)
        entries[i] = state.journal[(first + i) % FIRMWARE_JOURNAL_SIZE];
    return count;
}

void CFirmwareState::Record(FirmwareSharedState& state, FirmwareJournalEntry entry)
{
    entry.sequence = ++state.sequence;
    state.journal[entry.sequence % FIRMWARE_JOURNAL_SIZE] = entry;
}

BOOL CFirmwareState::BackingFilePath(char* path, DWORD size)
{
    char suffix[MAX_INSTANCE_LENGTH + 2];
    char folder[MAX_PATH];
    if (!InstanceSuffix(suffix))
        return FALSE;
    const DWORD length = ::GetTempPathA(sizeof(folder), folder);
    if (length == 0 || length >= sizeof(folder))
        return FALSE;
    char file[sizeof("RavoObraRegister.dat") + MAX_INSTANCE_LENGTH + 1];
    return Join(file, sizeof(file), "RavoObraRegister", suffix, ".dat") &&
           Join(path, size, folder, file, "");
}
