#include "DebugMonitor.h"

#include <algorithm>

CDebugMonitor::CDebugMonitor()
{
    m_hBufferReady = ::CreateEventA(nullptr, FALSE, FALSE, "DBWIN_BUFFER_READY");
    m_hDataReady = ::CreateEventA(nullptr, FALSE, FALSE, "DBWIN_DATA_READY");
    m_hMapping = ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096,
                                      "DBWIN_BUFFER");
    m_hStop = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (m_hBufferReady && m_hDataReady && m_hMapping && m_hStop) {
        m_pBuffer = static_cast<const BYTE*>(::MapViewOfFile(m_hMapping, FILE_MAP_READ, 0, 0, 4096));
        if (m_pBuffer != nullptr)
            m_thread = std::thread([this] { Run(); });
    }
}

CDebugMonitor::~CDebugMonitor()
{
    if (m_thread.joinable()) {
        ::SetEvent(m_hStop);
        m_thread.join();
    }
    if (m_pBuffer != nullptr)
        ::UnmapViewOfFile(m_pBuffer);
    for (HANDLE h : { m_hBufferReady, m_hDataReady, m_hMapping, m_hStop }) {
        if (h != nullptr)
            ::CloseHandle(h);
    }
}

void CDebugMonitor::Run()
{
    const HANDLE waits[2] = { m_hStop, m_hDataReady };
    for (;;) {
        ::SetEvent(m_hBufferReady);
        if (::WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0 + 1)
            return;
        DWORD pid;
        memcpy(&pid, m_pBuffer, sizeof(pid));
        const char* text = reinterpret_cast<const char*>(m_pBuffer + sizeof(pid));
        const std::string line(text, strnlen(text, 4096 - sizeof(pid)));
        std::lock_guard<std::mutex> lock(m_mutex);
        m_lines.emplace_back(pid, line);
    }
}

std::vector<std::string> CDebugMonitor::LinesOf(DWORD pid)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<std::string> lines;
    for (const auto& entry : m_lines) {
        if (entry.first == pid)
            lines.push_back(entry.second);
    }
    return lines;
}

void CDebugMonitor::Clear()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_lines.clear();
}

BOOL CDebugMonitor::WaitFor(DWORD pid, const std::string& text, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    do {
        const std::vector<std::string> lines = LinesOf(pid);
        if (std::find(lines.begin(), lines.end(), text) != lines.end())
            return TRUE;
        ::Sleep(10);
    } while (::GetTickCount() - start < timeoutMs);
    return FALSE;
}
