// What the program must show for a firmware status byte, written down from
// the program's documented rules and independent of its code: the tray
// picture and tooltip, which display the hotkey opens, and the selection
// panel's choices.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace model {

constexpr BYTE WLAN_ON = 0x01;
constexpr BYTE BT_ON = 0x02;
constexpr BYTE WLAN_PRESENT = 0x04;
constexpr BYTE BT_PRESENT = 0x08;
constexpr BYTE SWITCH_ON = 0x10;

// What an unanswered read leaves in the program's status byte.
constexpr BYTE UNANSWERED_READ = 0x66;

enum class Display { None, Selection, Notice };

inline Display DisplayFor(BYTE status)
{
    if (!(status & (WLAN_PRESENT | BT_PRESENT)))
        return Display::None;
    return (status & SWITCH_ON) ? Display::Selection : Display::Notice;
}

// Tray picture and tooltip id.
inline UINT TrayIdFor(BYTE status)
{
    const bool wlan = status & WLAN_PRESENT, bt = status & BT_PRESENT, on = status & SWITCH_ON;
    const bool wlanOn = status & WLAN_ON, btOn = status & BT_ON;
    if (wlan && bt) {
        if (!on)
            return 140;
        if (wlanOn && btOn)
            return 138;
        if (wlanOn)
            return 146;
        if (btOn)
            return 142;
        return 140;
    }
    if (wlan)
        return on && wlanOn ? 146 : 148;
    if (bt)
        return on && btOn ? 142 : 144;
    return 140;
}

// The sentence of a state id (the OSD and tray families share six texts).
inline std::string TextOf(UINT stateId)
{
    switch (stateId) {
    case 130: case 142: return "Bluetooth is enabled.";
    case 131: case 138: return "Bluetooth and Wireless LAN are enabled.";
    case 132: case 144: return "Bluetooth is disabled.";
    case 133: case 140: return "Bluetooth and Wireless LAN are disabled.";
    case 134: case 148: return "Wireless LAN is disabled.";
    case 135: case 146: return "Wireless LAN is enabled.";
    default: return std::string();
    }
}

// The selection panel's choices in button order, and the one highlighted
// when it opens (for a byte whose display is the selection panel).
struct Panel {
    std::vector<UINT> choices;
    size_t initial = 0;
};

inline Panel PanelFor(BYTE status)
{
    const bool wlan = status & WLAN_PRESENT, bt = status & BT_PRESENT;
    const bool wlanOn = status & WLAN_ON, btOn = status & BT_ON;
    Panel panel;
    if (wlan && bt) {
        panel.choices = { 130, 135, 131, 133 };
        panel.initial = btOn && !wlanOn ? 0 : !btOn && wlanOn ? 1 : btOn && wlanOn ? 2 : 3;
    } else if (bt) {
        panel.choices = { 130, 132 };
        panel.initial = btOn ? 0 : 1;
    } else if (wlan) {
        panel.choices = { 135, 134 };
        panel.initial = wlanOn ? 0 : 1;
    }
    return panel;
}

// The two bytes written when choice id is applied to a register holding
// status: Bluetooth bit first, then the Wireless LAN bit, every other bit
// written back as read.
inline std::vector<BYTE> WritesFor(BYTE status, UINT choice)
{
    const bool bt = choice == 130 || choice == 131;
    const bool wlan = choice == 131 || choice == 135;
    const BYTE first = static_cast<BYTE>(bt ? (status | BT_ON) : (status & ~BT_ON));
    const BYTE second = static_cast<BYTE>(wlan ? (first | WLAN_ON) : (first & ~WLAN_ON));
    return { first, second };
}

// The notice's picture: by the presence bits only.
inline UINT NoticePictureFor(BYTE status)
{
    const bool wlan = status & WLAN_PRESENT, bt = status & BT_PRESENT;
    if (wlan && !bt)
        return 134;
    if (bt && !wlan)
        return 132;
    return 133;
}

}  // namespace model
