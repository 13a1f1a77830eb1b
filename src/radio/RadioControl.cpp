#include "radio/RadioControl.h"

// No radio device is opened: the handle stays INVALID_HANDLE_VALUE, so the
// notification request fails at once and changes nothing. The status byte
// starts at the unanswered preset so the accessors are defined before the
// first Read.
CRadioControl::CRadioControl()
    : m_hDevice(INVALID_HANDLE_VALUE), m_status(RADIO_STATUS_UNANSWERED)
{
}

// The device handle is never opened, so there is nothing to close.
CRadioControl::~CRadioControl()
{
}

BOOL CRadioControl::Read()
{
    const BYTE input[1] = { RADIO_STATUS_REGISTER };
    m_status = RADIO_STATUS_UNANSWERED;
    EvaluateRead(input, 1, &m_status, 1);
    return TRUE;
}

BOOL CRadioControl::SetBluetooth(BOOL enable)
{
    return WriteEnableBit(RADIO_BT_ENABLED, enable);
}

BOOL CRadioControl::SetWlan(BOOL enable)
{
    return WriteEnableBit(RADIO_WLAN_ENABLED, enable);
}

// Sends the byte just read with one bit changed, even when that bit already
// has the wanted value; every other bit goes back as read.
BOOL CRadioControl::WriteEnableBit(BYTE mask, BOOL enable)
{
    Read();
    const BYTE value = enable ? static_cast<BYTE>(m_status | mask)
                              : static_cast<BYTE>(m_status & ~mask);
    const BYTE input[2] = { RADIO_STATUS_REGISTER, value };
    EvaluateWrite(input, 2);
    return TRUE;
}

BOOL CRadioControl::IsWlanEnabled() const { return HasBit(RADIO_WLAN_ENABLED); }
BOOL CRadioControl::IsBluetoothEnabled() const { return HasBit(RADIO_BT_ENABLED); }
BOOL CRadioControl::IsWlanPresent() const { return HasBit(RADIO_WLAN_PRESENT); }
BOOL CRadioControl::IsBluetoothPresent() const { return HasBit(RADIO_BT_PRESENT); }
BOOL CRadioControl::IsRadioSwitchOn() const { return HasBit(RADIO_SWITCH_ON); }

RadioState CRadioControl::State() const
{
    return { IsRadioSwitchOn(), IsWlanPresent(), IsBluetoothPresent(), IsWlanEnabled(),
             IsBluetoothEnabled() };
}

BOOL CRadioControl::HasBit(BYTE mask) const
{
    return (m_status & mask) == mask ? 1 : 0;
}

// The request is the callee's own copy; it serves as input and output, and
// whatever the device writes back is dropped with it.
BOOL CRadioControl::Notify(NotifyRequest request)
{
    DWORD bytesReturned = 0;
    ::DeviceIoControl(m_hDevice, IOCTL_RADIO_NOTIFY, &request, sizeof(request),
                      &request, sizeof(request), &bytesReturned, nullptr);
    return TRUE;
}

BOOL CRadioControl::EvaluateRead(const BYTE* input, DWORD inputLength,
                                 BYTE* output, DWORD outputLength)
{
    EvaluateRequest request = {};
    request.function = EVAL_READ;
    request.input = input;
    request.inputLength = inputLength;
    request.output = output;
    request.outputLength = outputLength;
    OBRAEvaluate(request);
    return TRUE;
}

BOOL CRadioControl::EvaluateWrite(const BYTE* input, DWORD inputLength)
{
    EvaluateRequest request = {};
    request.function = EVAL_WRITE;
    request.input = input;
    request.inputLength = inputLength;
    request.output = nullptr;
    request.outputLength = 0;
    OBRAEvaluate(request);
    return TRUE;
}
