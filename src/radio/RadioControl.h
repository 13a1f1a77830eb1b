// Reads and writes the firmware radio status register through OBRA.dll and
// sends the radio driver's notification request.
#pragma once

#include "firmware/RadioStatus.h"

// The five status bits as one record, each exactly 1 or 0.
struct RadioState {
    BOOL switchOn;
    BOOL wlanPresent;
    BOOL btPresent;
    BOOL wlanEnabled;
    BOOL btEnabled;
};

class CRadioControl {
public:
    CRadioControl();
    virtual ~CRadioControl();

    CRadioControl(const CRadioControl&) = delete;
    CRadioControl& operator=(const CRadioControl&) = delete;

    // Fetches the register into the status byte. Always TRUE.
    BOOL Read();
    // Read, then write the byte back with one enable bit changed. Any
    // nonzero value enables. The status byte keeps the value read before
    // the write. Always TRUE.
    BOOL SetBluetooth(BOOL enable);
    BOOL SetWlan(BOOL enable);

    // Bits of the byte from the last Read: exactly 1 or 0, no library call.
    BOOL IsWlanEnabled() const;
    BOOL IsBluetoothEnabled() const;
    BOOL IsWlanPresent() const;
    BOOL IsBluetoothPresent() const;
    BOOL IsRadioSwitchOn() const;
    // All five bits of the last Read at once.
    RadioState State() const;

    // Sends IOCTL_RADIO_NOTIFY to the radio device. Always TRUE.
    BOOL Notify(NotifyRequest request);

private:
    BOOL EvaluateRead(const BYTE* input, DWORD inputLength, BYTE* output,
                      DWORD outputLength);
    BOOL EvaluateWrite(const BYTE* input, DWORD inputLength);
    BOOL WriteEnableBit(BYTE mask, BOOL enable);
    BOOL HasBit(BYTE mask) const;

    HANDLE m_hDevice;
    RadioStatus m_status;
};
