// What every end-to-end test program shares: the program's outside
// interface as numbers, a running copy under test with the stand-in shell,
// the displays' windows read from outside, and the firmware's request count.
#pragma once

#include "FakeShell.h"
#include "FirmwareProbe.h"
#include "RavoProcess.h"
#include "shared/ExternalNames.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace e2e {

// Private messages of the running copy.
constexpr UINT WM_TRAY_NOTIFY = 0x04C4;
constexpr WPARAM TRAY_ICON_ID = 128;

// Tray menu commands.
constexpr WPARAM ID_OPTION = 32771;
constexpr WPARAM ID_APP_ABOUT = 0xE140;
constexpr WPARAM ID_APP_EXIT = 0xE141;

// Controls of the displays.
constexpr int IDC_BTN1 = 1001;
constexpr int IDC_BTN5 = 1005;
constexpr int IDC_CHOICE_TEXT = 1006;
constexpr int IDC_VERSION = 1007;

// Key events as the hook forwards them: flags and scan code.
constexpr WPARAM KEY_DOWN = 0x00;
constexpr WPARAM KEY_UP = 0x80;
constexpr WPARAM KEY_EXTENDED = 0x01;

constexpr char FIRMWARE_INSTANCE[] = "e2e";

// Every request OBRA.dll has seen in this instance, reads and writes; it
// never goes back, unlike the journal, which keeps only the latest 256.
DWORD FirmwareRequestCount();

// Counts firmware requests in steps: each Take() gives those since the last.
class CRequestCounter {
public:
    DWORD Take()
    {
        const DWORD now = FirmwareRequestCount();
        const DWORD count = now - m_last;
        m_last = now;
        return count;
    }
    // The count at the last Take().
    DWORD Last() const { return m_last; }

private:
    DWORD m_last = 0;
};

// Types the radio event key once and counts the firmware requests that
// follow: waits up to waitMs for the first, then a while for any more. The
// hook's effect: 1 with one hook aimed at the frame, 0 with none.
DWORD RequestsForRadioKey(HWND hWnd, DWORD waitMs = 1000);


// Sends with a time-out, so a stuck program fails the test instead of
// hanging it. FALSE when the message was not answered in time.
BOOL SendTimed(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs = 10000,
               LRESULT* result = nullptr);
// The window answers a message.
BOOL Responsive(HWND hWnd, DWORD timeoutMs = 10000);

// The display kinds, told apart by their controls.
enum class Osd { Selection, Notice, About };
int ControlOf(Osd kind);
// The visible dialog of process pid that has the control of kind; NULL if none.
HWND FindDialog(DWORD pid, Osd kind);
HWND WaitForDialog(DWORD pid, Osd kind, DWORD timeoutMs = 10000);
BOOL WaitForNoDialog(DWORD pid, DWORD timeoutMs = 10000);
// Visible popup menus of process pid.
std::vector<HWND> MenusOf(DWORD pid);
// All windows of process pid, top-level and child.
int CountWindowsOf(DWORD pid);

BOOL ItemEnabled(HWND hDlg, int id);
// The texts of all of a dialog's controls, in child order.
std::vector<std::string> ChildTexts(HWND hDlg);

// The picture, out of candidates (OSD icon ids), that the icon button shows
// on the screen now: the one whose opaque pixels the screen matches best.
// 0 when the screen cannot be read or none matches well.
UINT PictureOnButton(HWND hButton, const std::vector<UINT>& candidates);

// Sends a key event to a display, as the hook would post it, and waits
// until it has been handled.
BOOL SendKey(HWND hWnd, WPARAM flags, LPARAM scanCode);

// Presses and releases a key by virtual-key code, as typed (menus take
// these), holding it as injected keys need.
void PressVirtualKey(WORD vk);
// Clicks the left button count times at the centre of a window.
void ClickCentre(HWND hWnd, int count = 1);

// The registry value the About box shows, HKLM "SOFTWARE\RAVO" "Version":
// set for a test and put back as it was afterwards.
class CVersionValue {
public:
    CVersionValue();
    ~CVersionValue();
    CVersionValue(const CVersionValue&) = delete;
    CVersionValue& operator=(const CVersionValue&) = delete;

    BOOL Set(DWORD type, const void* data, DWORD size);
    BOOL SetString(const std::string& text);  // REG_SZ with its terminating zero
    BOOL Remove();

private:
    BOOL m_bKeyExisted = FALSE;
    BOOL m_bExisted = FALSE;
    DWORD m_type = 0;
    std::vector<BYTE> m_data;
};

// e2e_editor.exe: another program's window in front, its edit control
// focused, as the user left it before pressing the hotkey.
class CEditor {
public:
    ~CEditor();
    // Starts it and waits until its window is the foreground window.
    BOOL Start();
    HWND Wnd() const { return m_hWnd; }
    HWND Edit() const { return m_hEdit; }
    DWORD ThreadId() const { return ::GetWindowThreadProcessId(m_hWnd, nullptr); }
    // What the edit control holds.
    std::string Text() const;

private:
    CProgramProcess m_process;
    HWND m_hWnd = nullptr;
    HWND m_hEdit = nullptr;
};

// A copy of Ravo.exe under test with the stand-in shell in front of Wine's
// tray and its own firmware register. The fixture of most test programs.
class CSession {
public:
    CSession();
    ~CSession();

    // Makes the shell (once) and starts a copy; the register is set first.
    BOOL Start(BYTE status = 0x1F, const std::string& arguments = "");
    // Closes the copy the documented way; its exit code.
    DWORD Close();

    HWND Wnd() const { return m_hWnd; }
    DWORD Pid() const { return m_ravo.Pid(); }
    CRavoProcess& Process() { return m_ravo; }
    CFakeShell& Shell() { return *m_pShell; }
    CFirmwareProbe& Firmware() { return m_firmware; }

    // The tray shows the state of status, picture and tooltip.
    BOOL WaitForTrayOf(BYTE status, DWORD timeoutMs = 10000);
    // The shell now shows no icon of the copy.
    BOOL TrayEmpty();

    // Replaces the stand-in shell with a new, empty one (the old one's
    // icons are gone with it).
    BOOL RestartShell();

private:
    // Selects the firmware instance before the probe opens it.
    struct CInstance {
        CInstance() { CFirmwareProbe::UseInstance(FIRMWARE_INSTANCE); }
    } m_instance;
    CRavoProcess m_ravo;
    CFirmwareProbe m_firmware;
    std::unique_ptr<CFakeShell> m_pShell;
    HWND m_hWnd = nullptr;
};

}  // namespace e2e
