// The labels a drive list shows, each drive asked on a thread of its own and waited for only so
// long: a mapped network drive whose server is gone (or an optical drive spinning up) keeps its
// caller waiting for many seconds, and the caller is the window's thread, at start-up and on
// every Refresh. A late answer is kept for the next listing.
#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qm::platform {

class Win32DriveLabels {
  public:
    // The label of a drive root ("C:\"); nullopt when it has none or cannot be asked.
    using Query = std::function<std::optional<std::string>(const std::wstring& root)>;

    // `query` runs on threads of its own; the default asks the volume (no label asked of a
    // removable drive, which would spin it up or find it empty).
    explicit Win32DriveLabels(std::chrono::milliseconds wait, Query query = askVolume);

    // The labels of `roots` known once each has answered or the wait has passed: the answers of
    // this call and, for a drive that has not answered yet, the last one it gave. A drive still
    // answering an earlier call is not asked twice.
    std::map<std::wstring, std::string> labels(const std::vector<std::wstring>& roots);

    static std::optional<std::string> askVolume(const std::wstring& root);

  private:
    struct State;
    std::chrono::milliseconds m_wait;
    Query m_query;
    std::shared_ptr<State> m_state;  // shared with the threads, which may outlive this object
};

}  // namespace qm::platform
