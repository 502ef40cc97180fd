#include "platform/qt/QtFileList.h"

#include <QAccessible>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QTimer>
#include <utility>

#include "base/PathRules.h"
#include "base/RunError.h"
#include "platform/qt/QtText.h"

namespace qm::platform {

FileListItemModel::FileListItemModel(const FileSystem& files, const text::CaseMapper& mapper,
                                     QObject* parent)
    : QAbstractListModel(parent), m_files(files, mapper) {}

int FileListItemModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_files.count();
}

QVariant FileListItemModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_files.count()) {
        return {};
    }
    return displayQString(m_files.name(index.row()));
}

void FileListItemModel::load(const std::string& folder) {
    beginResetModel();
    try {
        m_files.load(folder);
    } catch (...) {
        endResetModel();
        throw;
    }
    endResetModel();
}

void FileListItemModel::setPattern(const std::string& pattern) {
    beginResetModel();
    m_files.setPattern(pattern);
    endResetModel();
}

FileListView::FileListView(QWidget* parent) : QListView(parent) {
    // The view never selects by itself: every selection comes from the model's click rules.
    setSelectionMode(QAbstractItemView::NoSelection);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
}

void FileListView::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    const QModelIndex index = indexAt(event->position().toPoint());
    event->accept();
    if (event->button() != Qt::LeftButton || !index.isValid()) {
        return;
    }
    setCurrentIndex(index);
    if (onUserClick) {
        const Qt::KeyboardModifiers mods = event->modifiers();
        onUserClick(index.row(), mods.testFlag(Qt::ControlModifier),
                    mods.testFlag(Qt::ShiftModifier));
    }
}

void FileListView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    event->accept();
    if (event->button() != Qt::LeftButton || !index.isValid()) {
        return;
    }
    setCurrentIndex(index);
    if (onUserDoubleClick) {
        const Qt::KeyboardModifiers mods = event->modifiers();
        onUserDoubleClick(index.row(), mods.testFlag(Qt::ControlModifier),
                          mods.testFlag(Qt::ShiftModifier));
    }
}

void FileListView::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() == Qt::NoButton) {
        QListView::mouseMoveEvent(event);  // hover only; a drag selects nothing
    }
}

void FileListView::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
}

void FileListView::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool ctrl = mods.testFlag(Qt::ControlModifier);
    const bool shift = mods.testFlag(Qt::ShiftModifier);
    CursorAction action{};
    bool moves = true;
    switch (event->key()) {
        case Qt::Key_Up:
            action = MoveUp;
            break;
        case Qt::Key_Down:
            action = MoveDown;
            break;
        case Qt::Key_PageUp:
            action = MovePageUp;
            break;
        case Qt::Key_PageDown:
            action = MovePageDown;
            break;
        case Qt::Key_Home:
            action = MoveHome;
            break;
        case Qt::Key_End:
            action = MoveEnd;
            break;
        default:
            moves = false;
            break;
    }
    if (moves) {
        event->accept();
        const QModelIndex next = moveCursor(action, mods);
        if (!next.isValid()) {
            return;
        }
        setCurrentIndex(next);
        scrollTo(next);
        // Ctrl alone moves the caret and leaves the selection as it is.
        if (!(ctrl && !shift) && onUserClick) {
            onUserClick(next.row(), ctrl, shift);
        }
        return;
    }
    if (event->key() == Qt::Key_Space) {
        event->accept();
        if (currentIndex().isValid() && onUserClick) {
            onUserClick(currentIndex().row(), ctrl, shift);
        }
        return;
    }
    // Typing a name's first letters moves to it; the entry found is then chosen as if clicked.
    const int before = currentIndex().row();
    QListView::keyPressEvent(event);
    const QModelIndex now = currentIndex();
    if (now.isValid() && now.row() != before && onUserClick) {
        onUserClick(now.row(), false, false);
    }
}

namespace {

// More rows than this changing at once are told as one change within the list.
constexpr int kRowsTold = 64;

void tellRows(QAbstractItemView* view, const QItemSelection& rows, QAccessible::Event event) {
    int count = 0;
    for (const QItemSelectionRange& range : rows) {
        count += range.height();
    }
    if (count <= 1) {
        return;  // the list view told of the first row
    }
    if (count > kRowsTold) {
        QAccessibleEvent within(view, QAccessible::SelectionWithin);
        QAccessible::updateAccessibility(&within);
        return;
    }
    bool first = true;
    for (const QItemSelectionRange& range : rows) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            if (!std::exchange(first, false)) {
                QAccessibleEvent told(view, event);
                told.setChild(row);
                QAccessible::updateAccessibility(&told);
            }
        }
    }
}

}  // namespace

