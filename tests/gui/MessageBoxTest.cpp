// Message boxes answered by a timer standing in for the user: the style's buttons, icon and
// default, the result of each button, and Escape giving the safe answer.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "platform/qt/QtMessageBox.h"

namespace qm::platform {
namespace {

struct Seen {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QList<QMessageBox::StandardButton> buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    Qt::TextFormat format = Qt::AutoText;
};

// Shows a box and, once it is up, records it and presses `press` (or Escape for NoButton).
MessageResult answer(int style, QMessageBox::StandardButton press, Seen& seen,
                     const std::string& text = "Disk full",
                     const std::string& title = "Quillmote Utility") {
    QTimer::singleShot(0, [&seen, press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.format = box->textFormat();
        for (QAbstractButton* b : box->buttons()) {
            seen.buttons << box->standardButton(b);
        }
        std::sort(seen.buttons.begin(), seen.buttons.end());
        if (box->defaultButton() != nullptr) {
            seen.defaultButton = box->standardButton(box->defaultButton());
        }
        if (press == QMessageBox::NoButton) {
            QTest::keyClick(box, Qt::Key_Escape);
        } else {
            box->button(press)->click();
        }
    });
    QtMessageBox boxes;
    return boxes.show(text, style, title);
}

TEST(QtMessageBoxTest, EachStyleOffersItsButtonsIconAndDefault) {
    using B = QMessageBox;
    struct Row {
        int style;
        QList<B::StandardButton> buttons;
        B::Icon icon;
        B::StandardButton defaultButton;
        B::StandardButton press;
        MessageResult result;
    };
    // The style numbers of the description; Escape (NoButton) gives the answer that changes
    // nothing.
    const std::vector<Row> rows = {
        {0, {B::Ok}, B::NoIcon, B::Ok, B::Ok, MessageResult::Ok},
        {0, {B::Ok}, B::NoIcon, B::Ok, B::NoButton, MessageResult::Ok},
        {5, {B::Cancel, B::Retry}, B::NoIcon, B::Retry, B::Retry, MessageResult::Retry},
        {5, {B::Cancel, B::Retry}, B::NoIcon, B::Retry, B::Cancel, MessageResult::Cancel},
        {16, {B::Ok}, B::Critical, B::Ok, B::Ok, MessageResult::Ok},
        {21, {B::Cancel, B::Retry}, B::Critical, B::Retry, B::Retry, MessageResult::Retry},
        {21, {B::Cancel, B::Retry}, B::Critical, B::Retry, B::NoButton, MessageResult::Cancel},
        {36, {B::Yes, B::No}, B::Question, B::Yes, B::Yes, MessageResult::Yes},
        {36, {B::Yes, B::No}, B::Question, B::Yes, B::No, MessageResult::No},
        {36, {B::Yes, B::No}, B::Question, B::Yes, B::NoButton, MessageResult::No},
        {48, {B::Ok}, B::Warning, B::Ok, B::Ok, MessageResult::Ok},
        {64, {B::Ok}, B::Information, B::Ok, B::Ok, MessageResult::Ok},
        {1, {B::Ok, B::Cancel}, B::NoIcon, B::Ok, B::Cancel, MessageResult::Cancel},
        {36 | 0x100, {B::Yes, B::No}, B::Question, B::No, B::Yes, MessageResult::Yes},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.style);
        Seen seen;
        EXPECT_EQ(answer(row.style, row.press, seen), row.result);
        QList<B::StandardButton> expected = row.buttons;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(seen.buttons, expected);
        EXPECT_EQ(seen.icon, row.icon);
        EXPECT_EQ(seen.defaultButton, row.defaultButton);
    }
}

TEST(QtMessageBoxTest, TitleAsGivenAndTextNeverMarkup) {
    Seen seen;
    answer(16, QMessageBox::Ok, seen, "Can't rename <b>a.txt</b>\r\nSecond line",
           "Quillmote Utility");
    EXPECT_EQ(seen.title, QString("Quillmote Utility"));
    EXPECT_EQ(seen.format, Qt::PlainText);
    EXPECT_EQ(seen.text, QString("Can't rename <b>a.txt</b>\nSecond line"));
}

}  // namespace
}  // namespace qm::platform
