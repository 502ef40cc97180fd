#include "platform/win32/Win32DriveLabels.h"

#include <windows.h>

#include <condition_variable>
#include <mutex>
#include <set>
#include <system_error>
#include <thread>

#include "platform/win32/Win32Path.h"

namespace qm::platform {

struct Win32DriveLabels::State {
    std::mutex mutex;
    std::condition_variable answered;
    std::set<std::wstring> asking;
    std::map<std::wstring, std::string> known;
};

Win32DriveLabels::Win32DriveLabels(std::chrono::milliseconds wait, Query query)
    : m_wait(wait), m_query(std::move(query)), m_state(std::make_shared<State>()) {}

std::optional<std::string> Win32DriveLabels::askVolume(const std::wstring& root) {
    // An empty drive fails instead of asking for a disk (the setting is this thread's own).
    DWORD previous = 0;
    ::SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previous);
    std::optional<std::string> label;
    wchar_t text[MAX_PATH + 1] = {};
    if (::GetDriveTypeW(root.c_str()) != DRIVE_REMOVABLE &&
        ::GetVolumeInformationW(root.c_str(), text, MAX_PATH + 1, nullptr, nullptr, nullptr,
                                nullptr, 0)) {
        label = narrowText(text);
    }
    ::SetThreadErrorMode(previous, nullptr);
    return label;
}

std::map<std::wstring, std::string> Win32DriveLabels::labels(
    const std::vector<std::wstring>& roots) {
    const auto deadline = std::chrono::steady_clock::now() + m_wait;
    std::unique_lock lock(m_state->mutex);
    for (const std::wstring& root : roots) {
        if (!m_state->asking.insert(root).second) {
            continue;
        }
        try {
            std::thread([state = m_state, query = m_query, root] {
                const std::optional<std::string> label = query(root);
                const std::lock_guard answer(state->mutex);
                state->asking.erase(root);
                if (label) {
                    state->known[root] = *label;
                } else {
                    state->known.erase(root);
                }
                state->answered.notify_all();
            }).detach();
        } catch (const std::system_error&) {
            m_state->asking.erase(root);  // no thread to ask with: shown without its label
        }
    }
    m_state->answered.wait_until(lock, deadline, [&] {
        for (const std::wstring& root : roots) {
            if (m_state->asking.count(root) != 0) {
                return false;
            }
        }
        return true;
    });
    std::map<std::wstring, std::string> found;
    for (const std::wstring& root : roots) {
        if (const auto it = m_state->known.find(root); it != m_state->known.end()) {
            found.insert(*it);
        }
    }
    return found;
}

}  // namespace qm::platform
