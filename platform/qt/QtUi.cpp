#include "platform/qt/QtUi.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QGroupBox>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <algorithm>

#include "platform/qt/QtAccessibility.h"
#include "platform/qt/QtPreviewList.h"
#include "platform/qt/QtText.h"

namespace qm::platform {

namespace {

// The Qt widgets of each kind of control, made inside the window or the frame that holds them.
class QtControlFactory final : public ControlFactory {
  public:
    QtControlFactory(QtUi& ui, QtWindow& window, const FormDesign& design)
        : m_ui(ui), m_window(window), m_design(design) {}

    std::unique_ptr<Control> driveList(const ControlDesign& d, Control* container) override {
        return std::make_unique<QtDriveList>(d, parentIn(container), m_ui.drives());
    }
    std::unique_ptr<Control> folderList(const ControlDesign& d, Control* container) override {
        return std::make_unique<QtFolderList>(d, parentIn(container), m_ui.files(), m_ui.drives(),
                                              m_ui.caseMapper());
    }
    std::unique_ptr<Control> fileList(const ControlDesign& d, Control* container) override {
        return std::make_unique<QtFileList>(d, parentIn(container), m_ui.files(),
                                            m_ui.caseMapper());
    }
    std::unique_ptr<Control> comboBox(const ControlDesign& d, Control* container) override {
        return std::make_unique<QtComboBox>(d, parentIn(container));
    }
    std::unique_ptr<Control> button(const ControlDesign& d, Control* container) override {
        return std::make_unique<QtButton>(d, parentIn(container),
                                          m_window.kind() == QtWindow::Kind::Dialog);
    }
    std::unique_ptr<Control> frame(const ControlDesign& d, Control* container) override {
        return std::make_unique<QtFrame>(d, parentIn(container));
    }
    std::unique_ptr<Control> optionButton(const ControlDesign& d, Control* container) override {
        return std::make_unique<QtOptionButton>(d, parentIn(container));
    }
    std::unique_ptr<Control> label(const ControlDesign& d, Control* container) override {
        return std::make_unique<QtLabel>(d, parentIn(container));
    }
    std::unique_ptr<Control> textBox(const ControlDesign& d, Control* container) override {
        return std::make_unique<QtTextBox>(d, parentIn(container));
    }
    std::unique_ptr<Control> listBox(const ControlDesign& d, Control* container) override {
        return std::make_unique<QtListBox>(d, parentIn(container));
    }
    std::unique_ptr<Control> progressBar(const ControlDesign& d, Control* container) override {
        return std::make_unique<QtProgressBar>(d, parentIn(container));
    }
    std::unique_ptr<Control> statusBar(const ControlDesign& d, Control* container) override {
        return std::make_unique<QtStatusBar>(d, parentIn(container), m_design.statusPanelWidths);
    }
    std::unique_ptr<Control> line(const ControlDesign& d, Control* container) override {
        return std::make_unique<QtLine>(d, parentIn(container));
    }

    std::unique_ptr<MenuItem> menuItem(const MenuDesign& m) override {
        if (m.parent.empty()) {
            QMenu* menu = m_window.menuBar()->addMenu(toQString(m.caption));
            menu->setObjectName(toQString(m.name));
            m_barMenus[m.name] = menu;
            auto item = std::make_unique<QtMenuItem>(m, menu->menuAction(), menu);
            m_window.addMenu(menu, item.get());
            return item;
        }
        QMenu* menu = m_barMenus.at(m.parent);
        QAction* action =
            m.caption == "-" ? menu->addSeparator() : menu->addAction(toQString(m.caption));
        action->setObjectName(toQString(m.name));
        if (!m.shortcut.empty()) {
            action->setShortcut(QKeySequence(toQString(m.shortcut), QKeySequence::PortableText));
        }
        return std::make_unique<QtMenuItem>(m, action, nullptr);
    }

    void joinGroup(const std::vector<Control*>& options) override {
        auto& first = dynamic_cast<QtOptionButton&>(*options.front());
        auto* buttons = new QButtonGroup(first.widget()->parentWidget());
        buttons->setExclusive(true);
        for (Control* control : options) {
            auto& option = dynamic_cast<QtOptionButton&>(*control);
            buttons->addButton(option.radioButton());
            option.setGroup(buttons);
        }
    }

