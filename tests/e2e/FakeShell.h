// A stand-in notification area that records what the program asks of it.
//
// Wine's shell32 hands every Shell_NotifyIcon call, as WM_COPYDATA, to the
// first top-level window of class "Shell_TrayWnd". A topmost window of that
// class made after Wine's own tray comes first in the z-order, so while it
// exists the program's tray calls arrive here: its icon, tooltip, flags and
// picture can be read from outside the program. Destroying it and making a
// new, empty one is a shell restart, which the program learns of through
// the registered message "TaskbarCreated".
//
// The shell keeps its own list of icons and answers like a real one: an
// add of a known icon, and a modify or delete of an unknown one, fail.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct TrayCall {
    DWORD op = 0;          // NIM_ADD, NIM_MODIFY, NIM_DELETE, ...
    HWND hWnd = nullptr;
    UINT uID = 0;
    UINT uFlags = 0;
    UINT uCallbackMessage = 0;
    std::string tip;
    UINT iconId = 0;       // resource id of the picture (see IconIdOf), 0 if none or unknown
    BOOL answer = FALSE;   // what this shell answered
};

struct TrayIconState {
    HWND hWnd = nullptr;
    UINT uID = 0;
    UINT uCallbackMessage = 0;
    std::string tip;
    UINT iconId = 0;
};

class CFakeShell {
public:
    CFakeShell();
    ~CFakeShell();
    CFakeShell(const CFakeShell&) = delete;
    CFakeShell& operator=(const CFakeShell&) = delete;

    // Makes the shell window on a thread of its own. TRUE when it is the
    // window that Shell_NotifyIcon now reaches.
    BOOL Start();
    void Stop();
    BOOL IsFirst() const;

    // The calls made for hWnd's icons (all calls for NULL), oldest first.
    std::vector<TrayCall> Calls(HWND hWnd = nullptr);
    void ClearCalls();
    // The icons this shell shows now for hWnd (all for NULL).
    std::vector<TrayIconState> Icons(HWND hWnd = nullptr);
    // The one icon of hWnd, if shown.
    BOOL IconOf(HWND hWnd, TrayIconState& icon);
    // Waits until pred(calls) holds.
    template <typename Pred>
    BOOL WaitFor(Pred pred, DWORD timeoutMs = 10000)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                  [&] { return pred(m_calls); });
    }
    // Waits until hWnd's icon shows the picture iconId with the tooltip tip,
    // or with any tooltip when tip is NULL.
    BOOL WaitForIcon(HWND hWnd, UINT iconId, const std::string& tip, DWORD timeoutMs = 10000)
    {
        return WaitForIcon(hWnd, iconId, &tip, timeoutMs);
    }
    BOOL WaitForIcon(HWND hWnd, UINT iconId, const std::string* tip, DWORD timeoutMs = 10000);

    // Runs action once, on the shell's thread, with the next call it gets,
    // before that call is applied and answered: the program is then still
    // inside Shell_NotifyIcon.
    void BeforeNextAnswer(std::function<void(const TrayCall&)> action);

    // Refuses the next count adds that it would otherwise take, as a shell
    // that is still starting does.
    void RefuseAdds(int count);
    // Carries out the next count adds or modifies that it takes, but answers
    // FALSE, as a busy shell does once the caller's time limit has passed.
    void AnswerLate(int count);

    // Tells the session's windows that the shell (re)started.
    static void BroadcastTaskbarCreated();

private:
    static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
    BOOL OnCopyData(const COPYDATASTRUCT* cds);
    void Run();

    std::thread m_thread;
    HANDLE m_hReady = nullptr;
    HWND m_hWnd = nullptr;
    DWORD m_threadId = 0;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<TrayCall> m_calls;
    std::vector<TrayIconState> m_icons;
    std::function<void(const TrayCall&)> m_beforeAnswer;
    int m_refuseAdds = 0;
    int m_lateAnswers = 0;
};

// The tray picture (resource id 138 to 148, or 128) whose bits the shell
// received, taken from Ravo.exe's own resources; 0 when none matches.
UINT IconIdOf(const BYTE* bits, size_t size);
