#include "firmware/obractl/CtlReport.h"

#include "firmware/FirmwareState.h"
#include "firmware/RadioStatus.h"

#include <cstdio>

namespace {

const char* const BIT_NAMES[8] = {
    "Wireless LAN enabled", "Bluetooth enabled", "Wireless LAN present",
    "Bluetooth present",    "radio switch on",   "(unused)",
    "(unused)",             "(unused)",
};

const char* FunctionName(BYTE function)
{
    switch (function) {
    case EVAL_READ: return "read";
    case EVAL_WRITE: return "write";
    default: return "other";
    }
}

}  // namespace

void PrintStatus(const FirmwareSharedState& state)
{
    std::printf("status 0x%02X\n", state.status);
    for (int bit = 0; bit < 8; ++bit)
        std::printf("  bit %d  %-22s %d\n", bit, BIT_NAMES[bit], (state.status >> bit) & 1);
    std::printf("reads %s, delay %lu ms, %lu requests so far\n",
                state.unanswered ? "unanswered" : "answered",
                static_cast<unsigned long>(state.delayMs),
                static_cast<unsigned long>(state.sequence));
}

void PrintJournal(const FirmwareSharedState& state, DWORD count)
{
    FirmwareJournalEntry entries[FIRMWARE_JOURNAL_SIZE];
    const DWORD copied = CFirmwareState::CopyJournal(state, entries, count);
    if (copied == 0) {
        std::printf("journal empty\n");
        return;
    }
    std::printf("%10s  %-10s %-12s %5s %6s %6s %8s %6s\n", "sequence", "function",
                "input", "inLen", "output", "outLen", "answered", "status");
    for (DWORD i = 0; i < copied; ++i) {
        const FirmwareJournalEntry& entry = entries[i];
        char input[3 * FIRMWARE_JOURNAL_INPUT_BYTES + 1] = "-";
        int used = 0;
        for (DWORD b = 0; b < entry.inputCount; ++b)
            used += std::snprintf(input + used, sizeof(input) - used, b ? " %02X" : "%02X",
                                  entry.input[b]);
        char function[16];
        std::snprintf(function, sizeof(function), "0x%02X %s", entry.function,
                      FunctionName(entry.function));
        std::printf("%10lu  %-10s %-12s %5lu %6s %6lu %8s   0x%02X\n",
                    static_cast<unsigned long>(entry.sequence), function, input,
                    static_cast<unsigned long>(entry.inputLength),
                    entry.hasOutput ? "yes" : "null",
                    static_cast<unsigned long>(entry.outputLength),
                    entry.answered ? "yes" : "no", entry.status);
    }
}
