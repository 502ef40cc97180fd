#include "platform/win32ui/Win32Dpi.h"

#include <cstdlib>

namespace qm::platform::win32ui {

namespace {

// A procedure of a system library that older Windows versions lack, or nullptr.
template <typename Procedure>
Procedure lookUp(const wchar_t* library, const char* name) {
    HMODULE module = ::GetModuleHandleW(library);
    if (module == nullptr) {
        // From the system's folder only (shcore.dll is not on Windows 7: one beside the program
        // must not be taken for it).
        module = ::LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    return module == nullptr ? nullptr
                             : reinterpret_cast<Procedure>(
                                   reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

int systemDpi() {
    const HDC screen = ::GetDC(nullptr);
    const int dpi = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != nullptr) {
        ::ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? dpi : kDesignDpi;
}

}  // namespace

int scaled(int designPixels, int dpi) {
    return ::MulDiv(designPixels, dpi, kDesignDpi);
}

int unscaled(int pixels, int dpi) {
    return ::MulDiv(pixels, kDesignDpi, dpi > 0 ? dpi : kDesignDpi);
}

int dpiOf(HWND window) {
    using GetDpiForWindowProc = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow =
        lookUp<GetDpiForWindowProc>(L"user32.dll", "GetDpiForWindow");
    if (getDpiForWindow != nullptr && window != nullptr) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi > 0) {
            return static_cast<int>(dpi);
        }
    }
    return systemDpi();
}

int dpiOfRect(const RECT& rect) {
    // MDT_EFFECTIVE_DPI is 0.
    using GetDpiForMonitorProc = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto getDpiForMonitor =
        lookUp<GetDpiForMonitorProc>(L"shcore.dll", "GetDpiForMonitor");
    if (getDpiForMonitor != nullptr) {
        UINT x = 0;
        UINT y = 0;
        const HMONITOR monitor = ::MonitorFromRect(&rect, MONITOR_DEFAULTTOPRIMARY);
        if (getDpiForMonitor(monitor, 0, &x, &y) == S_OK && y > 0) {
            return static_cast<int>(y);
        }
    }
    return systemDpi();
}

RECT windowRectFor(const RECT& client, DWORD style, DWORD exStyle, bool menu, int dpi) {
    using AdjustForDpiProc = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi =
        lookUp<AdjustForDpiProc>(L"user32.dll", "AdjustWindowRectExForDpi");
    RECT rect = client;
    if (adjustForDpi != nullptr) {
        adjustForDpi(&rect, style, menu, exStyle, static_cast<UINT>(dpi));
    } else {
        ::AdjustWindowRectEx(&rect, style, menu, exStyle);
    }
    return rect;
}

HFONT createDialogFont(int dpi) {
    using ForDpiProc = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
    static const auto forDpi = lookUp<ForDpiProc>(L"user32.dll", "SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    LOGFONTW font{};
    if (forDpi != nullptr &&
        forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi))) {
        font = metrics.lfMessageFont;
    } else if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        font = metrics.lfMessageFont;  // at the system's DPI
        font.lfHeight = ::MulDiv(font.lfHeight, dpi, systemDpi());
    } else {
        font.lfWeight = FW_NORMAL;
        font.lfCharSet = DEFAULT_CHARSET;
        font.lfQuality = CLEARTYPE_QUALITY;
        ::lstrcpynW(font.lfFaceName, L"MS Shell Dlg 2", LF_FACESIZE);
    }
    const LONG largest = ::MulDiv(8, dpi, 72);
    if (font.lfHeight == 0 || std::abs(font.lfHeight) > largest) {
        font.lfHeight = -largest;
    }
    return ::CreateFontIndirectW(&font);
}

HICON loadIcon(HINSTANCE instance, const wchar_t* name, int size) {
    // Common controls 6 (the program's manifest asks for them) have the scaling-down loader.
    using ScaleDownProc = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);
    static const auto scaleDown = lookUp<ScaleDownProc>(L"comctl32.dll", "LoadIconWithScaleDown");
    HICON icon = nullptr;
    if (scaleDown != nullptr && scaleDown(instance, name, size, size, &icon) == S_OK) {
        return icon;
    }
    // Else a copy of the shared icon at that size, read again from its resource.
    const auto shared = static_cast<HICON>(
        ::LoadImageW(instance, name, IMAGE_ICON, 0, 0, LR_SHARED | LR_DEFAULTSIZE));
    return shared == nullptr ? nullptr
                             : static_cast<HICON>(::CopyImage(shared, IMAGE_ICON, size, size,
                                                              LR_COPYFROMRESOURCE));
}

int systemMetric(int index, int dpi) {
    using MetricForDpiProc = int(WINAPI*)(int, UINT);
    static const auto metricForDpi =
        lookUp<MetricForDpiProc>(L"user32.dll", "GetSystemMetricsForDpi");
    if (metricForDpi != nullptr) {
        return metricForDpi(index, static_cast<UINT>(dpi));
    }
    return ::MulDiv(::GetSystemMetrics(index), dpi, systemDpi());
}

}  // namespace qm::platform::win32ui
