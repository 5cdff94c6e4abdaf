// Waiting for the program under test: polls a condition until it holds or a
// deadline passes. Deadlines only bound a wait for a failure; no check here
// depends on how fast anything happens.
#pragma once

#include <windows.h>

namespace e2e {

template <typename Ready>
bool WaitUntil(Ready ready, int seconds) {
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
  for (;;) {
    if (ready()) return true;
    if (GetTickCount64() >= deadline) return false;
    Sleep(100);
  }
}

}  // namespace e2e
