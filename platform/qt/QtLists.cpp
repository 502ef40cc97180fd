#include "platform/qt/QtLists.h"

#include <QComboBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QTimer>
#include <QTreeWidget>

#include "platform/DriveResolution.h"
#include "platform/RunError.h"
#include "platform/qt/QtText.h"

namespace qm::platform {

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kNameRole = Qt::UserRole + 1;
constexpr int kReadRole = Qt::UserRole + 2;

std::string withoutTrailingSeparator(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

std::string joinPath(const std::string& folder, const std::string& name) {
    return folder == "/" ? "/" + name : folder + "/" + name;
}

QByteArray bytesOf(const std::string& s) {
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

std::string stringOf(const QVariant& value) {
    const QByteArray bytes = value.toByteArray();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

std::string pathOf(const QTreeWidgetItem* item) {
    return stringOf(item->data(0, kPathRole));
}

}  // namespace

// ---- drives

QtDriveList::QtDriveList(const ControlDesign& design, QWidget* parent, const DriveQuery& drives)
    : QtControlBase(design, new QComboBox(parent)), m_query(drives) {
    comboBox()->setEditable(false);
    refresh();
    QObject::connect(comboBox(), &QComboBox::activated, receiver(), [this](int index) {
        if (m_programChange || index < 0 || index >= listCount()) {
            return;
        }
        const MountedDrive drive = m_list[static_cast<std::size_t>(index)];
        if (drive.mountPoint != m_root) {
            m_root = drive.mountPoint;
            m_text = drive.displayText;
            raiseFromUser(onChange);
        }
    });
}

QComboBox* QtDriveList::comboBox() const {
    return static_cast<QComboBox*>(m_widget);
}

std::string QtDriveList::list(int index) const {
    if (index < 0 || index >= listCount()) {
        throw RunError(kInvalidProcedureCall);
    }
    return m_list[static_cast<std::size_t>(index)].displayText;
}

void QtDriveList::refresh() {
    m_list = m_query.mountedDrives();
    {
        const ProgramChange change(m_programChange);
        comboBox()->clear();
        for (const MountedDrive& drive : m_list) {
            comboBox()->addItem(displayQString(drive.displayText));
        }
    }
    showCurrent();
}

void QtDriveList::setDrive(const std::string& path) {
    const MountedDrive drive = resolveDrive(m_query, m_list, path);
    if (drive.mountPoint == m_root) {
        return;
    }
    m_root = drive.mountPoint;
    m_text = drive.displayText;
    showCurrent();
    raise(onChange);
}

void QtDriveList::showCurrent() {
    const ProgramChange change(m_programChange);
    int index = -1;
    for (std::size_t i = 0; i < m_list.size(); ++i) {
        if (m_list[i].mountPoint == m_root) {
            index = static_cast<int>(i);
        }
    }
    if (index < 0 && !m_root.empty()) {
        // A drive mounted after the list was read: listed from now on.
        m_list.push_back(MountedDrive{m_root, "", m_text});
        comboBox()->addItem(displayQString(m_text));
        index = listCount() - 1;
    }
    comboBox()->setCurrentIndex(index);
}

// ---- folders

QtFolderList::QtFolderList(const ControlDesign& design, QWidget* parent, const FileSystem& files,
                           const DriveQuery& drives, const text::CaseMapper& mapper)
    : QtControlBase(design, new QTreeWidget(parent)),
      m_files(files),
      m_drives(drives),
      m_mapper(mapper) {
    QTreeWidget* t = tree();
    t->setColumnCount(1);
    t->header()->hide();
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setUniformRowHeights(true);
    QObject::connect(t, &QTreeWidget::itemExpanded, receiver(), [this](QTreeWidgetItem* item) {
        const ProgramChange change(m_programChange);
        populate(item);
    });
    QObject::connect(t, &QTreeWidget::currentItemChanged, receiver(),
                     [this](QTreeWidgetItem* current, QTreeWidgetItem*) {
                         if (!m_programChange && current != nullptr) {
                             userChose(current);
                         }
                     });
}

QTreeWidget* QtFolderList::tree() const {
    return static_cast<QTreeWidget*>(m_widget);
}

QTreeWidgetItem* QtFolderList::makeItem(const std::string& path, const std::string& name) {
    auto* item = new QTreeWidgetItem();
    item->setText(0, displayQString(name));
    item->setIcon(0, tree()->style()->standardIcon(QStyle::SP_DirIcon));
    item->setData(0, kPathRole, bytesOf(path));
    item->setData(0, kNameRole, bytesOf(name));
    item->setData(0, kReadRole, false);
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return item;
}

void QtFolderList::fill(QTreeWidgetItem* item, const std::vector<std::string>& names) {
    const std::string folder = pathOf(item);
    qDeleteAll(item->takeChildren());
    QList<QTreeWidgetItem*> children;
    children.reserve(static_cast<qsizetype>(names.size()));
    for (const std::string& name : names) {
        children.append(makeItem(joinPath(folder, name), name));
    }
    item->addChildren(children);
    item->setData(0, kReadRole, true);
    item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void QtFolderList::populate(QTreeWidgetItem* item) {
    if (item->data(0, kReadRole).toBool()) {
        return;
    }
    std::vector<std::string> names;
    try {
        names = listSubfolders(m_files, pathOf(item), m_mapper);
    } catch (const std::exception&) {
        // Unreadable (no permission, gone): shown without subfolders.
    }
    fill(item, names);
}

void QtFolderList::show(const std::string& folder, const std::vector<std::string>& subfolders) {
    const ProgramChange change(m_programChange);
    QTreeWidget* t = tree();
    std::string root = withoutTrailingSeparator(m_drives.mountPointOf(folder));
    if (root.empty() || folder.compare(0, root.size(), root) != 0) {
        root = folder[0] == '/' ? "/" : folder;
    }
    QTreeWidgetItem* item = t->topLevelItemCount() > 0 ? t->topLevelItem(0) : nullptr;
    if (item == nullptr || pathOf(item) != root) {
        t->clear();
        item = makeItem(root, root);
        t->addTopLevelItem(item);
    }
    std::string current = root;
    std::size_t at = root == "/" ? 1 : root.size() + 1;
    while (at < folder.size()) {
        std::size_t end = folder.find('/', at);
        if (end == std::string::npos) {
            end = folder.size();
        }
        const std::string name = folder.substr(at, end - at);
        at = end + 1;
        if (name.empty()) {
            continue;
        }
        populate(item);
        item->setExpanded(true);
        QTreeWidgetItem* next = nullptr;
        const QByteArray wanted = bytesOf(name);
        for (int i = 0; i < item->childCount() && next == nullptr; ++i) {
            if (item->child(i)->data(0, kNameRole).toByteArray() == wanted) {
                next = item->child(i);
            }
        }
        current = joinPath(current, name);
        if (next == nullptr) {
            // A folder the listing leaves out (a hidden one) still has its place on the way.
            next = makeItem(current, name);
            item->addChild(next);
        }
        item = next;
    }
    fill(item, subfolders);
    item->setExpanded(true);
    t->setCurrentItem(item);
    // As many of its subfolders in view as fit, the folder itself always.
    if (item->childCount() > 0) {
        t->scrollToItem(item->child(item->childCount() - 1));
    }
    t->scrollToItem(item);
}

QTreeWidgetItem* QtFolderList::itemOf(const std::string& path) const {
    QTreeWidgetItemIterator it(tree());
    const QByteArray wanted = bytesOf(path);
    for (; *it != nullptr; ++it) {
        if ((*it)->data(0, kPathRole).toByteArray() == wanted) {
            return *it;
        }
    }
    return nullptr;
}

void QtFolderList::setPath(const std::string& path) {
    const std::string folder = withoutTrailingSeparator(path);
    if (folder.empty() || !m_files.isFolder(folder)) {
        throw RunError(kPathNotFound);
    }
    if (folder == m_path) {
        return;
    }
    const std::vector<std::string> subfolders = listSubfolders(m_files, folder, m_mapper);
    show(folder, subfolders);
    m_path = folder;
    raise(onChange);
}

void QtFolderList::refresh() {
    if (!m_files.isFolder(m_path)) {
        throw RunError(kPathNotFound);
    }
    const std::vector<std::string> subfolders = listSubfolders(m_files, m_path, m_mapper);
    {
        const ProgramChange change(m_programChange);
        tree()->clear();
    }
    show(m_path, subfolders);
}

void QtFolderList::userChose(QTreeWidgetItem* item) {
    const std::string path = pathOf(item);
    {
        const ProgramChange change(m_programChange);
        populate(item);
        item->setExpanded(true);
    }
    if (path != m_path) {
        m_path = path;
        raiseFromUser(onChange);
    }
}

// ---- files

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
