// One program under measurement (Ravo.exe or a baseline), started from the
// driver's own folder and reached only from outside: its process handle and
// its window class.
#pragma once

#include <windows.h>

#include "Journal.h"
#include "support/ProgramProcess.h"

#include <string>

struct SubjectKind {
    const char* name;         // column key: "ravo", "baseline", "nohook", "samesteps"
    const char* exe;          // file name beside the driver
    const char* windowClass;  // class of its hidden main window
    bool closeByEvent;        // Ravo: "TorvaneCloseEvent"; baselines: WM_CLOSE
};

extern const SubjectKind RAVO;
extern const SubjectKind BASELINE;
extern const SubjectKind NOHOOK;
extern const SubjectKind SAMESTEPS;

// Wine fills PagefileUsage with the host's resident anonymous memory (and
// swap), PeakPagefileUsage with the same figure, and PrivateUsage with 0;
// on Windows PagefileUsage is the private commit and its peak is real.
struct MemoryFigures {
    double privateKiB;      // PagefileUsage
    double peakPrivateKiB;  // PeakPagefileUsage
    double workingSetKiB;
    double peakWorkingSetKiB;
};

class CSubject : public CProgramProcess {
public:
    CSubject(const SubjectKind& kind, CJournal& journal) : m_kind(kind), m_journal(journal) {}
    ~CSubject() override;

    const SubjectKind& Kind() const { return m_kind; }
    // Starts the program; the time of the call is StartedAt().
    BOOL Start();
    double StartedAt() const { return m_startedAt; }
    // Waits until its main window exists and its message loop runs: start-up,
    // with its first read and the tray icon, is done. Asks for a tray refresh
    // (WM_STATUS_CHANGED and its twin, both 0x8082) by a posted message and
    // waits for its read in the firmware journal. Returns that moment, or a
    // negative value on time-out.
    double WaitReady(double timeoutMs);
    HWND MainWindow() const { return m_hMain; }
    // Its visible top-level dialog (the panel), or NULL.
    HWND VisibleDialog() const;
    // Any top-level dialog of it, visible or not, or NULL.
    HWND AnyDialog() const;
    // Asks it to end the documented way and waits; kills it after timeoutMs.
    BOOL Close(DWORD timeoutMs = 10000);
    // CPU time of all its threads so far, in milliseconds; negative if unknown.
    double CpuMs();
    BOOL Memory(MemoryFigures& figures) const;

private:
    const SubjectKind& m_kind;
    CJournal& m_journal;
    HWND m_hMain = nullptr;
    double m_startedAt = 0.0;
    DWORD m_hostPid = 0;  // under Wine: the program's host process
};
