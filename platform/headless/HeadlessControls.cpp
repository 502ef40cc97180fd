#include "platform/headless/HeadlessControls.h"

#include <algorithm>

#include "base/RunError.h"
#include "base/Text.h"
#include "platform/headless/HeadlessWindow.h"

namespace qm::platform {

namespace {

// Byte offset of character `index` in `s` (s.size() past the end).
std::size_t byteOffset(const std::string& s, int index) {
    std::size_t pos = 0;
    for (int i = 0; i < index && pos < s.size(); ++i) {
        std::size_t len = 0;
        text::decodeAt(s, pos, len);
        pos += len;
    }
    return pos;
}

}  // namespace

HeadlessControlBase::HeadlessControlBase(const ControlDesign& design, HeadlessWindow* window)
    : m_window(window),
      m_name(design.name),
      m_typeName(typeNameOf(design.kind)),
      m_visible(design.initiallyVisible),
      m_rect(design.rect),
      m_toolTip(design.toolTip),
      m_tabIndex(design.tabIndex) {}

void HeadlessControlBase::setFocus() {
    if (m_window != nullptr) {
        m_window->setActiveControl(this);
    }
}

bool HeadlessControlBase::hasFocus() const {
    return m_window != nullptr && m_window->activeControl() == this;
}

void HeadlessButton::click() {
    if (enabled() && visible()) {
        raise(onClick);
    }
}

void HeadlessTextBox::setText(const std::string& text) {
    m_text = text;
    m_selStart = static_cast<int>(text::characterCount(m_text));
    m_selLength = 0;
    raise(onChange);
}

void HeadlessTextBox::setSelection(int start, int length) {
    const int count = static_cast<int>(text::characterCount(m_text));
    m_selStart = std::clamp(start, 0, count);
    m_selLength = std::clamp(length, 0, count - m_selStart);
}

std::string HeadlessTextBox::selText() const {
    const std::size_t from = byteOffset(m_text, m_selStart);
    const std::size_t to = byteOffset(m_text, m_selStart + m_selLength);
    return m_text.substr(from, to - from);
}

void HeadlessTextBox::setSelText(const std::string& text) {
    const std::size_t from = byteOffset(m_text, m_selStart);
    const std::size_t to = byteOffset(m_text, m_selStart + m_selLength);
    m_text.replace(from, to - from, text);
    m_selStart += static_cast<int>(text::characterCount(text));
    m_selLength = 0;
    raise(onChange);
}

void HeadlessComboBox::setListIndex(int index) {
    m_entries.choose(index);
    if (index >= 0) {
        m_text = m_entries.at(index);
        raise(onClick);
    }
}

void HeadlessComboBox::setText(const std::string& text) {
    if (text == m_text) {
        return;
    }
    m_text = text;
    m_entries.chooseText(text);
    raise(onChange);
}

void HeadlessComboBox::type(const std::string& text) {
    for (const char c : text) {
        setText(m_text + c);
    }
}

void HeadlessOptionButton::setValue(bool value) {
    if (!value) {
        m_value = false;
        return;
    }
    for (HeadlessOptionButton* other : m_group) {
        if (other != this) {
            other->m_value = false;
        }
    }
    m_value = true;
    raise(onClick);
}

void HeadlessListBox::setListIndex(int index) {
    if (m_state.choose(index)) {
        raise(onClick);
    }
}

std::vector<std::string> HeadlessListBox::items() const {
    std::vector<std::string> names;
    for (int i = 0; i < listCount(); ++i) {
        names.push_back(list(i));
    }
    return names;
}

std::string HeadlessStatusBar::panelText(int panel) const {
    if (panel < 1 || panel > 2) {
        throw RunError(kInvalidProcedureCall);
    }
    return m_panels[panel - 1];
}

void HeadlessStatusBar::setPanelText(int panel, const std::string& text) {
    if (panel < 1 || panel > 2) {
        throw RunError(kInvalidProcedureCall);
    }
    m_panels[panel - 1] = text;
}

void HeadlessProgressBar::setValue(int value) {
    if (value < 0 || value > m_max) {
        throw RunError(kInvalidProcedureCall);
    }
    m_value = value;
    ++m_updates;
}

void HeadlessMenuItem::choose() {
    if (m_enabled) {
        raise(onClick);
    }
}

}  // namespace qm::platform
