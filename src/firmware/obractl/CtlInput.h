// The notify event as obractl plays it: other programs signal it to make the
// running copy re-read. (Key events come from the support library.)
#pragma once

// Opens or creates the auto-reset notify event and sets it.
bool SignalNotifyEvent();
