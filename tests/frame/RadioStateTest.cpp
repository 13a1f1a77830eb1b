// The status class and the tray picture for every firmware byte, checked
// against the tables the program must follow, row by row.
#include "frame/RadioState.h"
#include "res/resource.h"

#include <gtest/gtest.h>

namespace {

constexpr int ANY = -1;

struct TrayRow {
    int wlanPresent, btPresent, switchOn, wlanEnabled, btEnabled;
    UINT stateId;
};

// The complete mapping; "ANY" means the bit is not consulted.
constexpr TrayRow kTrayTable[] = {
    { 1, 1, 0, ANY, ANY, IDR_TRAY_BOTH_OFF },
    { 1, 1, 1, 1, 1, IDR_TRAY_BOTH_ON },
    { 1, 1, 1, 1, 0, IDR_TRAY_WLAN_ON },
    { 1, 1, 1, 0, 1, IDR_TRAY_BT_ON },
    { 1, 1, 1, 0, 0, IDR_TRAY_BOTH_OFF },
    { 1, 0, 1, 1, ANY, IDR_TRAY_WLAN_ON },
    { 1, 0, 1, 0, ANY, IDR_TRAY_WLAN_OFF },
    { 1, 0, 0, ANY, ANY, IDR_TRAY_WLAN_OFF },
    { 0, 1, 1, ANY, 1, IDR_TRAY_BT_ON },
    { 0, 1, 1, ANY, 0, IDR_TRAY_BT_OFF },
    { 0, 1, 0, ANY, ANY, IDR_TRAY_BT_OFF },
    { 0, 0, ANY, ANY, ANY, IDR_TRAY_BOTH_OFF },
};

bool Matches(int want, BOOL have)
{
    return want == ANY || want == (have ? 1 : 0);
}

RadioState Decode(unsigned byte)
{
    return { (byte & 0x10) != 0, (byte & 0x04) != 0, (byte & 0x08) != 0,
             (byte & 0x01) != 0, (byte & 0x02) != 0 };
}

}  // namespace

TEST(RadioState, TrayStateIdForEveryByteFollowsExactlyOneTableRow)
{
    for (unsigned byte = 0; byte < 256; ++byte) {
        const RadioState s = Decode(byte);
        int rows = 0;
        UINT expected = 0;
        for (const TrayRow& row : kTrayTable) {
            if (Matches(row.wlanPresent, s.wlanPresent) && Matches(row.btPresent, s.btPresent) &&
                Matches(row.switchOn, s.switchOn) && Matches(row.wlanEnabled, s.wlanEnabled) &&
                Matches(row.btEnabled, s.btEnabled)) {
                ++rows;
                expected = row.stateId;
            }
        }
        ASSERT_EQ(rows, 1) << "byte " << byte;
        EXPECT_EQ(TrayStateIdOf(s), expected) << "byte 0x" << std::hex << byte;
    }
}

TEST(RadioState, StatusClassForEveryByte)
{
    for (unsigned byte = 0; byte < 256; ++byte) {
        const bool present = (byte & 0x0C) != 0;
        const bool switchOn = (byte & 0x10) != 0;
        const int expected = !present ? STATUS_CLASS_NONE : switchOn ? STATUS_CLASS_ON : STATUS_CLASS_OFF;
        EXPECT_EQ(StatusClassOf(Decode(byte)), expected) << "byte 0x" << std::hex << byte;
    }
    EXPECT_EQ(StatusClassOf(Decode(0x66)), STATUS_CLASS_OFF);  // an unanswered read
}
