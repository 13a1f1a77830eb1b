#include "Scenarios.h"

#include "BenchProtocol.h"
#include "Clock.h"
#include "Stats.h"
#include "Subject.h"
#include "firmware/RadioStatus.h"
#include "support/KeyInput.h"

#include <cstdio>
#include <string>

namespace {

const double READY_TIMEOUT_MS = 15000;
const double STEP_TIMEOUT_MS = 5000;
const double BURST_TIMEOUT_MS = 120000;
// Test key for the bursts: F1, which neither program acts on.
const WORD SC_BURST_KEY = 0x3B;
// Injected sequences stay in order when a key is held a little.
const DWORD HOLD_MS = 100;
// Lets a program finish what a step started (a dialog closing, the hook
// handed back) before the next step is timed.
const DWORD SETTLE_MS = 300;
// Fresh copies of each program per panel series (see BenchPanel).
const int PANEL_BLOCKS = 3;

void Fail(const SubjectKind& kind, const std::string& what)
{
    PrintNote(std::string(kind.name) + ": " + what);
}

void Press(WORD scanCode, bool extended)
{
    PressScanCode(scanCode, extended, HOLD_MS);
}

// Closes a panel left open by a failed step, without applying.
void Dismiss(CSubject& subject)
{
    if (subject.AnyDialog() == nullptr)
        return;
    Press(static_cast<WORD>(SC_BENCH_RADIO), false);
    PollUntil([&] { return subject.AnyDialog() == nullptr; }, STEP_TIMEOUT_MS);
    ::Sleep(SETTLE_MS);
}

BOOL StartReady(CSubject& subject)
{
    if (!subject.Start()) {
        Fail(subject.Kind(), "could not be started");
        return FALSE;
    }
    if (subject.WaitReady(READY_TIMEOUT_MS) < 0) {
        Fail(subject.Kind(), "main window not ready in time");
        return FALSE;
    }
    ::Sleep(SETTLE_MS);
    return TRUE;
}

void PrintMemory(const CSubject& subject, const char* measure, double MemoryFigures::*field)
{
    MemoryFigures figures = {};
    Series series = { measure, subject.Kind().name, "KiB", {} };
    if (subject.Memory(figures))
        series.values.push_back(figures.*field);
    PrintSeries(series);
}

// Keeps the largest private figure seen: Wine keeps no peak of its own.
void SamplePrivate(const CSubject& subject, double& peakKiB)
{
    MemoryFigures figures = {};
    if (subject.Memory(figures)) {
        if (figures.privateKiB > peakKiB)
            peakKiB = figures.privateKiB;
        if (figures.peakPrivateKiB > peakKiB)
            peakKiB = figures.peakPrivateKiB;
    }
}

// One run of the panel: hotkey, Right, Enter. Adds the three timings and
// samples private memory while the panel is open and after it closed.
void PanelRun(CSubject& subject, CJournal& journal, bool measured, Series& hotkey,
              Series& write, Series& refresh, double& peakKiB)
{
    const double pressed = NowMs();
    SendScanCode(static_cast<WORD>(SC_BENCH_HOTKEY), true, false);
    const double visible = PollUntil([&] { return subject.VisibleDialog() != nullptr; },
                                     STEP_TIMEOUT_MS);
    ::Sleep(HOLD_MS);
    SendScanCode(static_cast<WORD>(SC_BENCH_HOTKEY), true, true);
    if (visible < 0) {
        Fail(subject.Kind(), "no visible panel after the hotkey");
        Dismiss(subject);
        return;
    }
    ::Sleep(SETTLE_MS);
    SamplePrivate(subject, peakKiB);
    Press(static_cast<WORD>(SC_BENCH_RIGHT), false);
    ::Sleep(SETTLE_MS);
    SamplePrivate(subject, peakKiB);

    journal.Mark();
    const double enter = NowMs();
    SendScanCode(static_cast<WORD>(SC_BENCH_ENTER), false, false);
    const double written = PollUntil([&] { return journal.Since().writes >= 2; },
                                     STEP_TIMEOUT_MS);
    const double refreshed = written < 0 ? -1.0
        : PollUntil([&] { return journal.Since().readAfterLastWrite; }, STEP_TIMEOUT_MS);
    ::Sleep(HOLD_MS);
    SendScanCode(static_cast<WORD>(SC_BENCH_ENTER), false, true);
    if (written < 0 || refreshed < 0)
        Fail(subject.Kind(), "Enter did not write both bits and refresh");
    if (PollUntil([&] { return subject.AnyDialog() == nullptr; }, STEP_TIMEOUT_MS) < 0) {
        Fail(subject.Kind(), "the panel stayed open after Enter");
        Dismiss(subject);
    }
    ::Sleep(SETTLE_MS);
    SamplePrivate(subject, peakKiB);

    if (!measured)
        return;
    hotkey.values.push_back(visible - pressed);
    if (written >= 0)
        write.values.push_back(written - enter);
    if (refreshed >= 0)
        refresh.values.push_back(refreshed - enter);
}

// Opens the panel through the menu command, moves once and applies.
void UseOnce(CSubject& subject)
{
    ::PostMessageA(subject.MainWindow(), WM_COMMAND, ID_BASELINE_PANEL, 0);
    if (PollUntil([&] { return subject.VisibleDialog() != nullptr; }, STEP_TIMEOUT_MS) < 0) {
        Fail(subject.Kind(), "the menu command showed no panel");
        return;
    }
    ::Sleep(SETTLE_MS);
    Press(static_cast<WORD>(SC_BENCH_RIGHT), false);
    ::Sleep(SETTLE_MS);
    Press(static_cast<WORD>(SC_BENCH_ENTER), false);
    if (PollUntil([&] { return subject.AnyDialog() == nullptr; }, STEP_TIMEOUT_MS) < 0)
        Dismiss(subject);
    ::Sleep(SETTLE_MS);
}

}  // namespace

