// The current drive's folders as a tree, read from disk a level at a time as it opens.
#pragma once

#include <QIcon>
#include <string>

#include "platform/qt/QtControls.h"
#include "ui/FolderListModel.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace qm::platform {

class QtFolderList : public FolderListBase, public QtControlBase {
  public:
    QtFolderList(const ControlDesign& design, QWidget* parent, const FileSystem& files,
                 const DriveQuery& drives, const text::CaseMapper& mapper);
    QTreeWidget* tree() const;
    // The item showing `path`, or nullptr while it is not in the tree.
    QTreeWidgetItem* itemOf(const std::string& path) const;

  private:
    void added(FolderNode& node) override;
    void filled(FolderNode& node) override;
    void expand(FolderNode& node) override;
    void select(FolderNode& node) override;
    QTreeWidgetItem* makeItem(FolderNode& node);

    QIcon m_folderIcon;
};

}  // namespace qm::platform
