// The new names of a rename run, computed on a second thread a little ahead of the run, so that
// the run's own thread does little more than the renames and the log: there the disk sets the
// pace. Only the pure text work is done there. A computation that fails is kept, with its error
// and the name as far as it had come, for the run to report at that very file; nothing is
// computed beyond it until the run asks again. Files are taken in order, each once.
#pragma once

#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "engine/NameComputation.h"

namespace qm {

class NamesAhead {
  public:
    struct Computed {
        std::string oldName;
        std::string newName;
        std::string oldPath;  // the folder and the name
        std::string newPath;
        std::exception_ptr failure;  // set when a step of the computation failed
        std::string failedAt;        // then the name as far as it had come ("" before the split)
    };

    NamesAhead(const NameComputation& names, const std::string& folder,
               const std::vector<std::string_view>& fileNames,
               const std::vector<std::string>& searches,
               const std::vector<std::string>& replacements);
    ~NamesAhead();
    NamesAhead(const NamesAhead&) = delete;
    NamesAhead& operator=(const NamesAhead&) = delete;

    // File i's names, once computed; nullptr where the caller must compute them itself (no
    // thread could be had). Valid until done(i). A stopped computation starts again at i.
    const Computed* take(int i);
    // File i's names are no longer read: their place may take another file's.
    void done(int i);
    // Nothing is computed any more until the next take(): the name computation is the
    // caller's alone meanwhile (a failure is reported while nothing else reads the settings).
    void stop();

  private:
    static constexpr int kSlots = 2048;

    void start(int from);
    void computeFrom(int from);
    bool fill(Computed& slot, int i) const;
    void wake();

    const NameComputation& m_names;
    const std::string& m_folder;
    const std::vector<std::string_view>& m_fileNames;
    const std::vector<std::string>& m_searches;
    const std::vector<std::string>& m_replacements;
    const int m_count;

    std::vector<Computed> m_slots;  // file i in slot i % kSlots
    std::thread m_thread;
    bool m_noThread = false;
    std::mutex m_lock;  // only for the waits
    std::condition_variable m_wake;
    // Each side's count on a cache line of its own: the other side only reads it.
    alignas(64) std::atomic<int> m_computed{0};  // files before this one are in their slots
    alignas(64) std::atomic<int> m_done{0};      // files before this one are no longer read
    alignas(64) std::atomic<bool> m_ended{false};
    std::atomic<bool> m_stopping{false};
    std::atomic<bool> m_computerWaits{false};
    std::atomic<bool> m_takerWaits{false};
    int m_seenComputed = 0;  // the taker's last look at m_computed
};

}  // namespace qm