void BenchStartup(const BenchOptions& options, CJournal& journal)
{
    const SubjectKind* kinds[2] = { &RAVO, &BASELINE };
    Series series[2] = { { "startup", RAVO.name, "ms", {} },
                         { "startup", BASELINE.name, "ms", {} } };
    for (int i = 0; i < options.warmups + options.runs; ++i) {
        // Alternate the order, so neither program always runs second.
        for (int k = 0; k < 2; ++k) {
            const int which = (i + k) % 2;
            CSubject subject(*kinds[which], journal);
            if (!subject.Start()) {
                Fail(subject.Kind(), "could not be started");
                continue;
            }
            const double ready = subject.WaitReady(READY_TIMEOUT_MS);
            if (ready < 0)
                Fail(subject.Kind(), "main window not ready in time");
            else if (i >= options.warmups)
                series[which].values.push_back(ready - subject.StartedAt());
            subject.Close();
            ::Sleep(SETTLE_MS);
        }
    }
    PrintSeries(series[0]);
    PrintSeries(series[1]);
}

// The runs are split into blocks, a fresh copy of each program per block and
// the programs in turn, so that a slow spell of the machine hits all alike.
// The same-steps baseline takes the program's foreground steps before its
// panel, so its hotkey figure is the one to hold the program to.
void BenchPanel(const BenchOptions& options, CJournal& journal)
{
    const int KINDS = 3;
    const SubjectKind* kinds[KINDS] = { &RAVO, &BASELINE, &SAMESTEPS };
    struct Figures {
        Series hotkey, write, refresh;
        double startKiB = -1.0, peakKiB = 0.0, peakWorkingSetKiB = 0.0;
    } figures[KINDS];
    for (int k = 0; k < KINDS; ++k) {
        figures[k].hotkey = { "hotkey_panel", kinds[k]->name, "ms", {} };
        figures[k].write = { "enter_write", kinds[k]->name, "ms", {} };
        figures[k].refresh = { "enter_refresh", kinds[k]->name, "ms", {} };
    }
    const int blocks = options.runs < PANEL_BLOCKS ? options.runs : PANEL_BLOCKS;
    for (int block = 0; block < blocks; ++block) {
        const int runs = options.runs * (block + 1) / blocks - options.runs * block / blocks;
        for (int k = 0; k < KINDS; ++k) {
            const int which = (block + k) % KINDS;
            Figures& f = figures[which];
            journal.Reset();
            CSubject subject(*kinds[which], journal);
            if (!StartReady(subject))
                continue;
            MemoryFigures memory = {};
            if (f.startKiB < 0 && subject.Memory(memory))
                f.startKiB = memory.privateKiB;
            for (int i = 0; i < options.warmups + runs; ++i)
                PanelRun(subject, journal, i >= options.warmups, f.hotkey, f.write, f.refresh,
                         f.peakKiB);
            if (subject.Memory(memory) && memory.peakWorkingSetKiB > f.peakWorkingSetKiB)
                f.peakWorkingSetKiB = memory.peakWorkingSetKiB;
            subject.Close();
            ::Sleep(SETTLE_MS);
        }
    }
    for (const Figures& f : figures) {
        const std::string name = f.hotkey.subject;
        PrintSeries(f.hotkey);
        PrintSeries(f.write);
        PrintSeries(f.refresh);
        PrintSeries({ "private_start", name, "KiB", { f.startKiB } });
        PrintSeries({ "private_peak", name, "KiB", { f.peakKiB } });
        PrintSeries({ "working_set_peak", name, "KiB", { f.peakWorkingSetKiB } });
    }
}

