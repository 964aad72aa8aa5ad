#pragma once

#include <functional>

// The blocking pause: the GUI thread stops for `ms` milliseconds. No event is handled while it
// lasts, sounds keep playing, and timer ticks that fell due are not made up. Before blocking, every
// visible window (and a window whose show event is running) is painted, so what the handler put on
// screen stands during the pause.
void Sleep(unsigned ms);

// True while a pause blocks the thread: a timer tick that falls due meanwhile is dropped.
bool PauseInProgress();

// Test seam: when a recorder is installed, Sleep paints as usual, then calls the recorder instead of
// blocking. An empty function restores the real pause.
void SetPauseRecorder(std::function<void(unsigned ms)> recorder);
