#include "platform/win32ui/Win32Clipboard.h"

#include <cstring>
#include <string>
#include <string_view>

#include "base/Utf16.h"

namespace qm::platform {

namespace {

// Another program may hold the clipboard for a moment.
bool openClipboard(HWND owner) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (::OpenClipboard(owner)) {
            return true;
        }
        ::Sleep(10);
    }
    return false;
}

}  // namespace

std::string Win32Clipboard::text() const {
    if (!::IsClipboardFormatAvailable(CF_UNICODETEXT) || !openClipboard(m_owner)) {
        return {};
    }
    std::string text;
    if (const HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* units = static_cast<const wchar_t*>(::GlobalLock(data))) {
            // Up to the first NUL, and never past the memory another program handed over.
            const std::wstring_view held(units, ::GlobalSize(data) / sizeof(wchar_t));
            text = text::fromUtf16(held.substr(0, held.find(L'\0')));
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

void Win32Clipboard::setText(const std::string& text) {
    if (!openClipboard(m_owner)) {
        return;
    }
    ::EmptyClipboard();
    const std::wstring units = text::toUtf16Lossy(text);
    if (!units.empty()) {
        const std::size_t bytes = (units.size() + 1) * sizeof(wchar_t);
        if (const HGLOBAL data = ::GlobalAlloc(GMEM_MOVEABLE, bytes)) {
            if (void* at = ::GlobalLock(data)) {
                std::memcpy(at, units.c_str(), bytes);
                ::GlobalUnlock(data);
                if (::SetClipboardData(CF_UNICODETEXT, data) == nullptr) {
                    ::GlobalFree(data);
                }
            } else {
                ::GlobalFree(data);
            }
        }
    }
    ::CloseClipboard();
}

}  // namespace qm::platform
