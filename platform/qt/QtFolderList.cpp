#include "platform/qt/QtFolderList.h"

#include <QHeaderView>
#include <QTreeWidget>

#include "base/PathRules.h"
#include "base/RunError.h"
#include "platform/qt/QtText.h"
#include "ui/FileListModel.h"

namespace qm::platform {

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kNameRole = Qt::UserRole + 1;
constexpr int kReadRole = Qt::UserRole + 2;

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
    // One icon for every item: the style reads its image files each time it is asked.
    m_folderIcon = t->style()->standardIcon(QStyle::SP_DirIcon);
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
    item->setIcon(0, m_folderIcon);
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
    const std::string folder = folderToShow(m_files, path);
    if (folder == m_path) {
        return;
    }
    show(folder, listSubfolders(m_files, folder, m_mapper));
    m_path = folder;
    raise(onChange);
}

void QtFolderList::refresh() {
    const std::vector<std::string> subfolders =
        listSubfolders(m_files, folderToShow(m_files, m_path), m_mapper);
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

}  // namespace qm::platform
