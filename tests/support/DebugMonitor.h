// Collects the debugger output of other processes the way debug-output
// monitors do: through the DBWIN_BUFFER shared section and its two events.
// Only one monitor can run in a session at a time.
#pragma once

#include <windows.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

class CDebugMonitor {
public:
    CDebugMonitor();
    ~CDebugMonitor();
    CDebugMonitor(const CDebugMonitor&) = delete;
    CDebugMonitor& operator=(const CDebugMonitor&) = delete;

    BOOL IsRunning() const { return m_pBuffer != nullptr; }

    // The lines process pid wrote since the last Clear, oldest first.
    std::vector<std::string> LinesOf(DWORD pid);
    void Clear();
    // Waits until process pid has written text, up to timeoutMs.
    BOOL WaitFor(DWORD pid, const std::string& text, DWORD timeoutMs);

private:
    void Run();

    HANDLE m_hBufferReady = nullptr;
    HANDLE m_hDataReady = nullptr;
    HANDLE m_hMapping = nullptr;
    const BYTE* m_pBuffer = nullptr;
    HANDLE m_hStop = nullptr;
    std::thread m_thread;
    std::mutex m_mutex;
    std::vector<std::pair<DWORD, std::string>> m_lines;
};
