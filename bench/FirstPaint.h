// What both first-paint programs share: the clock, and the wait until the
// window and everything in it has been painted once.
#pragma once

#include <windows.h>

#include <cstdio>

// The benchmark's window, in client pixels.
constexpr int BenchClientWidth = 480;
constexpr int BenchClientHeight = 360;

inline LONGLONG Ticks() {
  LARGE_INTEGER t;
  ::QueryPerformanceCounter(&t);
  return t.QuadPart;
}

// Runs Pump (one message, false when the queue is empty) until the window
// has had its first paint and no paint is pending in the thread; prints the
// time since Start in microseconds.
template <class PumpOne>
int ReportFirstPaint(LONGLONG start, const bool &painted, PumpOne pump) {
  while (!painted || (::GetQueueStatus(QS_PAINT) & (QS_PAINT << 16)) != 0)
    if (!pump()) ::WaitMessage();
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  const double us = static_cast<double>(Ticks() - start) * 1e6 / static_cast<double>(frequency.QuadPart);
  std::printf("first paint: %.0f us\n", us);
  return 0;
}
