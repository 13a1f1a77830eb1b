// OBRA.dll through its real export: what it answers, what it refuses, its
// journal and its settings, seen through the shared block.
#include <gtest/gtest.h>

#include <cstring>

#include "FirmwareTestSupport.h"
#include "firmware/FirmwareState.h"

namespace {

const BYTE READ_INPUT[1] = { RADIO_STATUS_REGISTER };

BOOL Read(BYTE* output, DWORD length = 1)
{
    return CallObra(EVAL_READ, READ_INPUT, 1, output, length);
}

BOOL Write(BYTE value)
{
    const BYTE input[2] = { RADIO_STATUS_REGISTER, value };
    return CallObra(EVAL_WRITE, input, 2, NULL, 0);
}

class ObraDll : public testing::Test {
protected:
    static void SetUpTestSuite() { UseTestInstance(); }
    void SetUp() override { ASSERT_TRUE(m_state.Reset()); }

    FirmwareSharedState& Snapshot()
    {
        EXPECT_TRUE(m_state.Snapshot(m_snapshot));
        return m_snapshot;
    }

    CFirmwareState m_state;
    FirmwareSharedState m_snapshot;
};

}  // namespace

// A new instance is a notebook with both radios present and enabled and the
// switch on; the library follows the instance the environment selects.
TEST(ObraFirstUse, StartsWithBothRadiosOnAndSwitchOn)
{
    char name[64], path[MAX_PATH];
    wsprintfA(name, "firmware-fresh-%lu", GetCurrentProcessId());
    SetEnvironmentVariableA("RAVO_OBRA_INSTANCE", name);
    ASSERT_TRUE(CFirmwareState::BackingFilePath(path, sizeof(path)));
    {
        CFirmwareState state;
        BYTE value = 0;
        EXPECT_TRUE(Read(&value));
        EXPECT_EQ(0x1F, value);
        FirmwareSharedState snapshot;
        ASSERT_TRUE(state.Snapshot(snapshot));
        EXPECT_EQ(0, snapshot.unanswered);
        EXPECT_EQ(0u, snapshot.delayMs);
        EXPECT_EQ(1u, snapshot.sequence);
    }
    EXPECT_TRUE(DeleteFileA(path));

    SetEnvironmentVariableA("RAVO_OBRA_INSTANCE", "..\\escape");
    EXPECT_FALSE(CFirmwareState().IsOpen());
    UseTestInstance();
}

// The export has its plain name; only the low byte of the first slot is
// the function code.
TEST_F(ObraDll, WriteThenReadRoundTrips)
{
    EXPECT_EQ(nullptr, ObraExport("_OBRAEvaluate"));
    EXPECT_TRUE(Write(0x0D));
    BYTE value = 0;
    EXPECT_TRUE(Read(&value));
    EXPECT_EQ(0x0D, value);

    ASSERT_TRUE(m_state.SetStatus(0xE3));
    EXPECT_TRUE(CallObra(EvaluateRequest{ EVAL_READ, { 0xFF, 0xFF, 0xFF }, READ_INPUT, 1, &value, 1 }));
    EXPECT_EQ(0xE3, value);
}

// Anything but the two requests fails and changes nothing; a read never
// writes beyond its first output byte.
TEST_F(ObraDll, RefusesOtherRequestsAndWritesOneByte)
{
    const BYTE other[3] = { 0xBA, 0x00, 0x00 };
    const BYTE longer[3] = { RADIO_STATUS_REGISTER, 0x00, 0x00 };
    const struct {
        BYTE function;
        const BYTE* input;
        DWORD inputLength;
        DWORD outputLength;  // 0xFF: null output
        BOOL answered;
    } cases[] = {
        { 0xB2, READ_INPUT, 1, 1, FALSE },       { 0x00, longer, 2, 1, FALSE },
        { EVAL_READ, other, 1, 1, FALSE },       { EVAL_WRITE, other, 2, 0, FALSE },
        { EVAL_READ, NULL, 1, 1, FALSE },        { EVAL_WRITE, NULL, 2, 0, FALSE },
        { EVAL_READ, READ_INPUT, 0, 1, FALSE },  { EVAL_READ, longer, 2, 1, FALSE },
        { EVAL_WRITE, longer, 1, 0, FALSE },     { EVAL_WRITE, longer, 3, 0, FALSE },
        { EVAL_READ, READ_INPUT, 1, 0xFF, FALSE }, { EVAL_READ, READ_INPUT, 1, 0, FALSE },
        { EVAL_READ, READ_INPUT, 1, 8, TRUE },
    };
    ASSERT_TRUE(m_state.SetStatus(0x1D));
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "function " << int(c.function) << " input length "
                                        << c.inputLength << " output length " << c.outputLength);
        BYTE guard[8];
        std::memset(guard, 0xCC, sizeof(guard));
        const bool nullOutput = c.outputLength == 0xFF;
        EXPECT_EQ(c.answered, CallObra(c.function, c.input, c.inputLength,
                                       nullOutput ? NULL : guard, nullOutput ? 1 : c.outputLength));
        EXPECT_EQ(c.answered ? 0x1D : 0xCC, guard[0]);
        for (int i = 1; i < 8; ++i)
            EXPECT_EQ(0xCC, guard[i]);
        EXPECT_EQ(0x1D, Snapshot().status);
    }
}

