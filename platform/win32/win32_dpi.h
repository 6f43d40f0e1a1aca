#pragma once
// The dpi of a window and the system's measures at a dpi. The per-monitor
// calls came with Windows 10 (1607); where they are missing (older Windows,
// some Wine versions) the desktop's dpi and measures stand in.

#include "platform/win32/win32_api.h"

namespace gestalia::win32 {

// The window's dpi: 96 at 100 %, 144 at 150 %.
int WindowDpi(HWND hwnd);
// GetSystemMetricsForDpi(index, dpi), else GetSystemMetrics(index).
int SystemMetricForDpi(int index, int dpi);

}  // namespace gestalia::win32
