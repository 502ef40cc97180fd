// UTF-16 at the Windows calls: a path or name of the program (UTF-8) converted for a W function,
// and the failure of the last call as the program's error.
#pragma once

#include <cstdint>
#include <string>

namespace qm::platform {

// The UTF-16 form of a path for a W function. A fully qualified path ("C:\...", "\\server\...")
// gets the "\\?\" prefix, so that it may pass MAX_PATH and reaches exactly the names it holds
// (Windows would otherwise strip trailing dots and spaces). Throws RunError 52 when the text holds
// bytes no Windows name can (see Utf16.h) or a NUL.
std::wstring widePath(const std::string& path);

// The UTF-16 form of any other text handed to a W function; the same refusal.
std::wstring wideText(const std::string& text);

// The program's text of UTF-16 the system gave, up to its first NUL.
std::string narrowText(const wchar_t* units);

// The error of GetLastError() (or of `code`), through the one Win32 error table.
[[noreturn]] void throwLastError();
[[noreturn]] void throwWin32(std::uint32_t code);

}  // namespace qm::platform