  private:
    // The widget a control of `container` (or of the client area) is made in.
    QWidget* parentIn(Control* container) const {
        return container != nullptr ? dynamic_cast<QtControlBase&>(*container).widget()
                                    : m_window.clientArea();
    }

    QtUi& m_ui;
    QtWindow& m_window;
    const FormDesign& m_design;
    std::map<std::string, QMenu*> m_barMenus;  // the menus of the menu bar, by name
};

}  // namespace

QtForm::QtForm(const FormDesign& design, QtUi& ui, QtWindow::Kind kind)
    : m_window(std::make_unique<QtWindow>(design, kind)), m_systemInfo(ui.facts()) {
    QtControlFactory factory(ui, *m_window, design);
    build(design, factory);
    for (std::size_t row = 0; row < design.controls.size(); ++row) {
        auto& control = dynamic_cast<QtControlBase&>(this->control(row));
        m_window->addControl(control.widget(), &control);
        if (design.controls[row].defaultButton) {
            m_window->setDefaultButton(dynamic_cast<QtButton&>(control).button());
        }
        if (design.controls[row].cancelButton) {
            m_window->setCancelButton(dynamic_cast<QtButton&>(control).button());
        }
    }
    chainTabOrder();
    for (std::size_t row = 0; row < design.controls.size(); ++row) {
        const ControlDesign& d = design.controls[row];
        QWidget* widget = dynamic_cast<QtControlBase&>(control(row)).widget();
        nameControl(d, widget, d.label.empty() ? nullptr : get<QtLabel>(d.label).label());
        if (auto* view = qobject_cast<QAbstractItemView*>(widget)) {
            markCurrentRow(view);
        }
    }
}

QtForm::~QtForm() = default;

void QtForm::chainTabOrder() {
    for (std::size_t row = 0; row < design().controls.size(); ++row) {
        if (!takesFocus(design().controls[row].kind)) {
            dynamic_cast<QtControlBase&>(control(row)).widget()->setFocusPolicy(Qt::NoFocus);
        }
    }
    const std::vector<QtControlBase*> stops = tabOrder<QtControlBase>();
    for (std::size_t i = 1; i < stops.size(); ++i) {
        QWidget::setTabOrder(stops[i - 1]->widget(), stops[i]->widget());
    }
}

QtPointer::~QtPointer() {
    if (m_busy && QCoreApplication::instance() != nullptr) {
        QGuiApplication::restoreOverrideCursor();
    }
}

void QtPointer::setBusy(bool busy) {
    if (busy == m_busy) {
        return;
    }
    m_busy = busy;
    if (busy) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QGuiApplication::restoreOverrideCursor();
    }
}

void QtPointer::processEvents() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

std::string QtClipboard::text() const {
    return fromQString(QGuiApplication::clipboard()->text());
}

void QtClipboard::setText(const std::string& text) {
    QGuiApplication::clipboard()->setText(toQString(text));
}

QtUi::QtUi(const FileSystem& files, const DriveQuery& drives, const text::CaseMapper& mapper,
           const SystemFacts& facts)
    : m_files(files), m_drives(drives), m_mapper(mapper), m_facts(facts) {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        throw std::logic_error("the Qt user interface needs a QApplication");
    }
    // The window logic decides when the program ends (ExitApplication calls quit()).
    QGuiApplication::setQuitOnLastWindowClosed(false);
}

QtUi::~QtUi() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void QtUi::quit() {
    m_quitRequested = true;
    QCoreApplication::exit(0);
}

int QtUi::exec() {
    return m_quitRequested ? 0 : QApplication::exec();
}

std::unique_ptr<MainView> QtUi::createMainWindow() {
    return std::make_unique<QtView<MainControls>>(
        std::make_unique<QtForm>(mainWindowDesign(), *this, QtWindow::Kind::Main));
}

std::unique_ptr<PreviewView> QtUi::createPreviewWindow() {
    return std::make_unique<QtView<PreviewControls>>(
        std::make_unique<QtForm>(previewWindowDesign(), *this, QtWindow::Kind::Dialog));
}

std::unique_ptr<AboutView> QtUi::createAboutWindow() {
    return std::make_unique<QtView<AboutControls>>(
        std::make_unique<QtForm>(aboutWindowDesign(), *this, QtWindow::Kind::Dialog));
}

}  // namespace qm::platform
