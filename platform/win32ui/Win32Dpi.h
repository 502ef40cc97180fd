// Dots per inch and the pixels of the windows' designs, which are laid out at 96 DPI: each
// window is scaled by the DPI of the monitor it is on. The calls that know a monitor's DPI
// (Windows 8.1 and 10) are looked up at run time, so the program still starts on Windows 7,
// where one system DPI holds for every monitor.
#pragma once

#include <windows.h>

namespace qm::platform::win32ui {

inline constexpr int kDesignDpi = 96;

// Design pixels at `dpi`, rounded to the nearest pixel.
int scaled(int designPixels, int dpi);
// Pixels at `dpi` back in design pixels.
int unscaled(int pixels, int dpi);

// The DPI a window is drawn at: its monitor's for a per-monitor aware program, else the system's.
int dpiOf(HWND window);
// The DPI of the monitor that holds most of `rect` (the primary one when none does).
int dpiOfRect(const RECT& rect);

// The window rectangle whose client area is `client`, at `dpi`.
RECT windowRectFor(const RECT& client, DWORD style, DWORD exStyle, bool menu, int dpi);

// The font of the windows at `dpi`: the system's message font (the face and size the user set),
// no larger than the 8 points the designs were laid out for, whose rows (a 13-pixel label) hold
// no taller line. The caller deletes it.
HFONT createDialogFont(int dpi);

// The icon `name` of `instance` (nullptr: one of the system's, IDI_*) at `size` pixels, scaled
// down from a larger image where there is no such size. The caller destroys it.
HICON loadIcon(HINSTANCE instance, const wchar_t* name, int size);

// A system metric at `dpi` (GetSystemMetricsForDpi where it exists).
int systemMetric(int index, int dpi);

}  // namespace qm::platform::win32ui