TEST_F(ObraDll, JournalRecordsRequestsInOrder)
{
    const DWORD before = Snapshot().sequence;
    BYTE value = 0;
    Read(&value);
    Write(0x0C);
    const BYTE junk[6] = { 1, 2, 3, 4, 5, 6 };
    CallObra(0x42, junk, 6, NULL, 0);

    FirmwareJournalEntry entries[3];
    ASSERT_EQ(3u, CFirmwareState::CopyJournal(Snapshot(), entries, 3));
    const FirmwareJournalEntry& read = entries[0];
    const FirmwareJournalEntry& write = entries[1];
    const FirmwareJournalEntry& junkEntry = entries[2];
    EXPECT_EQ(before + 1, read.sequence);
    EXPECT_EQ(before + 3, junkEntry.sequence);
    EXPECT_EQ(EVAL_READ, read.function);
    EXPECT_EQ(1u, read.inputLength);
    EXPECT_EQ(1u, read.outputLength);
    EXPECT_TRUE(read.answered && read.hasOutput && read.status == 0x1F);
    EXPECT_EQ(EVAL_WRITE, write.function);
    EXPECT_EQ(0x0C, write.input[1]);
    EXPECT_TRUE(write.answered && !write.hasOutput && write.status == 0x0C);
    // At most four input bytes are kept; the length is as given.
    EXPECT_EQ(0x42, junkEntry.function);
    EXPECT_EQ(6u, junkEntry.inputLength);
    EXPECT_EQ(4, junkEntry.inputCount);
    EXPECT_FALSE(junkEntry.answered);
}

TEST_F(ObraDll, JournalKeepsTheNewestEntriesAndCountsAll)
{
    const DWORD before = Snapshot().sequence;
    const DWORD requests = FIRMWARE_JOURNAL_SIZE + 44;
    for (DWORD i = 0; i < requests; ++i)
        Write(static_cast<BYTE>(i));

    static FirmwareJournalEntry entries[FIRMWARE_JOURNAL_SIZE + 1];
    const FirmwareSharedState& snapshot = Snapshot();
    EXPECT_EQ(before + requests, snapshot.sequence);
    ASSERT_EQ(FIRMWARE_JOURNAL_SIZE, CFirmwareState::CopyJournal(snapshot, entries, 999));
    for (DWORD i = 0; i < FIRMWARE_JOURNAL_SIZE; ++i) {
        EXPECT_EQ(before + 45 + i, entries[i].sequence);
        EXPECT_EQ(static_cast<BYTE>(44 + i), entries[i].input[1]);
    }

    // A reset empties the journal; the sequence keeps counting.
    ASSERT_TRUE(m_state.Reset());
    EXPECT_EQ(0u, CFirmwareState::JournalCount(Snapshot()));
    Write(0x1F);
    EXPECT_EQ(1u, CFirmwareState::JournalCount(Snapshot()));
    EXPECT_EQ(before + requests + 1, m_snapshot.sequence);
}

// Unanswered reads fail and leave the caller's byte alone; writes apply.
TEST_F(ObraDll, UnansweredModeLeavesTheOutputAlone)
{
    ASSERT_TRUE(m_state.SetUnanswered(TRUE));
    BYTE value = RADIO_STATUS_UNANSWERED;
    EXPECT_FALSE(Read(&value));
    EXPECT_EQ(RADIO_STATUS_UNANSWERED, value);
    EXPECT_TRUE(Write(0x1C));
    EXPECT_EQ(0x1C, Snapshot().status);
}

// A slow answer takes the configured time without holding the lock that
// tools and tests need meanwhile.
TEST_F(ObraDll, DelayedAnswersDoNotBlockTheState)
{
    ASSERT_TRUE(m_state.SetDelay(300));
    struct Call {
        static DWORD WINAPI Run(LPVOID value) { return Read(static_cast<BYTE*>(value)); }
    };
    BYTE value = 0;
    const DWORD start = GetTickCount();
    HANDLE hThread = CreateThread(NULL, 0, &Call::Run, &value, 0, NULL);
    Sleep(50);
    EXPECT_TRUE(m_state.SetStatus(0x0F));
    EXPECT_LT(GetTickCount() - start, 200u);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hThread, 5000));
    EXPECT_GE(GetTickCount() - start, 280u);
    CloseHandle(hThread);
    EXPECT_EQ(0x0F, value);
}

// A process that ended inside an access (killed, say) leaves its id in the
// block's lock word; the next caller takes the lock over instead of failing
// at the lock's time-out.
TEST_F(ObraDll, LockLeftByAnEndedProcessIsTakenOver)
{
    ASSERT_TRUE(m_state.SetStatus(0x1D));
    char path[MAX_PATH];
    ASSERT_TRUE(CFirmwareState::BackingFilePath(path, sizeof(path)));
    // A second view of the backing file: the same bytes as the named block.
    const HANDLE hFile = CreateFileA(path, GENERIC_READ | GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    const HANDLE hMapping = CreateFileMappingA(hFile, NULL, PAGE_READWRITE, 0, 0, NULL);
    CloseHandle(hFile);
    ASSERT_NE(nullptr, hMapping);
    auto* shared = static_cast<FirmwareSharedState*>(
        MapViewOfFile(hMapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(FirmwareSharedState)));
    ASSERT_NE(nullptr, shared);
    shared->lockOwner = 0x7FFFFFFC;  // an id no process has

    BYTE value = 0;
    EXPECT_TRUE(Read(&value));
    EXPECT_EQ(0x1D, value);
    EXPECT_EQ(0u, shared->lockOwner);
    UnmapViewOfFile(shared);
    CloseHandle(hMapping);
}
