// Layout of the simulated firmware's shared block: the radio status
// register, the settings that shape OBRAEvaluate's answers, and a journal of
// the last requests. Every process of the session maps the same block, so
// the fields have fixed sizes and offsets whatever the compiler.
#pragma once

#include <cstddef>
#include <cstdint>

// "OBRS" in memory order. A block whose header differs is re-initialised.
constexpr uint32_t FIRMWARE_STATE_MAGIC = 0x5352424F;
constexpr uint32_t FIRMWARE_STATE_VERSION = 2;

// A notebook with both radios present and enabled and the switch on.
constexpr uint8_t FIRMWARE_DEFAULT_STATUS = 0x1F;

constexpr uint32_t FIRMWARE_JOURNAL_SIZE = 256;
constexpr uint32_t FIRMWARE_JOURNAL_INPUT_BYTES = 4;
// Longest pause OBRAEvaluate takes before answering, whatever is configured.
constexpr uint32_t FIRMWARE_MAX_DELAY_MS = 60000;

// One request as OBRAEvaluate saw it.
struct FirmwareJournalEntry {
    uint32_t sequence;      // 1 for the first request ever recorded
    uint32_t inputLength;   // as the caller gave it
    uint32_t outputLength;  // as the caller gave it
    uint8_t function;       // low byte of the record's first slot
    uint8_t answered;       // 1 when the request took effect
    uint8_t inputCount;     // leading input bytes kept in input[]
    uint8_t hasOutput;      // 1 when the output pointer was not null
    uint8_t input[FIRMWARE_JOURNAL_INPUT_BYTES];
    uint8_t status;         // the register after the request
    uint8_t reserved[3];
};

struct FirmwareSharedState {
    uint32_t magic;
    uint32_t version;
    uint32_t size;          // sizeof(FirmwareSharedState)
    uint32_t delayMs;       // pause before each request is handled
    uint8_t status;         // the radio status register
    uint8_t unanswered;     // 1: reads fail and store nothing
    uint8_t reserved[2];
    uint32_t sequence;      // requests recorded since the block was created
    uint32_t journalFloor;  // sequence at the last reset; older entries are void
    uint32_t lockOwner;     // process id of the access in progress, 0 if none
    FirmwareJournalEntry journal[FIRMWARE_JOURNAL_SIZE];  // ring, by sequence
};

static_assert(sizeof(FirmwareJournalEntry) == 24);
static_assert(offsetof(FirmwareJournalEntry, function) == 12);
static_assert(offsetof(FirmwareJournalEntry, input) == 16);
static_assert(offsetof(FirmwareJournalEntry, status) == 20);
static_assert(offsetof(FirmwareSharedState, delayMs) == 12);
static_assert(offsetof(FirmwareSharedState, status) == 16);
static_assert(offsetof(FirmwareSharedState, sequence) == 20);
static_assert(offsetof(FirmwareSharedState, lockOwner) == 28);
static_assert(offsetof(FirmwareSharedState, journal) == 32);
static_assert(sizeof(FirmwareSharedState) == 32 + 24 * FIRMWARE_JOURNAL_SIZE);
