#include "platform/qt/QtControls.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QtDebug>
#include <algorithm>
#include <exception>

#include "base/RunError.h"
#include "base/Text.h"
#include "platform/qt/QtAccessibility.h"
#include "platform/qt/QtText.h"

namespace qm::platform {

namespace {

QRect toQRect(const Rect& r) {
    return QRect(r.left, r.top, r.width, r.height);
}

// A 1-pixel line between two points of its parent, drawn over what lies below it.
class LineWidget : public QWidget {
  public:
    explicit LineWidget(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
    }
    // Ends in the parent's coordinates.
    void setEnds(const QPoint& from, const QPoint& to) {
        const QRect box = QRect(from, to).normalized();
        m_from = from - box.topLeft();
        m_to = to - box.topLeft();
        setGeometry(box.adjusted(0, 0, 1, 1));
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
        painter.drawLine(m_from, m_to);
    }

  private:
    QPoint m_from;
    QPoint m_to;
};

// An option frame with its caption on the top edge, as the layout's positions assume: a style
// that puts the caption above the box pushes the edge down onto the first option.
class FrameWidget : public QGroupBox {
  public:
    FrameWidget(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QFontMetrics metrics = fontMetrics();
        const QColor window = palette().color(QPalette::Window);
        const QRectF box = QRectF(rect()).adjusted(0.5, metrics.height() / 2 + 0.5, -0.5, -0.5);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(window.darker(140));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(box, 2, 2);
        if (title().isEmpty()) {
            return;
        }
        const QRect caption(6, 0, std::min(metrics.horizontalAdvance(title()), width() - 12),
                            metrics.height());
        painter.fillRect(caption, window);
        style()->drawItemText(&painter, caption,
                              Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, palette(),
                              isEnabled(), title(), QPalette::WindowText);
    }
};

// Two text panels along the bottom edge; the last one takes the width the others leave.
class StatusBarWidget : public QWidget {
  public:
    StatusBarWidget(QWidget* parent, std::vector<int> widths, int panels)
        : QWidget(parent), m_widths(std::move(widths)) {
        setFocusPolicy(Qt::NoFocus);
        setAccessibleRole(this, QAccessible::StatusBar);
        for (int i = 0; i < panels; ++i) {
            auto* panel = new QLabel(this);
            panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            panel->setTextFormat(Qt::PlainText);
            panel->setMargin(2);
            panel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            m_panels.push_back(panel);
        }
    }
    QLabel* panel(int index) const { return m_panels[static_cast<std::size_t>(index)]; }

  protected:
    void resizeEvent(QResizeEvent*) override {
        int left = 0;
        for (std::size_t i = 0; i < m_panels.size(); ++i) {
            const bool last = i + 1 == m_panels.size();
            const int panelWidth = last || i >= m_widths.size() ? width() - left : m_widths[i];
            m_panels[i]->setGeometry(left, 2, std::max(panelWidth - 2, 0), height() - 2);
            left += panelWidth;
        }
    }

  private:
    std::vector<int> m_widths;
    std::vector<QLabel*> m_panels;
};

// An editable drop-down list whose own choice as the focus leaves can be told apart: Qt chooses
// the entry that matches the edit text then, which the user did not choose from the list.
class EditableComboBox : public QComboBox {
  public:
    using QComboBox::QComboBox;
    bool leaving() const { return m_leaving; }

  protected:
    void focusOutEvent(QFocusEvent* event) override {
        m_leaving = true;
        QComboBox::focusOutEvent(event);
        m_leaving = false;
    }

