// Message boxes answered by a timer standing in for the user: the style's buttons, icon and
// default, the result of each button, Escape giving the safe answer, and text never markup.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "platform/qt/QtMessageBox.h"

namespace qm::platform {
namespace {

// What a box showed, and the answer it gave.
struct Seen {
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QList<QMessageBox::StandardButton> buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    MessageResult result{};
};

// Shows a box whose text holds markup and a CR LF and, once it is up, records it and presses
// `press` (or Escape for NoButton).
Seen answer(int style, QMessageBox::StandardButton press) {
    Seen seen;
    QTimer::singleShot(0, [&seen, press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen.text = box->text();
        seen.format = box->textFormat();
        seen.icon = box->icon();
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
    seen.result =
        QtMessageBox().show("Can't rename <b>a.txt</b>\r\nSecond line", style, "Quillmote Utility");
    return seen;
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
        const Seen seen = answer(row.style, row.press);
        EXPECT_EQ(seen.result, row.result);
        QList<B::StandardButton> expected = row.buttons;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(seen.buttons, expected);
        EXPECT_EQ(seen.icon, row.icon);
        EXPECT_EQ(seen.defaultButton, row.defaultButton);
        // The text as it is, never as markup, with its line break.
        EXPECT_EQ(seen.format, Qt::PlainText);
        EXPECT_EQ(seen.text, QString("Can't rename <b>a.txt</b>\nSecond line"));
    }
}

}  // namespace
}  // namespace qm::platform
