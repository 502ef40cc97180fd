#include "tests/gui/QtProgramFixture.h"

#include <QApplication>
#include <QDialog>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>

#include "platform/qt/QtDriveList.h"
#include "platform/qt/QtFileList.h"
#include "platform/qt/QtFolderList.h"
#include "platform/qt/QtText.h"

namespace qm::test {

namespace {

// Closes a window nobody expected, the safe way: Cancel where there is one.
void dismiss(QWidget* window) {
    if (auto* dialog = qobject_cast<QDialog*>(window)) {
        dialog->reject();
        return;
    }
    for (const char* name : {"cmdCancel", "cmdContinue"}) {
        if (auto* button = window->findChild<QPushButton*>(QString::fromLatin1(name))) {
            button->click();
            return;
        }
    }
    window->hide();
}

}  // namespace

ModalSteps::ModalSteps() {
    m_timer.setInterval(5);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
    m_timer.start();
}

void ModalSteps::then(Step step) {
    m_steps.push_back(std::move(step));
}

void ModalSteps::poll() {
    QWidget* window = QApplication::activeModalWidget();
    if (window == nullptr || !window->isVisible()) {
        return;
    }
    std::erase_if(m_answering, [](const QPointer<QWidget>& w) { return w.isNull(); });
    if (std::find(m_answering.begin(), m_answering.end(), window) != m_answering.end()) {
        return;  // its step runs (and may wait in a window of its own)
    }
    Step step;
    if (m_steps.empty()) {
        ADD_FAILURE() << "a window nobody expected: " << window->windowTitle().toStdString();
        step = dismiss;
    } else {
        step = std::move(m_steps.front());
        m_steps.pop_front();
    }
    const QPointer<QWidget> guarded = window;
    m_answering.push_back(guarded);
    // From a timer of its own, so that this one goes on answering the windows the step opens.
    QTimer::singleShot(0, &m_timer, [this, guarded, step] {
        if (guarded.isNull()) {
            return;
        }
        try {
            step(guarded);
        } catch (const std::exception& e) {
            ADD_FAILURE() << "a step failed: " << e.what();
            if (!guarded.isNull() && guarded->isVisible()) {
                dismiss(guarded);
            }
        }
        std::erase(m_answering, guarded);
    });
}

QtProgramFixture::~QtProgramFixture() {
    EXPECT_EQ(modals.pending(), 0u) << "windows the test waited for never came up";
    if (QWidget* popup = QApplication::activePopupWidget()) {
        popup->close();
    }
}

void QtProgramFixture::start(const ModalSteps::Step& about) {
    modals.then([about](QWidget* window) {
        EXPECT_EQ(window->objectName(), QStringLiteral("frmAbout"));
        if (about) {
            about(window);
        }
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("cmdContinue")),
                          Qt::LeftButton);
    });
    app = std::make_unique<Application>(services);
    app->Main();
    // What main() does next: the event loop takes over.
    QTest::qWait(0);
}

QWidget* QtProgramFixture::mainWindow() {
    frmQuillmote* main = app ? app->mainWindow() : nullptr;
    if (main == nullptr) {
        throw std::logic_error("the main window is not loaded");
    }
    return dynamic_cast<platform::QtWindow&>(*main->controls().window).widget();
}

void QtProgramFixture::openFolder(const std::string& folder) {
    auto& folders = dynamic_cast<platform::QtFolderList&>(*app->mainWindow()->controls().Dir1);
    QTreeWidgetItem* item = folders.itemOf(folder);
    if (item == nullptr) {
        throw std::out_of_range("the folder tree does not show " + folder);
    }
    QTreeWidget* tree = folders.tree();
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier,
                      tree->visualItemRect(item).center());
}

void QtProgramFixture::clickFile(const std::string& name, Qt::KeyboardModifiers keys) {
    auto& list = dynamic_cast<platform::QtFileList&>(*app->mainWindow()->controls().File1);
    for (int row = 0; row < list.listCount(); ++row) {
        if (list.list(row) == name) {
            platform::FileListView* view = list.view();
            const QModelIndex item = view->model()->index(row, 0);
            view->scrollTo(item);
            QTest::mouseClick(view->viewport(), Qt::LeftButton, keys,
                              view->visualRect(item).center());
            return;
        }
    }
    throw std::out_of_range("the file list does not show " + name);
}

void QtProgramFixture::type(const char* name, const std::string& text) {
    auto* edit = widget<QLineEdit>(name);
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClicks(edit, platform::toQString(text));
}

std::vector<std::string> QtProgramFixture::selectedInView() {
    auto& list = dynamic_cast<platform::QtFileList&>(*app->mainWindow()->controls().File1);
    QTest::qWait(0);  // what the program selected entry by entry is shown together
    QModelIndexList rows = list.view()->selectionModel()->selectedIndexes();
    std::sort(rows.begin(), rows.end());
    std::vector<std::string> names;
    for (const QModelIndex& row : rows) {
        names.push_back(list.list(row.row()));
    }
    return names;
}

}  // namespace qm::test
