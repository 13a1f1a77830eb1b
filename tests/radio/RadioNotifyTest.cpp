// CRadioControl::Notify, observed by replacing the program's import of
// DeviceIoControl with a recorder that calls through to the real function.
#include <gtest/gtest.h>

#include <cstring>

#include "FakeObra.h"
#include "ImportPatch.h"
#include "radio/RadioControl.h"

namespace {

typedef BOOL(WINAPI* DeviceIoControlFn)(HANDLE, DWORD, LPVOID, DWORD, LPVOID, DWORD,
                                        LPDWORD, LPOVERLAPPED);

struct IoctlCall {
    int count;
    HANDLE device;
    DWORD code;
    BYTE input[12];
    DWORD inputSize, outputSize;
    bool sameBuffer, hasBytesReturned, overlapped;
    BOOL result;
};

IoctlCall s_call;
DeviceIoControlFn s_real;

// Records the call and passes it on, then scribbles over the output as a
// device might: that must not reach the caller's state.
BOOL WINAPI RecordDeviceIoControl(HANDLE device, DWORD code, LPVOID in, DWORD inSize,
                                  LPVOID out, DWORD outSize, LPDWORD bytesReturned,
                                  LPOVERLAPPED overlapped)
{
    s_call.count++;
    s_call.device = device;
    s_call.code = code;
    std::memcpy(s_call.input, in, inSize < 12 ? inSize : 12);
    s_call.inputSize = inSize;
    s_call.outputSize = outSize;
    s_call.sameBuffer = in == out;
    s_call.hasBytesReturned = bytesReturned != NULL;
    s_call.overlapped = overlapped != NULL;
    s_call.result = s_real(device, code, in, inSize, out, outSize, bytesReturned, overlapped);
    std::memset(out, 0xEE, outSize);
    return s_call.result;
}

}  // namespace

TEST(RadioNotify, SendsTheTaggedRequestAndFailsWithoutDevice)
{
    CImportPatch patch("kernel32.dll", "DeviceIoControl",
                       reinterpret_cast<void*>(&RecordDeviceIoControl));
    ASSERT_TRUE(patch.IsApplied());
    s_real = patch.OriginalAs<DeviceIoControlFn>();
    s_call = IoctlCall();

    CRadioControl radio;
    FakeObra::Reset(0x1D);
    radio.Read();
    EXPECT_EQ(TRUE, radio.Notify(NotifyRequest{ NOTIFY_TAG, 0, 0 }));

    ASSERT_EQ(1, s_call.count);
    EXPECT_EQ(INVALID_HANDLE_VALUE, s_call.device);
    EXPECT_EQ(0x0022200Cu, s_call.code);
    const BYTE tag[12] = { 0x4E, 0x54, 0x46, 0x59 };
    EXPECT_EQ(0, std::memcmp(tag, s_call.input, sizeof(tag)));
    EXPECT_EQ(12u, s_call.inputSize);
    EXPECT_EQ(12u, s_call.outputSize);
    EXPECT_TRUE(s_call.sameBuffer && s_call.hasBytesReturned && !s_call.overlapped);
    EXPECT_EQ(FALSE, s_call.result);  // no device: the request fails

    // No library call, and the status byte still holds what was read.
    EXPECT_EQ(1u, FakeObra::Calls().size());
    EXPECT_EQ(1, radio.IsWlanEnabled());
    EXPECT_EQ(0, radio.IsBluetoothEnabled());
}
