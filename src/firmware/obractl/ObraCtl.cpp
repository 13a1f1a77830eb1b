// obractl: drives the simulated firmware for people and scripts. It reads
// and changes the shared register and settings, shows the request journal,
// and plays the machine's keys and the notify event.
//
// Exit status: 0 done, 1 the action failed, 2 the arguments were wrong.
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "firmware/FirmwareState.h"
#include "firmware/obractl/CtlArgs.h"
#include "firmware/obractl/CtlInput.h"
#include "firmware/obractl/CtlReport.h"
#include "shared/ExternalNames.h"
#include "support/KeyInput.h"
#include "firmware/RadioStatus.h"

namespace {

const int EXIT_DONE = 0;
const int EXIT_FAILED = 1;
const int EXIT_USAGE = 2;

const DWORD DEFAULT_JOURNAL_LINES = 16;

const char USAGE[] =
    "usage: obractl <command> [argument]\n"
    "  status                      the register in hex, bit by bit, and the settings\n"
    "  set <byte>                  store a byte: hex (0x1D) or decimal (29)\n"
    "  wlan present|absent|on|off  Wireless LAN adapter bit (2) or enable bit (0)\n"
    "  bt present|absent|on|off    Bluetooth adapter bit (3) or enable bit (1)\n"
    "  switch on|off               radio switch bit (4)\n"
    "  journal [N]                 the last N requests, 1 to 256 (default 16)\n"
    "  unanswered on|off           leave reads unanswered (callers keep 0x66)\n"
    "  delay <ms>                  pause before each answer, 0 to 60000 ms\n"
    "  reset                       register 0x1F, reads answered, no delay, empty journal\n"
    "  key radio|osd|notify        press scan code 0x71, 0x04 extended or 0x62 extended\n"
    "  notify                      signal the event \"TorvaneNotifyEvent\"\n"
    "RAVO_OBRA_INSTANCE in the environment selects a separate register.\n";

const char* const ON_OFF[] = { "on", "off", nullptr };
const char* const RADIO_WORDS[] = { "present", "absent", "on", "off", nullptr };
const char* const KEY_WORDS[] = { "radio", "osd", "notify", nullptr };
const char* const HELP_WORDS[] = { "help", "-h", "--help", nullptr };

int UsageError(const char* format, ...)
{
    std::fputs("obractl: ", stderr);
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fputs("\n", stderr);
    std::fputs(USAGE, stderr);
    return EXIT_USAGE;
}

int Failure(const char* message)
{
    std::fprintf(stderr, "obractl: %s\n", message);
    return EXIT_FAILED;
}

int StateFailure()
{
    return Failure("cannot open the firmware register (is RAVO_OBRA_INSTANCE valid?)");
}

// Applies change to the register under the lock and prints the result.
template <typename Change>
int ChangeStatus(Change change)
{
    CFirmwareState state;
    BYTE status = 0;
    if (!state.Access([&](FirmwareSharedState& shared) {
            shared.status = change(shared.status);
            status = shared.status;
        }))
        return StateFailure();
    std::printf("status 0x%02X\n", status);
    return EXIT_DONE;
}

int ChangeBit(BYTE mask, bool set)
{
    return ChangeStatus([=](BYTE status) {
        return static_cast<BYTE>(set ? status | mask : status & ~mask);
    });
}

int RunStatus(char**)
{
    CFirmwareState state;
    FirmwareSharedState snapshot;
    if (!state.Snapshot(snapshot))
        return StateFailure();
    PrintStatus(snapshot);
    return EXIT_DONE;
}

int RunSet(char** args)
{
    BYTE value = 0;
    if (!ParseByte(args[0], value))
        return UsageError("'%s' is not a byte (0x00 to 0xFF, or 0 to 255)", args[0]);
    return ChangeStatus([=](BYTE) { return value; });
}

int RunRadio(char** args, BYTE presentMask, BYTE enabledMask)
{
    switch (ParseWord(args[0], RADIO_WORDS)) {
    case 0: return ChangeBit(presentMask, true);
    case 1: return ChangeBit(presentMask, false);
    case 2: return ChangeBit(enabledMask, true);
    case 3: return ChangeBit(enabledMask, false);
    default: return UsageError("expected present, absent, on or off, not '%s'", args[0]);
    }
}

int RunWlan(char** args)
{
    return RunRadio(args, RADIO_WLAN_PRESENT, RADIO_WLAN_ENABLED);
}

int RunBluetooth(char** args)
{
    return RunRadio(args, RADIO_BT_PRESENT, RADIO_BT_ENABLED);
}

int RunSwitch(char** args)
{
    const int word = ParseWord(args[0], ON_OFF);
    if (word < 0)
        return UsageError("expected on or off, not '%s'", args[0]);
    return ChangeBit(RADIO_SWITCH_ON, word == 0);
}

int RunJournal(char** args)
{
    DWORD lines = DEFAULT_JOURNAL_LINES;
    if (args[0] && !ParseNumber(args[0], 1, FIRMWARE_JOURNAL_SIZE, lines))
        return UsageError("'%s' is not a count from 1 to %u", args[0],
                          static_cast<unsigned>(FIRMWARE_JOURNAL_SIZE));
    CFirmwareState state;
    FirmwareSharedState snapshot;
    if (!state.Snapshot(snapshot))
        return StateFailure();
    PrintJournal(snapshot, lines);
    return EXIT_DONE;
}

int RunUnanswered(char** args)
{
    const int word = ParseWord(args[0], ON_OFF);
    if (word < 0)
        return UsageError("expected on or off, not '%s'", args[0]);
    CFirmwareState state;
    return state.SetUnanswered(word == 0) ? EXIT_DONE : StateFailure();
}

int RunDelay(char** args)
{
    DWORD delayMs = 0;
    if (!ParseNumber(args[0], 0, FIRMWARE_MAX_DELAY_MS, delayMs))
        return UsageError("'%s' is not a delay from 0 to %u ms", args[0],
                          static_cast<unsigned>(FIRMWARE_MAX_DELAY_MS));
    CFirmwareState state;
    return state.SetDelay(delayMs) ? EXIT_DONE : StateFailure();
}

int RunReset(char**)
{
    CFirmwareState state;
    return state.Reset() ? EXIT_DONE : StateFailure();
}

int RunKey(char** args)
{
    bool pressed = false;
    switch (ParseWord(args[0], KEY_WORDS)) {
    case 0: pressed = PressScanCode(static_cast<WORD>(SC_RADIO_EVENT), false); break;
    case 1: pressed = PressScanCode(static_cast<WORD>(SC_OSD_HOTKEY), true); break;
    case 2: pressed = PressScanCode(static_cast<WORD>(SC_NOTIFY_HOTKEY), true); break;
    default: return UsageError("expected radio, osd or notify, not '%s'", args[0]);
    }
    return pressed ? EXIT_DONE : Failure("the key could not be injected");
}

int RunNotify(char**)
{
    return SignalNotifyEvent() ? EXIT_DONE : Failure("cannot signal TorvaneNotifyEvent");
}

struct Command {
    const char* name;
    int minArgs;
    int maxArgs;
    int (*run)(char** args);
};

const Command COMMANDS[] = {
    { "status", 0, 0, RunStatus },         { "set", 1, 1, RunSet },
    { "wlan", 1, 1, RunWlan },             { "bt", 1, 1, RunBluetooth },
    { "switch", 1, 1, RunSwitch },         { "journal", 0, 1, RunJournal },
    { "unanswered", 1, 1, RunUnanswered }, { "delay", 1, 1, RunDelay },
    { "reset", 0, 0, RunReset },           { "key", 1, 1, RunKey },
    { "notify", 0, 0, RunNotify },
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return UsageError("no command given");
    const char* name = argv[1];
    if (ParseWord(name, HELP_WORDS) >= 0) {
        std::fputs(USAGE, stdout);
        return EXIT_DONE;
    }
    for (const Command& command : COMMANDS) {
        if (std::strcmp(command.name, name) != 0)
            continue;
        const int count = argc - 2;
        if (count < command.minArgs)
            return UsageError("'%s' needs an argument", name);
        if (count > command.maxArgs)
            return UsageError("too many arguments for '%s'", name);
        return command.run(argv + 2);
    }
    return UsageError("unknown command '%s'", name);
}