  private:
    bool m_leaving = false;
};

}  // namespace

void raiseFromUser(const std::function<void()>& handler) {
    try {
        raise(handler);
    } catch (const std::exception& e) {
        qWarning("unhandled error in an event handler: %s", e.what());
    }
}

QtControlBase::QtControlBase(const ControlDesign& design, QWidget* widget)
    : m_widget(widget),
      m_receiver(std::make_unique<QObject>()),
      m_name(design.name),
      m_typeName(typeNameOf(design.kind)),
      m_toolTip(design.toolTip),
      m_tabIndex(design.tabIndex) {
    m_widget->setObjectName(toQString(design.name));
    m_widget->setGeometry(toQRect(design.rect));
    m_widget->setToolTip(toQString(design.toolTip));
    if (!design.initiallyVisible) {
        m_widget->hide();
    }
}

QtControlBase::~QtControlBase() = default;

// Enabled and Visible are the control's own settings, not what its container makes of them.
bool QtControlBase::enabled() const {
    return !m_widget->testAttribute(Qt::WA_ForceDisabled);
}

void QtControlBase::setEnabled(bool enabled) {
    m_widget->setEnabled(enabled);
}

bool QtControlBase::visible() const {
    return !m_widget->isHidden();
}

void QtControlBase::setVisible(bool visible) {
    m_widget->setVisible(visible);
    if (visible) {
        // A control shown in another's place (the progress bar over the status bar) comes on top.
        m_widget->raise();
    }
}

void QtControlBase::setFocus() {
    m_widget->setFocus(Qt::OtherFocusReason);
}

Rect QtControlBase::geometry() const {
    const QRect r = m_widget->geometry();
    return Rect{r.x(), r.y(), r.width(), r.height()};
}

void QtControlBase::setGeometry(const Rect& rect) {
    m_widget->setGeometry(toQRect(rect));
}

void QtControlBase::setToolTip(const std::string& text) {
    m_toolTip = text;
    m_widget->setToolTip(displayQString(text));
}

QtLabel::QtLabel(const ControlDesign& design, QWidget* parent)
    : QtControlBase(design, new QLabel(parent)) {
    QLabel* l = label();
    l->setTextFormat(Qt::PlainText);
    l->setWordWrap(true);
    l->setAlignment((design.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    // Labels paint their own background, so they stay readable over a painted window.
    l->setAutoFillBackground(true);
    l->setFocusPolicy(Qt::NoFocus);
    setCaption(design.caption);
}

QLabel* QtLabel::label() const {
    return static_cast<QLabel*>(m_widget);
}

void QtLabel::setCaption(const std::string& caption) {
    m_caption = caption;
    label()->setText(linesQString(text::displayForm(caption)));
}

QtFrame::QtFrame(const ControlDesign& design, QWidget* parent)
    : QtControlBase(design, new FrameWidget(toQString(design.caption), parent)),
      m_caption(design.caption) {
    m_widget->setFocusPolicy(Qt::NoFocus);
}

QtButton::QtButton(const ControlDesign& design, QWidget* parent, bool dialogButton)
    : QtControlBase(design, new QPushButton(toQString(design.caption), parent)),
      m_caption(design.caption) {
    button()->setAutoDefault(dialogButton);
    button()->setDefault(design.defaultButton);
    QObject::connect(button(), &QPushButton::clicked, receiver(),
                     [this] { raiseFromUser(onClick); });
}

QPushButton* QtButton::button() const {
    return static_cast<QPushButton*>(m_widget);
}

QtTextBox::QtTextBox(const ControlDesign& design, QWidget* parent)
    : QtControlBase(design, new QLineEdit(parent)) {
    lineEdit()->setText(toQString(design.caption));
    QObject::connect(lineEdit(), &QLineEdit::textEdited, receiver(), [this] {
        if (!m_programChange) {
            raiseFromUser(onChange);
        }
    });
}

QLineEdit* QtTextBox::lineEdit() const {
    return static_cast<QLineEdit*>(m_widget);
}

std::string QtTextBox::text() const {
    return fromQString(lineEdit()->text());
}

void QtTextBox::setText(const std::string& text) {
    {
        const ProgramChange change(m_programChange);
        lineEdit()->setText(toQString(text));
        lineEdit()->setCursorPosition(static_cast<int>(lineEdit()->text().size()));
    }
    raise(onChange);
}

int QtTextBox::selStart() const {
    const QLineEdit* edit = lineEdit();
    const int position = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    return charactersBefore(edit->text(), position);
}

int QtTextBox::selLength() const {
    const QLineEdit* edit = lineEdit();
    if (!edit->hasSelectedText()) {
        return 0;
    }
    const QString text = edit->text();
    return charactersBefore(text, edit->selectionEnd()) -
           charactersBefore(text, edit->selectionStart());
}

void QtTextBox::setSelection(int start, int length) {
    QLineEdit* edit = lineEdit();
    const QString text = edit->text();
    const int count = charactersBefore(text, static_cast<int>(text.size()));
    start = std::clamp(start, 0, count);
    length = std::clamp(length, 0, count - start);
    const int from = utf16Position(text, start);
    const int to = utf16Position(text, start + length);
    if (to == from) {
        edit->setCursorPosition(from);
    } else {
        edit->setSelection(from, to - from);
    }
}

std::string QtTextBox::selText() const {
    return fromQString(lineEdit()->selectedText());
}

void QtTextBox::setSelText(const std::string& text) {
    {
        const ProgramChange change(m_programChange);
        lineEdit()->insert(toQString(text));
    }
    raise(onChange);
}

QtComboBox::QtComboBox(const ControlDesign& design, QWidget* parent)
    : QtControlBase(design, new EditableComboBox(parent)) {
    auto* box = static_cast<EditableComboBox*>(comboBox());
    box->setEditable(true);
    // The edit text is the user's: no entries added from it and no completion typed into it,
    // so "*.t" stays "*.t" while a "*.txt" entry exists.
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    box->setCurrentIndex(-1);
    QObject::connect(box, &QComboBox::activated, receiver(), [this, box](int index) {
        if (m_programChange || box->leaving() || index < 0 || index >= listCount()) {
            return;
        }
        m_entries.choose(index);
        raiseFromUser(onClick);
    });
    QObject::connect(box->lineEdit(), &QLineEdit::textEdited, receiver(), [this] {
        if (m_programChange) {
            return;
        }
        m_entries.chooseText(text());
        raiseFromUser(onChange);
    });
}

QComboBox* QtComboBox::comboBox() const {
    return static_cast<QComboBox*>(m_widget);
}

void QtComboBox::setEditText(const std::string& text) {
    comboBox()->setEditText(toQString(text));
}

void QtComboBox::clear() {
    const ProgramChange change(m_programChange);
    const std::string kept = text();
    comboBox()->clear();
    m_entries.clear();
    setEditText(kept);
}

void QtComboBox::addItem(const std::string& item) {
    const ProgramChange change(m_programChange);
    const std::string kept = text();
    m_entries.add(item);
    comboBox()->addItem(toQString(item));
    // Qt chooses the first entry of an empty list by itself; the list box meaning chooses none.
    if (comboBox()->currentIndex() != m_entries.index()) {
        comboBox()->setCurrentIndex(m_entries.index());
        setEditText(kept);
    }
}

void QtComboBox::setListIndex(int index) {
    m_entries.choose(index);
    if (index < 0) {
        return;
    }
    {
        const ProgramChange change(m_programChange);
        comboBox()->setCurrentIndex(index);
        setEditText(m_entries.at(index));
    }
    raise(onClick);
}

std::string QtComboBox::text() const {
    return fromQString(comboBox()->currentText());
}

void QtComboBox::setText(const std::string& text) {
    if (text == this->text()) {
        return;
    }
    {
        const ProgramChange change(m_programChange);
        setEditText(text);
    }
    m_entries.chooseText(text);
    raise(onChange);
}

QtOptionButton::QtOptionButton(const ControlDesign& design, QWidget* parent)
    : QtControlBase(design, new QRadioButton(toQString(design.caption), parent)),
      m_caption(design.caption) {
    radioButton()->setChecked(design.initiallyChosen);
    QObject::connect(radioButton(), &QRadioButton::clicked, receiver(), [this] {
        if (!m_programChange) {
            raiseFromUser(onClick);
        }
    });
}

QRadioButton* QtOptionButton::radioButton() const {
    return static_cast<QRadioButton*>(m_widget);
}

bool QtOptionButton::value() const {
    return radioButton()->isChecked();
}

void QtOptionButton::setValue(bool value) {
    if (!value) {
        // An exclusive group keeps its chosen button; clearing one means leaving the group
        // without a choice for a moment.
        const bool exclusive = m_group != nullptr && m_group->exclusive();
        if (exclusive) {
            m_group->setExclusive(false);
        }
        radioButton()->setChecked(false);
        if (exclusive) {
            m_group->setExclusive(true);
        }
        return;
    }
    {
        const ProgramChange change(m_programChange);
        radioButton()->setChecked(true);
    }
    raise(onClick);
}

QtStatusBar::QtStatusBar(const ControlDesign& design, QWidget* parent,
                         const std::vector<int>& panelWidths)
    : QtControlBase(design, new StatusBarWidget(parent, panelWidths, 2)), m_texts(2) {}

QLabel* QtStatusBar::panel(int panel) const {
    return static_cast<StatusBarWidget*>(m_widget)->panel(panel - 1);
}

std::string QtStatusBar::panelText(int panel) const {
    if (panel < 1 || panel > static_cast<int>(m_texts.size())) {
        throw RunError(kInvalidProcedureCall);
    }
    return m_texts[static_cast<std::size_t>(panel - 1)];
}

void QtStatusBar::setPanelText(int panel, const std::string& text) {
    if (panel < 1 || panel > static_cast<int>(m_texts.size())) {
        throw RunError(kInvalidProcedureCall);
    }
    m_texts[static_cast<std::size_t>(panel - 1)] = text;
    this->panel(panel)->setText(displayQString(text));
}

QtProgressBar::QtProgressBar(const ControlDesign& design, QWidget* parent)
    : QtControlBase(design, new QProgressBar(parent)) {
    progressBar()->setTextVisible(false);
    progressBar()->setRange(0, m_max);
    progressBar()->setValue(0);
}

QProgressBar* QtProgressBar::progressBar() const {
    return static_cast<QProgressBar*>(m_widget);
}

void QtProgressBar::setMax(int max) {
    m_max = max;
    progressBar()->setRange(0, std::max(max, 1));
}

void QtProgressBar::setValue(int value) {
    if (value < 0 || value > m_max) {
        throw RunError(kInvalidProcedureCall);
    }
    m_value = value;
    QProgressBar* bar = progressBar();
    bar->setValue(value);
    // A rename run does not return to the event loop until it ends, so the bar paints itself
    // now, but only when the filled part has grown by a pixel: thousands of files stay cheap.
    const int painted =
        m_max > 0 ? static_cast<int>(static_cast<long long>(bar->width()) * value / m_max) : 0;
    if (painted != m_paintedWidth && bar->isVisible()) {
        m_paintedWidth = painted;
        bar->repaint();
    }
}

QtLine::QtLine(const ControlDesign& design, QWidget* parent)
    : QtControlBase(design, new LineWidget(parent)) {
    const Rect& r = design.rect;
    setEnds(r.left, r.top, r.left + r.width, r.top + r.height);
}

void QtLine::setEnds(int x1, int y1, int x2, int y2) {
    m_ends = Rect{x1, y1, x2, y2};
    static_cast<LineWidget*>(m_widget)->setEnds(QPoint(x1, y1), QPoint(x2, y2));
}

Rect QtLine::geometry() const {
    return Rect{std::min(m_ends.left, m_ends.width), std::min(m_ends.top, m_ends.height),
                std::abs(m_ends.width - m_ends.left), std::abs(m_ends.height - m_ends.top)};
}

void QtLine::setGeometry(const Rect& rect) {
    setEnds(rect.left, rect.top, rect.left + rect.width, rect.top + rect.height);
}

QtMenuItem::QtMenuItem(const MenuDesign& design, QAction* action, QMenu* menu)
    : m_design(design), m_action(action), m_menu(menu), m_receiver(std::make_unique<QObject>()) {
    if (menu != nullptr) {
        // A menu's own event is its opening: the Edit menu works out its items' states then.
        QObject::connect(menu, &QMenu::aboutToShow, m_receiver.get(),
                         [this] { raiseFromUser(onClick); });
    } else {
        QObject::connect(action, &QAction::triggered, m_receiver.get(),
                         [this] { raiseFromUser(onClick); });
    }
}

QtMenuItem::~QtMenuItem() = default;

bool QtMenuItem::enabled() const {
    return m_action != nullptr && m_action->isEnabled();
}

void QtMenuItem::setEnabled(bool enabled) {
    if (m_action != nullptr) {
        m_action->setEnabled(enabled);
    }
}

bool QtMenuItem::visible() const {
    return m_action != nullptr && m_action->isVisible();
}

}  // namespace qm::platform
