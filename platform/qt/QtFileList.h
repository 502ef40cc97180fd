// A folder's files in a list view over the shared FileListModel, so the window shows exactly
// what the headless list and the tests see; the model decides the selection, the view draws it.
#pragma once

#include <QAbstractListModel>
#include <QListView>
#include <functional>
#include <string>

#include "base/Text.h"
#include "platform/qt/QtControls.h"
#include "services/FileSystem.h"
#include "ui/FileListModel.h"

namespace qm::platform {

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
    // Tells a screen reader of every row the selection gained or lost: Qt's list view tells of
    // the first row of a range only.
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
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
    const FileListModel& model() const override { return m_model->files(); }
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
