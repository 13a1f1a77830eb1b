// Names through which other programs of the session reach the running copy.
// No namespace prefix: they are local to the logon session.
#pragma once

// The single-instance mutex and the main frame's window class.
constexpr char RAVO_CLASS_NAME[] = "TorvaneClass";
// Auto-reset event: any program signals it to make the running copy re-read.
constexpr char RAVO_NOTIFY_EVENT[] = "TorvaneNotifyEvent";
// Auto-reset event: signalled by "Ravo.exe Close" (or anyone) to shut down.
constexpr char RAVO_CLOSE_EVENT[] = "TorvaneCloseEvent";
// Semaphore (count 1, maximum 1) held while a hotkey's action runs.
constexpr char RAVO_KEY_SEMAPHORE[] = "MERK_Semaphore";
