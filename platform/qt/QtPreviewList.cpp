#include "platform/qt/QtPreviewList.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QStyle>
#include <QTimer>
#include <algorithm>
#include <functional>

#include "platform/qt/QtText.h"

namespace qm::platform {

namespace {

// Catches up with the rows before it is shown, so that its first paint shows all of them.
class PreviewListView : public QListView {
  public:
    using QListView::QListView;
    std::function<void()> beforeShow;

  protected:
    void showEvent(QShowEvent* event) override {
        if (beforeShow) {
            beforeShow();
        }
        QListView::showEvent(event);
    }
    // A list that follows the other one's choice without the focus must not tell a screen
    // reader that the focus moved to its row: only the list with the focus reports it.
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override {
        if (hasFocus()) {
            QListView::currentChanged(current, previous);
        } else {
            QAbstractItemView::currentChanged(current, previous);
        }
    }
};

}  // namespace

PreviewItemModel::PreviewItemModel(QListView* view)
    : QAbstractListModel(view),
      m_view(view),
      m_warningIcon(view->style()->standardIcon(QStyle::SP_MessageBoxWarning)) {}

void PreviewItemModel::show(std::shared_ptr<const PreviewRows> rows, PreviewColumn column) {
    beginResetModel();
    m_rows = std::move(rows);
    m_column = column;
    m_shown = 0;
    endResetModel();
    catchUp();
}

void PreviewItemModel::catchUp() {
    const int count = m_rows ? m_rows->count() : 0;
    if (count == m_shown) {
        if (count > 0) {
            emit dataChanged(index(0), index(count - 1));
        }
        return;
    }
    // One reset however many rows came: a signal per row would cost more than the rows.
    beginResetModel();
    m_shown = count;
    const int longest = m_rows->longest(m_column);
    const QFontMetrics metrics = m_view->fontMetrics();
    const int icon = m_view->iconSize().height();
    const int width =
        longest < 0 ? 0
                    : metrics.horizontalAdvance(displayQString(m_rows->name(m_column, longest)));
    m_rowSize = QSize(width + icon + 16, std::max(metrics.height(), icon) + 4);
    endResetModel();
}

int PreviewItemModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_shown;
}

QVariant PreviewItemModel::data(const QModelIndex& index, int role) const {
    const int row = index.row();
    // Rows cleared but not yet caught up with show nothing.
    if (!index.isValid() || !m_rows || row >= m_rows->count()) {
        return {};
    }
    const std::string& warning =
        m_column == PreviewColumn::NewName ? m_rows->warning(row) : std::string();
    const bool marked = !warning.empty();
    switch (role) {
        case Qt::DisplayRole:
            return displayQString(m_rows->name(m_column, row));
        case Qt::AccessibleTextRole:
            return displayQString(m_rows->spoken(m_column, row));
        case Qt::ToolTipRole:
        case Qt::AccessibleDescriptionRole:
            return marked ? QVariant(displayQString(warning)) : QVariant();
        case Qt::DecorationRole:
            return marked ? QVariant(m_warningIcon) : QVariant();
        case Qt::ForegroundRole:
            // A dark amber that stays readable on the light list background.
            return marked ? QVariant(QBrush(QColor(0xA8, 0x4B, 0x00))) : QVariant();
        case Qt::SizeHintRole:
            return m_rowSize;
        default:
            return {};
    }
}

QtListBox::QtListBox(const ControlDesign& design, QWidget* parent)
    : QtControlBase(design, new PreviewListView(parent)) {
    auto* v = static_cast<PreviewListView*>(view());
    v->setSelectionMode(QAbstractItemView::SingleSelection);
    v->setUniformItemSizes(true);
    const int icon = v->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, v);
    v->setIconSize(QSize(icon, icon));
    m_model = new PreviewItemModel(v);
    v->setModel(m_model);
    v->beforeShow = [this] { catchUp(); };
    // The choice is the selected row, not the current one: the view makes its first row
    // current when it gets the focus, and that is no choice of the user's.
    QObject::connect(v->selectionModel(), &QItemSelectionModel::selectionChanged, receiver(),
                     [this] {
                         if (m_programChange) {
                             return;
                         }
                         const QModelIndexList chosen = view()->selectionModel()->selectedRows();
                         const int row = chosen.isEmpty() ? -1 : chosen.front().row();
                         if (row < listCount() && m_state.choose(row)) {
                             raiseFromUser(onClick);
                         }
                     });
}

QtListBox::~QtListBox() {
    static_cast<PreviewListView*>(view())->beforeShow = nullptr;
    if (m_state.rows() != nullptr) {
        m_state.rows()->unwatch(this);
    }
}

QListView* QtListBox::view() const {
    return static_cast<QListView*>(m_widget);
}

void QtListBox::showRows(std::shared_ptr<const PreviewRows> rows, PreviewColumn column) {
    if (m_state.rows() != nullptr) {
        m_state.rows()->unwatch(this);
    }
    rows->watch(this, [this] {
        if (!m_catchUpPending) {
            m_catchUpPending = true;
            QTimer::singleShot(0, receiver(), [this] { catchUp(); });
        }
    });
    m_state.show(rows, column);
    const ProgramChange change(m_programChange);
    m_model->show(std::move(rows), column);
}

void QtListBox::catchUp() {
    m_catchUpPending = false;
    const bool grew = m_model->rowCount() != listCount();
    {
        const ProgramChange change(m_programChange);
        m_model->catchUp();
    }
    if (grew) {
        showChoice();
    }
}

void QtListBox::showChoice() {
    const ProgramChange change(m_programChange);
    const int index = m_state.index();
    if (index < 0) {
        view()->clearSelection();
        return;
    }
    const QModelIndex row = m_model->index(index);
    view()->setCurrentIndex(row);
    view()->scrollTo(row);
}

void QtListBox::setListIndex(int index) {
    if (m_catchUpPending) {
        catchUp();
    }
    if (!m_state.choose(index)) {
        return;
    }
    showChoice();
    raise(onClick);
}

}  // namespace qm::platform
