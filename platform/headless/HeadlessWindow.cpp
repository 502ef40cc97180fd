#include "platform/headless/HeadlessWindow.h"

#include <stdexcept>

#include "base/RunError.h"

namespace qm::platform {

namespace {

ControlDesign windowDesign(const FormDesign& form) {
    ControlDesign d;
    d.name = form.name;
    d.kind = ControlKind::Label;  // unused: a window reports its own type name
    d.rect = Rect{0, 0, form.width, form.height};
    d.initiallyVisible = false;
    return d;
}

}  // namespace

HeadlessSystemMenu::HeadlessSystemMenu()
    : m_items{"&Restore", "&Move", "&Size", "Mi&nimize", "Ma&ximize", "", "&Close\tAlt+F4"} {}

std::string HeadlessSystemMenu::itemText(int position) const {
    if (position < 0 || position >= itemCount()) {
        throw RunError(kInvalidProcedureCall);
    }
    return m_items[static_cast<std::size_t>(position)];
}

void HeadlessSystemMenu::removeItem(int position) {
    if (position < 0 || position >= itemCount()) {
        throw RunError(kInvalidProcedureCall);
    }
    m_items.erase(m_items.begin() + position);
}

bool HeadlessSystemMenu::closeEnabled() const {
    for (const auto& item : m_items) {
        if (item.rfind("&Close", 0) == 0) {
            return true;
        }
    }
    return false;
}

void HeadlessSurface::setState(const DrawingState& state) {
    m_state = state;
    m_changes.push_back(state);
}

void HeadlessSurface::fillBox(double x1, double y1, double x2, double y2, Rgb color) {
    if (failNextFill) {
        failNextFill = false;
        throw RunError(kInvalidProcedureCall);
    }
    m_boxes.push_back(FilledBox{x1, y1, x2, y2, color});
}

HeadlessWindow::HeadlessWindow(const FormDesign& design,
                               std::function<void(HeadlessWindow&)> onModal)
    : HeadlessControlBase(windowDesign(design), nullptr),
      m_caption(design.caption),
      m_width(design.width),
      m_height(design.height),
      m_onModal(std::move(onModal)) {
    m_window = this;
}

void HeadlessWindow::show() {
    if (!m_loaded) {
        throw std::logic_error("showing an unloaded window");
    }
    setVisible(true);
}

void HeadlessWindow::showModal() {
    show();
    m_modal = true;
    ++m_modalShows;
    if (m_onModal) {
        m_onModal(*this);
    }
    // A real modal loop would wait for the user; a script that leaves the window up ends it.
    setVisible(false);
    m_modal = false;
}

void HeadlessWindow::hide() {
    setVisible(false);
}

void HeadlessWindow::unload() {
    close(CloseReason::Code);
}

bool HeadlessWindow::close(CloseReason reason) {
    if (!m_loaded) {
        return true;
    }
    bool cancel = false;
    if (onQueryUnload) {
        onQueryUnload(reason, cancel);
    }
    if (cancel) {
        return false;
    }
    m_loaded = false;
    setVisible(false);
    return true;
}

bool HeadlessWindow::userClose() {
    if (!m_systemMenu.closeEnabled()) {
        return false;
    }
    return close(CloseReason::ControlMenu);
}

bool HeadlessWindow::systemClose(CloseReason reason) {
    return close(reason);
}

void HeadlessWindow::typeChar(int keyAscii) {
    if (onKeyPress) {
        onKeyPress(keyAscii);
    }
    if (keyAscii >= 32) {
        if (auto* box = dynamic_cast<HeadlessTextBox*>(m_active)) {
            box->setSelText(std::string(1, static_cast<char>(keyAscii)));
        }
    }
}

}  // namespace qm::platform
