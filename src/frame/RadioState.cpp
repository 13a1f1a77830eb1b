#include "frame/RadioState.h"

#include "res/resource.h"

int StatusClassOf(const RadioState& state)
{
    if (!state.wlanPresent && !state.btPresent)
        return STATUS_CLASS_NONE;
    return state.switchOn ? STATUS_CLASS_ON : STATUS_CLASS_OFF;
}

UINT TrayStateIdOf(const RadioState& state)
{
    const bool wlanOn = state.switchOn && state.wlanEnabled;
    const bool btOn = state.switchOn && state.btEnabled;
    if (state.wlanPresent && state.btPresent) {
        if (wlanOn && btOn)
            return IDR_TRAY_BOTH_ON;
        if (wlanOn)
            return IDR_TRAY_WLAN_ON;
        if (btOn)
            return IDR_TRAY_BT_ON;
        return IDR_TRAY_BOTH_OFF;
    }
    if (state.wlanPresent)
        return wlanOn ? IDR_TRAY_WLAN_ON : IDR_TRAY_WLAN_OFF;
    if (state.btPresent)
        return btOn ? IDR_TRAY_BT_ON : IDR_TRAY_BT_OFF;
    return IDR_TRAY_BOTH_OFF;
}
