// The measured scenarios. Each prints its series (see Stats.h) as it ends.
#pragma once

#include "Journal.h"
#include "Keys.h"

struct BenchOptions {
    int runs = 15;          // measured repetitions of the start-up and panel scenarios
    int warmups = 2;        // unmeasured repetitions before them
    int burstKeys = 10000;  // key events in one burst
    int bursts = 5;         // measured bursts per program
    int idleSeconds = 30;   // the idle window
    int uses = 10;          // uses of the panel after the first, before the idle window
};

// CreateProcess to the message loop running, with the main window made, the
// register read and the tray icon added; Ravo and the baseline in turn.
void BenchStartup(const BenchOptions& options, CJournal& journal);
// Per program: hotkey to a visible panel; then Right, and Enter to the
// firmware's second write and to the tray refresh's read; private memory
// at start and its peak while in use.
void BenchPanel(const BenchOptions& options, CJournal& journal);
// A burst of injected keys delivered to the driver's own window, with Ravo,
// the baseline (a bare hook) or a program without a hook running.
void BenchKeyBurst(const BenchOptions& options, CJournal& journal, CKeySink& sink);
// Ravo and the baseline side by side: private memory growth over further
// uses of the panel after the first, then CPU time over the idle window and
// private memory at its end.
void BenchIdle(const BenchOptions& options, CJournal& journal);
// One OBRAEvaluate read through OBRA.dll loaded into the driver: the
// library's own cost per call, which the program pays on its one thread,
// the thread that also runs the keyboard hook.
void BenchEvaluate(const BenchOptions& options);