void FileListView::selectionChanged(const QItemSelection& selected,
                                    const QItemSelection& deselected) {
    QListView::selectionChanged(selected, deselected);
    if (QAccessible::isActive()) {
        tellRows(this, selected, QAccessible::SelectionAdd);
        tellRows(this, deselected, QAccessible::SelectionRemove);
    }
}

void FileListView::paintEvent(QPaintEvent* event) {
    if (beforePaint) {
        beforePaint();
    }
    QListView::paintEvent(event);
}

QtFileList::QtFileList(const ControlDesign& design, QWidget* parent, const FileSystem& files,
                       const text::CaseMapper& mapper)
    : QtControlBase(design, new FileListView(parent)) {
    FileListView* v = view();
    m_model = new FileListItemModel(files, mapper, v);
    v->setModel(m_model);
    v->onUserClick = [this](int row, bool ctrl, bool shift) {
        userClick(row, ctrl, shift);
        raiseFromUser(onClick);
    };
    // The first press of a double-click already clicked; the second only reports it.
    v->onUserDoubleClick = [this](int, bool, bool) { raiseFromUser(onDblClick); };
    v->beforePaint = [this] {
        if (m_selectionStale) {
            showSelection();
        }
    };
}

QtFileList::~QtFileList() {
    // The view may outlive this control until its deferred deletion.
    FileListView* v = view();
    v->onUserClick = nullptr;
    v->onUserDoubleClick = nullptr;
    v->beforePaint = nullptr;
}

FileListView* QtFileList::view() const {
    return static_cast<FileListView*>(m_widget);
}

void QtFileList::checkIndex(int index) const {
    if (index < 0 || index >= listCount()) {
        throw RunError(kInvalidProcedureCall);
    }
}

void QtFileList::setPath(const std::string& path) {
    try {
        m_model->load(withoutTrailingSeparator(path));
    } catch (...) {
        showSelection();
        throw;
    }
    view()->scrollToTop();
    showSelection();
}

void QtFileList::setPattern(const std::string& pattern) {
    m_model->setPattern(pattern);
    view()->scrollToTop();
    showSelection();
}

void QtFileList::refresh() {
    if (!path().empty()) {
        setPath(path());
    }
}

std::string QtFileList::list(int index) const {
    checkIndex(index);
    return model().name(index);
}

bool QtFileList::selected(int index) const {
    checkIndex(index);
    return model().selected(index);
}

void QtFileList::setSelected(int index, bool selected) {
    checkIndex(index);
    m_model->files().setSelected(index, selected);
    selectionChangedLater();
}

void QtFileList::setAllSelected(bool selected) {
    m_model->files().setAllSelected(selected);
    m_selectionStale = false;
    QItemSelectionModel* selection = view()->selectionModel();
    selection->clearSelection();
    const int count = listCount();
    if (selected && count > 0) {
        selection->select(QItemSelection(m_model->index(0), m_model->index(count - 1)),
                          QItemSelectionModel::Select);
    }
}

void QtFileList::userClick(int row, bool ctrl, bool shift) {
    m_model->files().click(row, ctrl, shift);
    showSelection();
}

// Entry-by-entry changes from the program are shown together: Qt's selection costs grow with
// the number of ranges it holds, so one update per change would be quadratic.
void QtFileList::selectionChangedLater() {
    if (m_selectionStale) {
        return;
    }
    m_selectionStale = true;
    QTimer::singleShot(0, receiver(), [this] {
        if (m_selectionStale) {
            showSelection();
        }
    });
}

void QtFileList::showSelection() {
    m_selectionStale = false;
    const FileListModel& files = model();
    const int count = files.count();
    QItemSelection ranges;
    for (int first = 0; first < count;) {
        if (!files.selected(first)) {
            ++first;
            continue;
        }
        int last = first;
        while (last + 1 < count && files.selected(last + 1)) {
            ++last;
        }
        ranges.select(m_model->index(first), m_model->index(last));
        first = last + 1;
    }
    // Cleared first, then set: comparing an old selection of many ranges with a new one is
    // what Qt does slowly; against an empty one it does not compare at all.
    QItemSelectionModel* selection = view()->selectionModel();
    selection->clearSelection();
    if (!ranges.isEmpty()) {
        selection->select(ranges, QItemSelectionModel::Select);
    }
}

}  // namespace qm::platform
