// Test harness for the on-screen displays: replaces the process-wide side
// effects (keyboard hook, foreground claims, the main frame lookup) with
// in-process recorders, and runs a dialog modally with a script of steps.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "FakeObra.h"

class CDialog;
class CIconButton;
class CImportPatch;

namespace harness {

// Patches the program's imports for its lifetime:
// - the low-level keyboard hook is recorded, not installed; Key() calls its
//   procedure as the system would;
// - SetTimer calls are recorded (and 4-second periods shortened on request);
// - AttachThreadInput is counted, never done: attachments as foreground
//   claims, and those not detached again;
// - FindWindowA for "TorvaneClass" finds only this process's FrameStandIn,
//   so other programs on the desktop stay out of the tests.
class Fakes {
public:
    Fakes();
    ~Fakes();

private:
    std::vector<CImportPatch*> m_patches;
};

// Key event through the hook procedure; nothing when no hook is installed.
void Key(DWORD scanCode, DWORD flags = 0);
inline void KeyUp(DWORD scanCode) { Key(scanCode, LLKHF_UP); }
bool HookInstalled();
int ForegroundClaims();
// Runs action once inside the next foreground claim, as a message another
// thread sends is handled inside the real one.
void DuringNextForegroundClaim(std::function<void()> action);
int InputAttachments();
// SetTimer calls for hWnd and nId so far, and the last period asked for.
int TimerStarts(HWND hWnd, UINT_PTR nId);
UINT LastTimerPeriod(HWND hWnd, UINT_PTR nId);
// Makes 4000 ms timers fire after nPeriod ms.
void ShortenOsdTimers(UINT nPeriod = 1000);

// Stand-in for the main frame: a window of class "TorvaneClass" counting
// WM_STATUS_CHANGED, with what had happened when each arrived.
class FrameStandIn {
public:
    FrameStandIn();
    ~FrameStandIn();
    int refreshes = 0;
    size_t writesAtRefresh = 0;
    bool hookAtRefresh = false;
    HWND m_hWnd;
};

// Runs a dialog modally; once it is shown and idle the steps run one by
// one, each after the messages the previous one posted were handled. A
// dialog still open 3 s after the last step is ended with IDABORT.
class ModalScript {
public:
    using Step = std::function<void(HWND hDlg)>;
    ModalScript& Then(Step step);
    INT_PTR Run(CDialog& dialog);
    size_t StepsRun() const { return m_next; }

private:
    static LRESULT CALLBACK DriverProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    void RunNext();

    std::vector<Step> m_steps;
    size_t m_next = 0;
    CDialog* m_pDialog = nullptr;
    HWND m_hDriver = nullptr;
};

// A notification from control nId (BN_CLICKED unless told), or IDCANCEL.
void Notify(HWND hDlg, int nId, UINT nCode = BN_CLICKED);
inline void Cancel(HWND hDlg) { ::SendMessageA(hDlg, WM_COMMAND, IDCANCEL, 0); }

std::string ItemText(HWND hDlg, int nId);
CIconButton* Button(HWND hDlg, int nId);
// Index 0..3 of the one highlighted button of IDC_BTN1..4; -1 for none, -2 for several.
int Highlighted(HWND hDlg);
// Whether hIcon shows the same pixels as icon resource nIconId.
bool IconIs(HICON hIcon, UINT nIconId);

}  // namespace harness

class OsdTest : public ::testing::Test {
protected:
    harness::Fakes m_fakes;
};
