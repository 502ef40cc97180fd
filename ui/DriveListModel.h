// What a drive list holds, for every back end: the drives as listed and the current one. The
// control only shows it and reports the user's choice.
#pragma once

#include <string>
#include <vector>

#include "services/DriveQuery.h"
#include "ui/Controls.h"

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

// A drive list over the model: the back end shows the entries (showEntries) and hands on the
// user's choice (raising onChange when userChose says so).
class DriveListBase : public DriveList {
  public:
    explicit DriveListBase(const DriveQuery& drives) : m_model(drives) {}
    std::string drive() const override { return m_model.currentText(); }
    std::string root() const override { return m_model.currentRoot(); }
    void setDrive(const std::string& path) override {
        if (m_model.setCurrent(path)) {
            showEntries();
            raise(onChange);
        }
    }
    int listCount() const override { return m_model.count(); }
    std::string list(int index) const override { return m_model.text(index); }
    void refresh() override {
        m_model.refresh();
        showEntries();
    }

  protected:
    // Shows the entries (list) and the current one, as the program's change. A list that shows
    // nothing needs no override.
    virtual void showEntries() {}
    // The entry of the current drive, -1 while there is none.
    int currentIndex() const { return m_model.currentIndex(); }
    // The user chose entry `index`; true when the current drive changed. Throws RunError 5
    // outside the list.
    bool userChose(int index) { return m_model.choose(index); }

  private:
    DriveListModel m_model;
};

}  // namespace qm::platform
