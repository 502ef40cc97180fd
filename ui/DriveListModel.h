// What a drive list holds, for every back end: the drives as listed and the current one. The
// control only shows it and reports the user's choice.
#pragma once

#include <string>
#include <vector>

#include "services/DriveQuery.h"

namespace qm::platform {

class DriveListModel {
  public:
    explicit DriveListModel(const DriveQuery& drives);

    // Reads the mounted drives again; the current drive stays current.
    void refresh();
    int count() const { return static_cast<int>(m_list.size()); }
    // The listed text of entry `index`; throws RunError 5 outside the list.
    std::string text(int index) const;
    const std::string& currentText() const { return m_current.displayText; }
    const std::string& currentRoot() const { return m_current.mountPoint; }
    // The entry of the current drive, -1 while there is none.
    int currentIndex() const;

    // Makes current the drive that `text` names: a listed text or mount point is that drive;
    // any other text loses a trailing " [label]" and names the drive holding that path (a drive
    // mounted since the list was read joins the list). True when the current drive changed.
    // Throws RunError 68 when there is no such drive.
    bool setCurrent(const std::string& text);
    // The user's choice of entry `index`; true when the current drive changed.
    bool choose(int index);

  private:
    MountedDrive resolve(const std::string& text) const;

    const DriveQuery& m_drives;
    std::vector<MountedDrive> m_list;
    MountedDrive m_current;
};

}  // namespace qm::platform