void BenchKeyBurst(const BenchOptions& options, CJournal& journal, CKeySink& sink)
{
    const SubjectKind* kinds[3] = { &NOHOOK, &BASELINE, &RAVO };
    Series series[3] = { { "burst", NOHOOK.name, "ms", {} },
                         { "burst", BASELINE.name, "ms", {} },
                         { "burst", RAVO.name, "ms", {} } };
    for (int round = 0; round < options.bursts; ++round) {
        for (int k = 0; k < 3; ++k) {
            const int which = (round + k) % 3;
            CSubject subject(*kinds[which], journal);
            if (!StartReady(subject))
                continue;
            if (!sink.TakeFocus())
                Fail(subject.Kind(), "the driver's key window did not get the focus");
            // A short burst first: the hook's thread and the queues are warm.
            if (sink.Burst(SC_BURST_KEY, 1000, BURST_TIMEOUT_MS) < 0)
                Fail(subject.Kind(), "warm-up burst incomplete");
            const double ms = sink.Burst(SC_BURST_KEY, options.burstKeys, BURST_TIMEOUT_MS);
            if (ms < 0)
                Fail(subject.Kind(), "burst incomplete: " + std::to_string(sink.Received()) +
                                         " of " + std::to_string(options.burstKeys) + " keys");
            else
                series[which].values.push_back(ms);
            subject.Close();
            ::Sleep(SETTLE_MS);
        }
    }
    for (const Series& s : series)
        PrintSeries(s);
}

void BenchIdle(const BenchOptions& options, CJournal& journal)
{
    journal.Reset();
    CSubject ravo(RAVO, journal);
    CSubject baseline(BASELINE, journal);
    if (!StartReady(ravo) || !StartReady(baseline))
        return;
    // Used once, then options.uses more times: private memory should not grow.
    CSubject* subjects[2] = { &ravo, &baseline };
    double afterFirst[2] = { 0.0, 0.0 };
    for (int k = 0; k < 2; ++k) {
        UseOnce(*subjects[k]);
        MemoryFigures memory = {};
        if (subjects[k]->Memory(memory))
            afterFirst[k] = memory.privateKiB;
    }
    for (int i = 0; i < options.uses; ++i) {
        UseOnce(ravo);
        UseOnce(baseline);
    }
    for (int k = 0; k < 2; ++k) {
        MemoryFigures memory = {};
        Series growth = { "private_growth", subjects[k]->Kind().name, "KiB", {} };
        if (subjects[k]->Memory(memory))
            growth.values.push_back(memory.privateKiB - afterFirst[k]);
        PrintSeries(growth);
    }
    ::Sleep(1000);

    const double ravo0 = ravo.CpuMs();
    const double base0 = baseline.CpuMs();
    ::Sleep(static_cast<DWORD>(options.idleSeconds) * 1000);
    const double ravo1 = ravo.CpuMs();
    const double base1 = baseline.CpuMs();
    char text[160];
    std::snprintf(text, sizeof(text),
                  "CPU time from start to the end of the idle window: Ravo %.1f ms, baseline %.1f ms",
                  ravo1, base1);
    PrintNote(text);

    const std::string measure = "idle_cpu";
    Series ravoCpu = { measure, RAVO.name, "ms", {} };
    Series baseCpu = { measure, BASELINE.name, "ms", {} };
    if (ravo0 >= 0 && ravo1 >= 0)
        ravoCpu.values.push_back(ravo1 - ravo0);
    if (base0 >= 0 && base1 >= 0)
        baseCpu.values.push_back(base1 - base0);
    PrintSeries(ravoCpu);
    PrintSeries(baseCpu);
    PrintMemory(ravo, "private_idle", &MemoryFigures::privateKiB);
    PrintMemory(baseline, "private_idle", &MemoryFigures::privateKiB);
    PrintMemory(ravo, "working_set_idle", &MemoryFigures::workingSetKiB);
    PrintMemory(baseline, "working_set_idle", &MemoryFigures::workingSetKiB);
    ravo.Close();
    baseline.Close();
}

void BenchEvaluate(const BenchOptions& options)
{
    // Calls per run: enough to average out the timer's resolution.
    const int CALLS = 1000;
    Series series = { "obra_evaluate", RAVO.name, "us", {} };
    using EvaluateFn = BOOL(__cdecl*)(EvaluateRequest);
    const HMODULE hObra = ::LoadLibraryA("OBRA.dll");
    const auto evaluate = hObra == nullptr ? nullptr
                                           : reinterpret_cast<EvaluateFn>(reinterpret_cast<void*>(
                                                 ::GetProcAddress(hObra, "OBRAEvaluate")));
    if (evaluate == nullptr) {
        PrintNote("OBRA.dll or its OBRAEvaluate could not be loaded");
        PrintSeries(series);
        return;
    }
    const BYTE input[1] = { RADIO_STATUS_REGISTER };
    BYTE output = 0;
    EvaluateRequest request = {};
    request.function = EVAL_READ;
    request.input = input;
    request.inputLength = 1;
    request.output = &output;
    request.outputLength = 1;
    for (int run = -options.warmups; run < options.runs; ++run) {
        const double start = NowMs();
        for (int i = 0; i < CALLS; ++i)
            evaluate(request);
        if (run >= 0)
            series.values.push_back((NowMs() - start) * 1000.0 / CALLS);
    }
    ::FreeLibrary(hObra);
    PrintSeries(series);
}
