// The current drive's folders as a tree, read from disk a level at a time as it opens.
#pragma once

#include <QIcon>
#include <string>
#include <vector>

#include "base/Text.h"
#include "platform/qt/QtControls.h"
#include "services/DriveQuery.h"
#include "services/FileSystem.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace qm::platform {

class QtFolderList : public FolderList, public QtControlBase {
  public:
    QtFolderList(const ControlDesign& design, QWidget* parent, const FileSystem& files,
                 const DriveQuery& drives, const text::CaseMapper& mapper);
    std::string path() const override { return m_path; }
    void setPath(const std::string& path) override;
    void refresh() override;
    QTreeWidget* tree() const;
    // The item showing `path`, or nullptr while it is not in the tree.
    QTreeWidgetItem* itemOf(const std::string& path) const;

  private:
    QTreeWidgetItem* makeItem(const std::string& path, const std::string& name);
    // Reads an item's subfolders once; a folder that cannot be read shows none.
    void populate(QTreeWidgetItem* item);
    void fill(QTreeWidgetItem* item, const std::vector<std::string>& names);
    // Builds the tree down to `folder` (whose subfolders are `subfolders`) and selects it.
    void show(const std::string& folder, const std::vector<std::string>& subfolders);
    void userChose(QTreeWidgetItem* item);

    const FileSystem& m_files;
    const DriveQuery& m_drives;
    const text::CaseMapper& m_mapper;
    std::string m_path;
    QIcon m_folderIcon;
};

}  // namespace qm::platform
