// The history window over hand-laid tables: rows, place texts, colours, and the log's notifications.
#include <QFont>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "gui/frmHistory.h"
#include "tests/play/fixtures.h"

using namespace tess;
using namespace tess::fixture;

namespace
{

QColor ink(const QTreeWidgetItem *row, int column)
{
    return row->foreground(column).color();
}

// The list's default pen: no brush set on the row.
bool plain(const QTreeWidgetItem *row)
{
    for (int c = 0; c < 4; ++c)
        if (row->foreground(c).style() != Qt::NoBrush || row->font(c).bold())
            return false;
    return true;
}

} // namespace

TEST(History, CurrentEntryDarkRedAndBoldUndoneOlive)
{
    Table t("Klondike", {{Home, 0, {"KS"}}, {Home, 1, {"QH"}}, {Home, 2, {"JC"}}, {Home, 3, {"10D"}}});
    t.drag(t.find("QH"), Home, 0);
    t.drag(t.find("JC"), Home, 0);
    t.drag(t.find("10D"), Home, 0);
    ASSERT_TRUE(t.undo());
    frmHistory w(t.e);
    EXPECT_EQ(w.windowTitle(), "Game History");
    ASSERT_EQ(w.lvHistory->topLevelItemCount(), 3);
    const QTreeWidgetItem *r1 = w.lvHistory->topLevelItem(0), *r2 = w.lvHistory->topLevelItem(1),
                          *r3 = w.lvHistory->topLevelItem(2);
    EXPECT_EQ(r1->text(0), "1");
    EXPECT_EQ(r3->text(0), "3");
    EXPECT_TRUE(plain(r1));
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(ink(r2, c), QColor(128, 0, 0)) << c;
        EXPECT_TRUE(r2->font(c).bold()) << c;
        EXPECT_EQ(ink(r3, c), QColor(128, 128, 0)) << c;
        EXPECT_FALSE(r3->font(c).bold()) << c;
    }
    // Piles and cards count from 1: JC left the bottom of the third pile for the second
    // place of the first.
    EXPECT_EQ(r2->text(1), "Tableau (Pile 3, Card 1)");
    EXPECT_EQ(r2->text(2), "Tableau (Pile 1, Card 3)");
    EXPECT_EQ(r2->text(3), "1");
}

TEST(History, DealtRowIsSevenRowsAndARunIsOneRow)
{
    Table t("Spiderette",
            {{Home, 0, {"KS"}},
             {Home, 1, {"KH"}},
             {Home, 2, {"KD", "QC", "JC", "10C", "9C"}},
             {Home, 3, {"KC"}},
             {Home, 4, {"QS"}},
             {Home, 5, {"QH"}},
             {Home, 6, {"QD"}},
             {Stock, 0, {"#9S", "#9H", "#9D", "#8S", "#8H", "#8D", "#7S"}}},
            Rest::Nowhere);
    // QC to 9C carried: a run of four onto the King of the second pile, then a dealt row.
    t.drag(t.find("QC"), Home, 1);
    ASSERT_EQ(t.moves(), 1) << t.pile(Home, 1);
    t.pressStock();
    ASSERT_EQ(t.moves(), 8);
    frmHistory w(t.e);
    ASSERT_EQ(w.lvHistory->topLevelItemCount(), 8);
    const QTreeWidgetItem *run = w.lvHistory->topLevelItem(0);
    EXPECT_EQ(run->text(1), "Tableau (Pile 3, Card 2)");
    EXPECT_EQ(run->text(2), "Tableau (Pile 2, Card 2)");
    EXPECT_EQ(run->text(3), "4");
    for (int b = 1; b <= 7; ++b) {
        const QTreeWidgetItem *row = w.lvHistory->topLevelItem(b);
        EXPECT_EQ(row->text(0), QString::number(b + 1));
        EXPECT_EQ(row->text(1), "Stock (Pile 1, Card " + QString::number(8 - b) + ")") << b;
        EXPECT_TRUE(row->text(2).startsWith("Tableau (Pile " + QString::number(b) + ", Card ")) << b;
        EXPECT_EQ(row->text(3), "1");
    }
}

TEST(History, FollowsTheLogWhileOpenAndForgetsAGoneEngine)
{
    auto t = std::make_unique<Table>(
        "Klondike", std::vector<PileSpec>{{Home, 0, {"KS"}}, {Home, 1, {"QH"}}, {Home, 2, {"JC"}}});
    frmHistory w(t->e);
    EXPECT_EQ(w.lvHistory->topLevelItemCount(), 0);
    t->drag(t->find("QH"), Home, 0);
    t->drag(t->find("JC"), Home, 0);
    ASSERT_EQ(w.lvHistory->topLevelItemCount(), 2);
    EXPECT_TRUE(w.lvHistory->topLevelItem(1)->font(0).bold());
    ASSERT_TRUE(t->undo());
    EXPECT_TRUE(w.lvHistory->topLevelItem(0)->font(0).bold());
    EXPECT_EQ(ink(w.lvHistory->topLevelItem(1), 0), QColor(128, 128, 0));
    t->e.NewTrans(); // a new game's empty log
    EXPECT_EQ(w.lvHistory->topLevelItemCount(), 0);
    t.reset(); // the window outlives the engine at shut-down
    w.CreateLV();
    EXPECT_EQ(w.lvHistory->topLevelItemCount(), 0);
}
