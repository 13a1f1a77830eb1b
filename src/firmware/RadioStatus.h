// The firmware radio status register, the request record that carries reads
// and writes of it to OBRA.dll, and the radio driver's notification request.
#pragma once

#include <windows.h>
#include <winioctl.h>

#include <cstddef>

// One byte kept by the firmware.
typedef BYTE RadioStatus;

constexpr BYTE RADIO_WLAN_ENABLED = 0x01;  // bit 0, changed by SetWlan
constexpr BYTE RADIO_BT_ENABLED   = 0x02;  // bit 1, changed by SetBluetooth
constexpr BYTE RADIO_WLAN_PRESENT = 0x04;  // bit 2, written back as read
constexpr BYTE RADIO_BT_PRESENT   = 0x08;  // bit 3, written back as read
constexpr BYTE RADIO_SWITCH_ON    = 0x10;  // bit 4, follows the hardware switch
constexpr BYTE RADIO_UNUSED_BITS  = 0xE0;  // bits 5 to 7, written back as read

// Stored in the status byte before every read: a read the library leaves
// unanswered shows as a Wireless LAN-only machine with its switch off.
constexpr BYTE RADIO_STATUS_UNANSWERED = 0x66;

// First input byte of both requests: the register they address.
constexpr BYTE RADIO_STATUS_REGISTER = 0xBB;

// Function codes of the request record.
constexpr BYTE EVAL_READ  = 0xB0;
constexpr BYTE EVAL_WRITE = 0xB1;

#pragma pack(push, 1)
// One request to OBRAEvaluate, passed by value (20 bytes on the stack of
// the 32-bit build).
// Only the low byte of the first 32-bit slot is the function code.
struct EvaluateRequest {
    BYTE function;       // EVAL_READ or EVAL_WRITE
    BYTE padding[3];     // not set by the caller; no meaning
    const BYTE* input;   // input bytes: register, then the value of a write
    DWORD inputLength;
    BYTE* output;        // one-byte buffer of a read, null for a write
    DWORD outputLength;
};

// The radio driver's notification request: tag "NTFY" and two zero words.
struct NotifyRequest {
    DWORD tag;
    DWORD reserved1;
    DWORD reserved2;
};
#pragma pack(pop)

// Packed on every architecture: the function byte, its three padding bytes,
// then pointer, length, pointer, length with nothing between them.
static_assert(offsetof(EvaluateRequest, function) == 0);
static_assert(offsetof(EvaluateRequest, input) == 4);
static_assert(offsetof(EvaluateRequest, inputLength) == 4 + sizeof(void*));
static_assert(offsetof(EvaluateRequest, output) == 8 + sizeof(void*));
static_assert(offsetof(EvaluateRequest, outputLength) == 8 + 2 * sizeof(void*));
static_assert(sizeof(EvaluateRequest) == 12 + 2 * sizeof(void*));
#ifndef _WIN64
// The platform's library is 32-bit: there the record is 20 bytes.
static_assert(sizeof(EvaluateRequest) == 20, "EvaluateRequest is 20 bytes");
static_assert(offsetof(EvaluateRequest, inputLength) == 8);
static_assert(offsetof(EvaluateRequest, output) == 12);
static_assert(offsetof(EvaluateRequest, outputLength) == 16);
#endif
static_assert(sizeof(NotifyRequest) == 12, "NotifyRequest is 12 bytes");

// "NTFY" in memory order: 0x4E, 0x54, 0x46, 0x59.
constexpr DWORD NOTIFY_TAG = 0x5946544E;

constexpr DWORD IOCTL_RADIO_NOTIFY = 0x0022200C;
static_assert(IOCTL_RADIO_NOTIFY ==
              CTL_CODE(FILE_DEVICE_UNKNOWN, 0x803, METHOD_BUFFERED, FILE_ANY_ACCESS));

// The one export of OBRA.dll, bound at load time. Declared without
// dllimport so that a test double can define it; the import library
// resolves the plain name for the program.
extern "C" BOOL __cdecl OBRAEvaluate(EvaluateRequest request);
