// The preview's two lists over shared rows: level rows whatever is marked, the marks and their
// reasons as tooltips and as what a screen reader is given, each list named by the label made
// right before it.
#include <gtest/gtest.h>
#include <algorithm>

#include <QAccessible>
#include <QLabel>
#include <QListView>
#include <QTest>

#include "frame/bForms.h"
#include "mainwindow/frmPreview.h"
#include "platform/qt/QtPreviewList.h"
#include "tests/gui/GuiSupport.h"
#include "tests/support/RecordingReporter.h"

namespace qm::platform {
namespace {

class PreviewLists : public ::testing::Test {
  protected:
    test::GuiWorld world;
    test::RecordingReporter errors;
    bForms forms{errors, world.ui.pointer(), world.ui.clipboard()};
    frmPreview preview{world.ui.createPreviewWindow(), forms};
    PreviewControls& c = preview.controls();
    QListView* before = dynamic_cast<QtListBox&>(*c.lstBefore).view();
    QListView* after = dynamic_cast<QtListBox&>(*c.lstAfter).view();

    void fill(int rows, int markEvery) {
        for (int i = 0; i < rows; ++i) {
            c.rows->add("IMG_" + std::to_string(i) + ".JPG", "Holiday " + std::to_string(i));
            if (markEvery > 0 && i % markEvery == markEvery - 1) {
                c.rows->setWarning(i, "taken " + std::to_string(i));
            }
        }
        c.window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(after->window()));
    }
    static QRect rowRect(QListView* list, int row) {
        return list->visualRect(list->model()->index(row, 0));
    }
};

TEST_F(PreviewLists, RowsStayLevelWhateverIsMarked) {
    for (const int markEvery : {0, 4, 1}) {
        SCOPED_TRACE(markEvery);
        c.rows->clear();
        fill(12, markEvery);
        QCoreApplication::processEvents();
        ASSERT_EQ(after->model()->rowCount(), 12);
        const int height = rowRect(before, 0).height();
        EXPECT_GE(height, after->iconSize().height());
        for (int row = 0; row < 12; ++row) {
            EXPECT_EQ(rowRect(after, row).height(), height) << row;
            EXPECT_EQ(rowRect(after, row).top(), rowRect(before, row).top()) << row;
        }
    }
}

TEST_F(PreviewLists, AMarkShowsAndIsSpokenAndEachListIsNamedByItsLabel) {
    fill(4, 2);
    const QModelIndex marked = after->model()->index(1, 0);
    const QModelIndex plain = after->model()->index(0, 0);
    EXPECT_EQ(marked.data(Qt::ToolTipRole).toString(), QStringLiteral("taken 1"));
    EXPECT_FALSE(marked.data(Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_NE(marked.data(Qt::ForegroundRole), plain.data(Qt::ForegroundRole));
    EXPECT_FALSE(plain.data(Qt::ToolTipRole).isValid() || plain.data(Qt::DecorationRole).isValid());
    EXPECT_FALSE(before->model()->index(1, 0).data(Qt::DecorationRole).isValid());
    struct Expected {
        QListView* list;
        const char* name;
        const char* row1;
    };
    for (const Expected& e : {Expected{before, "Original Filenames", "IMG_1.JPG"},
                              Expected{after, "New Filenames", "Holiday 1, warning: taken 1"}}) {
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(e.list);
        EXPECT_EQ(list->text(QAccessible::Name), QString::fromUtf8(e.name));
        EXPECT_EQ(list->child(1)->text(QAccessible::Name), QString::fromUtf8(e.row1));
        const auto labels = e.list->parentWidget()->findChildren<QLabel*>();
        EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [&](const QLabel* label) {
            return label->buddy() == e.list && label->text() == QString::fromUtf8(e.name);
        })) << e.name;
    }
}

}  // namespace
}  // namespace qm::platform
