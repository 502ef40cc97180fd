#include "platform/qt/QtUi.h"

#include "platform/ViewBinding.h"

#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QGroupBox>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <algorithm>

#include "platform/qt/QtText.h"

namespace qm::platform {

namespace {

bool takesFocus(ControlKind kind) {
    switch (kind) {
        case ControlKind::Label:
        case ControlKind::Frame:
        case ControlKind::Line:
        case ControlKind::StatusBar:
        case ControlKind::ProgressBar:
            return false;
        default:
            return true;
    }
}

}  // namespace

QtForm::QtForm(const FormDesign& design, QtUi& ui, QtWindow::Kind kind)
    : m_design(design),
      m_window(std::make_unique<QtWindow>(design, kind)),
      m_systemInfo(ui.facts()) {
    const bool dialog = kind == QtWindow::Kind::Dialog;
    for (const ControlDesign& d : design.controls) {
        QWidget* parent = m_window->clientArea();
        if (!d.container.empty()) {
            parent = find(d.container, -1)->widget();
        }
        m_controls.push_back(make(d, parent, ui, dialog));
        m_window->addControl(m_controls.back()->widget(), m_controls.back().get());
    }
    for (const ControlDesign& d : design.controls) {
        if (d.kind == ControlKind::OptionButton && d.index == 0) {
            const std::vector<QtOptionButton*> group = optionGroup(d.name);
            auto* buttons = new QButtonGroup(group.front()->widget()->parentWidget());
            buttons->setExclusive(true);
            for (QtOptionButton* option : group) {
                buttons->addButton(option->radioButton());
                option->setGroup(buttons);
            }
        }
    }
    if (!design.menus.empty()) {
        buildMenus();
    }
    chainTabOrder();
}

QtForm::~QtForm() = default;

std::unique_ptr<QtControlBase> QtForm::make(const ControlDesign& d, QWidget* parent, QtUi& ui,
                                            bool dialog) {
    switch (d.kind) {
        case ControlKind::DriveList:
            return std::make_unique<QtDriveList>(d, parent, ui.drives());
        case ControlKind::FolderList:
            return std::make_unique<QtFolderList>(d, parent, ui.files(), ui.drives(),
                                                  ui.caseMapper());
        case ControlKind::FileList:
            return std::make_unique<QtFileList>(d, parent, ui.files(), ui.caseMapper());
        case ControlKind::ComboBox:
            return std::make_unique<QtComboBox>(d, parent);
        case ControlKind::Button:
            return std::make_unique<QtButton>(d, parent, dialog);
        case ControlKind::Frame:
            return std::make_unique<QtFrame>(d, parent);
        case ControlKind::OptionButton:
            return std::make_unique<QtOptionButton>(d, parent);
        case ControlKind::Label:
            return std::make_unique<QtLabel>(d, parent);
        case ControlKind::TextBox:
            return std::make_unique<QtTextBox>(d, parent);
        case ControlKind::ListBox:
            return std::make_unique<QtListBox>(d, parent);
        case ControlKind::ProgressBar:
            return std::make_unique<QtProgressBar>(d, parent);
        case ControlKind::StatusBar:
            return std::make_unique<QtStatusBar>(d, parent, m_design.statusPanelWidths);
        case ControlKind::Line:
            return std::make_unique<QtLine>(d, parent);
    }
    throw std::logic_error("a control kind without a widget");
}

void QtForm::buildMenus() {
    QMenuBar* bar = m_window->menuBar();
    std::map<std::string, QMenu*> menus;
    for (const MenuDesign& m : m_design.menus) {
        std::unique_ptr<QtMenuItem> item;
        if (m.parent.empty()) {
            QMenu* menu = bar->addMenu(toQString(m.caption));
            menu->setObjectName(toQString(m.name));
            menus[m.name] = menu;
            item = std::make_unique<QtMenuItem>(m, menu->menuAction(), menu);
        } else {
            QMenu* menu = menus.at(m.parent);
            QAction* action =
                m.caption == "-" ? menu->addSeparator() : menu->addAction(toQString(m.caption));
            action->setObjectName(toQString(m.name));
            if (!m.shortcut.empty()) {
                action->setShortcut(
                    QKeySequence(toQString(m.shortcut), QKeySequence::PortableText));
            }
            item = std::make_unique<QtMenuItem>(m, action, nullptr);
        }
        m_menus[m.name] = std::move(item);
    }
}

void QtForm::chainTabOrder() {
    std::vector<QtControlBase*> stops = tabOrder();
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        if (!takesFocus(m_design.controls[i].kind)) {
            m_controls[i]->widget()->setFocusPolicy(Qt::NoFocus);
        }
    }
    for (std::size_t i = 1; i < stops.size(); ++i) {
        QWidget::setTabOrder(stops[i - 1]->widget(), stops[i]->widget());
    }
}

std::vector<QtControlBase*> QtForm::tabOrder() const {
    std::vector<std::pair<int, QtControlBase*>> stops;
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        const ControlDesign& d = m_design.controls[i];
        if (d.tabIndex >= 0 && takesFocus(d.kind)) {
            stops.emplace_back(d.tabIndex, m_controls[i].get());
        }
    }
    std::stable_sort(stops.begin(), stops.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<QtControlBase*> order;
    for (const auto& stop : stops) {
        order.push_back(stop.second);
    }
    return order;
}

QtControlBase* QtForm::find(const std::string& name, int index) {
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        const ControlDesign& d = m_design.controls[i];
        if (d.name == name && (index < 0 || d.index == index)) {
            return m_controls[i].get();
        }
    }
    throw std::out_of_range("no control " + name);
}

QtMenuItem& QtForm::menu(const std::string& name) {
    const auto it = m_menus.find(name);
    if (it == m_menus.end()) {
        throw std::out_of_range("no menu item " + name);
    }
    return *it->second;
}

std::vector<QtOptionButton*> QtForm::optionGroup(const std::string& name) {
    std::vector<QtOptionButton*> group;
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        const ControlDesign& d = m_design.controls[i];
        if (d.name == name && d.kind == ControlKind::OptionButton) {
            const auto at = static_cast<std::size_t>(d.index);
            group.resize(std::max(group.size(), at + 1));
            group[at] = dynamic_cast<QtOptionButton*>(m_controls[i].get());
        }
    }
    return group;
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
    auto view = std::make_unique<QtView<MainControls>>(
        std::make_unique<QtForm>(mainWindowDesign(), *this, QtWindow::Kind::Main));
    bindControls(view->form(), view->controls());
    return view;
}

std::unique_ptr<PreviewView> QtUi::createPreviewWindow() {
    auto view = std::make_unique<QtView<PreviewControls>>(
        std::make_unique<QtForm>(previewWindowDesign(), *this, QtWindow::Kind::Dialog));
    bindControls(view->form(), view->controls());
    return view;
}

std::unique_ptr<AboutView> QtUi::createAboutWindow() {
    auto view = std::make_unique<QtView<AboutControls>>(
        std::make_unique<QtForm>(aboutWindowDesign(), *this, QtWindow::Kind::Dialog));
    bindControls(view->form(), view->controls());
    return view;
}

}  // namespace qm::platform
