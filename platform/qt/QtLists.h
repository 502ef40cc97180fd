// The file-system lists as widgets: the drives in a drop-down list, the current drive's folders
// as a tree, and a folder's files in a list view over the shared FileListModel, so the window
// shows exactly what the headless lists and the tests see.
#pragma once

#include <QAbstractListModel>
#include <QListView>
#include <functional>
#include <string>
#include <vector>

#include "platform/DriveQuery.h"
#include "platform/FileListModel.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "platform/qt/QtControls.h"

class QComboBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace qm::platform {

class QtDriveList : public DriveList, public QtControlBase {
  public:
    QtDriveList(const ControlDesign& design, QWidget* parent, const DriveQuery& drives);
    std::string drive() const override { return m_text; }
    std::string root() const override { return m_root; }
    void setDrive(const std::string& path) override;
    int listCount() const override { return static_cast<int>(m_list.size()); }
    std::string list(int index) const override;
    void refresh() override;
    QComboBox* comboBox() const;

  private:
    // Chooses `drive` and raises onChange when it differs; true when it changed.
    bool choose(const MountedDrive& drive);
    void showCurrent();

    const DriveQuery& m_query;
    std::vector<MountedDrive> m_list;
    std::string m_text;
    std::string m_root;
};

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
};

// The view's rows are the model's visible entries; what it shows is each name's display form.
class FileListItemModel : public QAbstractListModel {
  public:
    FileListItemModel(const FileSystem& files, const text::CaseMapper& mapper, QObject* parent);
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    FileListModel& files() { return m_files; }
    const FileListModel& files() const { return m_files; }
    void load(const std::string& folder);
    void setPattern(const std::string& pattern);

  private:
    FileListModel m_files;
};

// A list view whose selection belongs to the FileListModel: mouse and keyboard go to the
// model's click rules, and the view only shows what the model holds.
class FileListView : public QListView {
  public:
    explicit FileListView(QWidget* parent);
    std::function<void(int row, bool ctrl, bool shift)> onUserClick;
    std::function<void(int row, bool ctrl, bool shift)> onUserDoubleClick;
    std::function<void()> beforePaint;

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

class QtFileList : public FileList, public QtControlBase {
  public:
    QtFileList(const ControlDesign& design, QWidget* parent, const FileSystem& files,
               const text::CaseMapper& mapper);
    ~QtFileList() override;
    std::string path() const override { return m_model->files().folder(); }
    void setPath(const std::string& path) override;
    std::string pattern() const override { return m_model->files().pattern(); }
    void setPattern(const std::string& pattern) override;
    void refresh() override;
    int listCount() const override { return m_model->files().count(); }
    std::string list(int index) const override;
    bool selected(int index) const override;
    void setSelected(int index, bool selected) override;
    void setAllSelected(bool selected) override;

    FileListView* view() const;
    const FileListModel& model() const { return m_model->files(); }
    // Brings the view's selection up to date with the model now.
    void showSelection();

  private:
    void checkIndex(int index) const;
    void userClick(int row, bool ctrl, bool shift);
    void selectionChangedLater();

    FileListItemModel* m_model;  // owned by the view, so it lives as long as the view paints
    bool m_selectionStale = false;
};

}  // namespace qm::platform
