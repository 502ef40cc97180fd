#include "platform/qt/QtFolderList.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QTreeWidget>

#include "platform/qt/QtText.h"

namespace qm::platform {

namespace {

constexpr int kNodeRole = Qt::UserRole;  // the node an item shows

FolderNode& nodeOf(const QTreeWidgetItem* item) {
    return *static_cast<FolderNode*>(item->data(0, kNodeRole).value<void*>());
}

QTreeWidgetItem* itemOfNode(const FolderNode& node) {
    return static_cast<QTreeWidgetItem*>(node.item);
}

// A tree that tells the keyboard's moves from the mouse's choices.
class FolderTree : public QTreeWidget {
  public:
    using QTreeWidget::QTreeWidget;
    bool keyMove() const { return m_keyMove; }

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        m_keyMove = true;
        QTreeWidget::keyPressEvent(event);
        m_keyMove = false;
    }

  private:
    bool m_keyMove = false;
};

}  // namespace

QtFolderList::QtFolderList(const ControlDesign& design, QWidget* parent, const FileSystem& files,
                           const DriveQuery& drives, const text::CaseMapper& mapper)
    : FolderListBase(files, drives, mapper), QtControlBase(design, new FolderTree(parent)) {
    QTreeWidget* t = tree();
    t->setColumnCount(1);
    t->header()->hide();
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setUniformRowHeights(true);
    // One icon for every item: the style reads its image files each time it is asked.
    m_folderIcon = t->style()->standardIcon(QStyle::SP_DirIcon);
    QObject::connect(t, &QTreeWidget::itemExpanded, receiver(),
                     [this](QTreeWidgetItem* item) { m_model.open(nodeOf(item)); });
    QObject::connect(t, &QTreeWidget::currentItemChanged, receiver(),
                     [this](QTreeWidgetItem* current, QTreeWidgetItem*) {
                         if (m_programChange || current == nullptr) {
                             return;
                         }
                         // An arrow moves to the folder as shown; a click opens it.
                         FolderNode& node = nodeOf(current);
                         const bool byKey = static_cast<FolderTree*>(tree())->keyMove();
                         if (byKey ? m_model.moveTo(node) : m_model.choose(node)) {
                             raiseFromUser(onChange);
                         }
                     });
}

QTreeWidget* QtFolderList::tree() const {
    return static_cast<QTreeWidget*>(m_widget);
}

QTreeWidgetItem* QtFolderList::itemOf(const std::string& path) const {
    const FolderNode* node = m_model.find(path);
    return node == nullptr ? nullptr : itemOfNode(*node);
}

QTreeWidgetItem* QtFolderList::makeItem(FolderNode& node) {
    auto* item = new QTreeWidgetItem();
    item->setData(0, kNodeRole, QVariant::fromValue(static_cast<void*>(&node)));
    item->setText(0, displayQString(node.name));
    item->setIcon(0, m_folderIcon);
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    node.item = item;
    return item;
}

void QtFolderList::added(FolderNode& node) {
    const ProgramChange change(m_programChange);
    if (node.parent != nullptr) {
        itemOfNode(*node.parent)->addChild(makeItem(node));
        return;
    }
    tree()->clear();
    tree()->addTopLevelItem(makeItem(node));
}

void QtFolderList::filled(FolderNode& node) {
    const ProgramChange change(m_programChange);
    QTreeWidgetItem* item = itemOfNode(node);
    qDeleteAll(item->takeChildren());
    QList<QTreeWidgetItem*> children;
    children.reserve(static_cast<qsizetype>(node.children.size()));
    for (const auto& child : node.children) {
        children.append(makeItem(*child));
    }
    item->addChildren(children);
    item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void QtFolderList::expand(FolderNode& node) {
    const ProgramChange change(m_programChange);
    itemOfNode(node)->setExpanded(true);
}

void QtFolderList::select(FolderNode& node) {
    const ProgramChange change(m_programChange);
    QTreeWidgetItem* item = itemOfNode(node);
    tree()->setCurrentItem(item);
    // As many of its subfolders in view as fit, the folder itself always.
    if (item->childCount() > 0) {
        tree()->scrollToItem(item->child(item->childCount() - 1));
    }
    tree()->scrollToItem(item);
}

}  // namespace qm::platform
