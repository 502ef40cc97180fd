#include "engine/NamesAhead.h"

#include <system_error>

namespace qm {

NamesAhead::NamesAhead(const NameComputation& names, const std::string& folder,
                       const std::vector<std::string_view>& fileNames,
                       const std::vector<std::string>& searches,
                       const std::vector<std::string>& replacements)
    : m_names(names),
      m_folder(folder),
      m_fileNames(fileNames),
      m_searches(searches),
      m_replacements(replacements),
      m_count(static_cast<int>(fileNames.size())),
      m_slots(static_cast<std::size_t>(std::min(kSlots, std::max(m_count, 1)))) {}

NamesAhead::~NamesAhead() {
    stop();
}

const NamesAhead::Computed* NamesAhead::take(int i) {
    if (m_noThread) {
        return nullptr;
    }
    if (!m_thread.joinable()) {
        start(i);
        if (m_noThread) {
            return nullptr;
        }
    }
    if (m_seenComputed <= i) {
        m_seenComputed = m_computed.load();
    }
    if (m_seenComputed <= i) {
        std::unique_lock lock(m_lock);
        m_takerWaits = true;
        m_wake.wait(lock, [&] { return m_computed.load() > i || m_ended.load(); });
        m_takerWaits = false;
        m_seenComputed = m_computed.load();
    }
    if (m_seenComputed <= i) {
        return nullptr;  // the thread gave up before this file (memory ran out)
    }
    return &m_slots[static_cast<std::size_t>(i) % m_slots.size()];
}

void NamesAhead::done(int i) {
    // The computing thread, once the slots are full, sleeps until half of them are free: it is
    // told of freed slots every sixteen files, and woken once for every half round.
    if ((i + 1) % 16 != 0 && !m_computerWaits.load()) {
        return;
    }
    m_done.store(i + 1);
    if (m_computerWaits.load() &&
        m_computed.load() - (i + 1) <= static_cast<int>(m_slots.size()) / 2) {
        wake();
    }
}

void NamesAhead::stop() {
    if (!m_thread.joinable()) {
        return;
    }
    m_stopping = true;
    wake();
    m_thread.join();
}

void NamesAhead::start(int from) {
    m_computed = from;
    m_seenComputed = from;
    m_done = from;
    m_ended = false;
    m_stopping = false;
    try {
        m_thread = std::thread([this, from] { computeFrom(from); });
    } catch (const std::system_error&) {
        m_noThread = true;  // the caller computes each name itself, as it would without this
    }
}

void NamesAhead::computeFrom(int from) {
    const int slots = static_cast<int>(m_slots.size());
    for (int i = from; i < m_count; ++i) {
        if (i - m_done.load() >= slots) {
            std::unique_lock lock(m_lock);
            m_computerWaits = true;
            m_wake.wait(lock, [&] { return m_stopping.load() || i - m_done.load() <= slots / 2; });
            m_computerWaits = false;
        }
        if (m_stopping.load()) {
            break;
        }
        bool computed = false;
        try {
            computed = fill(m_slots[static_cast<std::size_t>(i % slots)], i);
        } catch (...) {
            break;  // outside the name's steps: the caller computes this file itself
        }
        m_computed.store(i + 1);
        if (!computed) {
            break;  // a failed step: the run reports it before anything goes on
        }
        if (m_takerWaits.load()) {
            wake();
        }
    }
    m_ended = true;
    wake();
}

bool NamesAhead::fill(Computed& slot, int i) const {
    slot.oldName.assign(m_fileNames[static_cast<std::size_t>(i)]);
    slot.failure = nullptr;
    const auto keepFailure = [&slot](const auto& step, const NewName* computing) {
        try {
            step();
            return true;
        } catch (...) {
            slot.failure = std::current_exception();
            slot.failedAt = computing != nullptr ? computing->full() : std::string();
            return false;
        }
    };
    const std::optional<NewName> name =
        m_names.ComputeNewName(slot.oldName, m_searches, m_replacements, keepFailure);
    if (!name) {
        return false;
    }
    // Assigned rather than built anew: each slot's strings keep their room from round to round.
    slot.newName.assign(name->namePart).append(name->extension);
    slot.oldPath.assign(m_folder).append(slot.oldName);
    slot.newPath.assign(m_folder).append(slot.newName);
    return true;
}

void NamesAhead::wake() {
    // Under the lock, so that a wait cannot miss it between testing and sleeping.
    const std::lock_guard lock(m_lock);
    m_wake.notify_all();
}

}  // namespace qm
