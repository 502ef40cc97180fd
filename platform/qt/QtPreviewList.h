// One column of the preview's rows in a list view over the shared PreviewRows: no item per row,
// so a preview of a million names shows at once. Every row is as high as one with the warning
// icon; a marked new name is amber with the icon, its reason the row's tooltip and part of its
// accessible text. The label made right before the list names it for screen readers.
#pragma once

#include <QAbstractListModel>
#include <QIcon>
#include <QListView>
#include <memory>
#include <string>

#include "platform/qt/QtControls.h"
#include "ui/PreviewListBase.h"
#include "ui/PreviewRows.h"

namespace qm::platform {

class PreviewItemModel : public QAbstractListModel {
  public:
    explicit PreviewItemModel(QListView* view);
    void show(std::shared_ptr<const PreviewRows> rows, PreviewColumn column);
    // Brings the view up to the rows: the rows added (all of them anew after a clear), the
    // marks redrawn.
    void catchUp();
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

  private:
    QListView* m_view;
    std::shared_ptr<const PreviewRows> m_rows;
    PreviewColumn m_column = PreviewColumn::OldName;
    int m_shown = 0;  // the rows the view knows of
    QSize m_rowSize;  // every row's: the longest name's width, the icon's height
    QIcon m_warningIcon;
};

class QtListBox : public PreviewListBase, public QtControlBase {
  public:
    QtListBox(const ControlDesign& design, QWidget* parent);
    ~QtListBox() override;
    void showRows(std::shared_ptr<const PreviewRows> rows, PreviewColumn column) override;
    void setListIndex(int index) override;
    QListView* view() const;
    PreviewItemModel* model() const { return m_model; }

  private:
    void catchUp();
    void showChoice();

    PreviewItemModel* m_model;  // owned by the view, which may outlive this control
    bool m_catchUpPending = false;
};

}  // namespace qm::platform
