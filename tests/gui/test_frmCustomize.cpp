// The Customize dialog over a real main window: what OK stores and repaints, what Cancel
// drops, what is stored at once, and the trees that offer the pictures.
#include <QColorDialog>
#include <QSettings>

#include <gtest/gtest.h>

#include "gui/frmCustomize.h"
#include "gui/frmMain.h"
#include "gui/table/cardTable.h"
#include "gui/table/pictures.h"
#include "store/appearance.h"
#include "tests/support/answer.h"
#include "tests/support/mainParts.h"
#include "tests/support/tempShared.h"

using namespace tess;
using tess::testing::action;
using tess::testing::caption;
using tess::testing::menuItem;
using namespace tess::testing;

namespace
{

struct Dialog : TempShared {
    std::unique_ptr<frmMain> w;
    std::unique_ptr<frmCustomize> c;
    Dialog()
    {
        // Pictures are compared at the design size.
        shared.Data->SetFitTable(0);
        w = std::make_unique<frmMain>(shared);
        w->table()->setAnimated(false);
        w->show();
        open();
    }
    void open()
    {
        c = std::make_unique<frmCustomize>(shared, w.get());
        c->show();
    }
    void choose(QTreeWidget *tree, int tag)
    {
        QTreeWidgetItem *node = frmCustomize::nodeOf(tree, tag);
        ASSERT_NE(node, nullptr) << tag;
        tree->setCurrentItem(node);
    }
    // The table as SetBG paints it for the given values.
    QImage expectedTable(int ind, int fade, i32 color) const
    {
        QImage img = w->table()->backgroundStrip();
        SetBG(ind, img, fade, color);
        return img;
    }
};

int childCount(const QTreeWidgetItem *node)
{
    int n = node->childCount() == 0 ? 1 : 0;
    for (int i = 0; i < node->childCount(); ++i)
        n += childCount(node->child(i));
    return n;
}

} // namespace

TEST(Customize, Wood03AndOkStoresTheTextureAndTilesTheTable)
{
    Dialog t;
    EXPECT_EQ(t.c->windowTitle(), "Customize");
    EXPECT_EQ(t.c->SSTab1->currentIndex(), 0);
    QTreeWidgetItem *wood3 = frmCustomize::nodeOf(t.c->tvBGround, 73);
    ASSERT_NE(wood3, nullptr);
    EXPECT_EQ(wood3->text(0), "Wood 03");
    EXPECT_EQ(wood3->parent()->text(0), "Wood");
    t.choose(t.c->tvBGround, 73);
    // A texture neither fades nor takes the custom colour.
    EXPECT_FALSE(t.c->cmdCustom->isEnabled());
    EXPECT_FALSE(t.c->chkFade->isEnabled());
    EXPECT_EQ(t.d().BGIndex(), kDefaultBGIndex); // nothing stored before OK
    t.c->cmdOK->click();
    EXPECT_EQ(t.d().BGIndex(), 73);
    EXPECT_EQ(t.w->table()->backgroundStrip(), t.expectedTable(73, t.d().Fade(), t.d().CustomColor()));
    EXPECT_NE(t.w->table()->backgroundStrip(), t.expectedTable(kDefaultBGIndex, 1, 128));
}

TEST(Customize, CancelDropsAChosenColourAndTheUntickedFade)
{
    Dialog t;
    const QImage before = t.w->table()->backgroundStrip();
    t.choose(t.c->tvBGround, 1001);
    EXPECT_EQ(frmCustomize::nodeOf(t.c->tvBGround, 1001)->text(0), "Blue");
    EXPECT_TRUE(t.c->chkFade->isEnabled());
    EXPECT_FALSE(t.c->cmdCustom->isEnabled());
    t.c->chkFade->click();
    EXPECT_EQ(t.c->pendingBG(), 1001);
    EXPECT_EQ(t.c->pendingFade(), 0);
    // The preview shows the pending choice: flat blue at the bottom.
    const QImage &preview = t.c->Picture1->image();
    EXPECT_EQ(QColor(preview.pixel(5, preview.height() - 2)), QColor(0, 0, 255));
    t.c->cmdCancel->click();
    EXPECT_EQ(t.d().BGIndex(), kDefaultBGIndex);
    EXPECT_EQ(t.d().Fade(), 1);
    EXPECT_EQ(t.w->table()->backgroundStrip(), before);
}

TEST(Customize, TheCustomColourIsStoredWholeAndPaintsTheTable)
{
    Dialog t;
    t.choose(t.c->tvBGround, kCustomColorIndex);
    EXPECT_TRUE(t.c->cmdCustom->isEnabled());
    whenModal([](QWidget *m) {
        auto *cd = qobject_cast<QColorDialog *>(m);
        if (!cd)
            return false;
        cd->setCurrentColor(QColor(0x00, 0x80, 0xFF)); // red 0, green 128, blue 255
        cd->accept();
        return true;
    });
    t.c->cmdCustom->click();
    EXPECT_EQ(t.c->pendingColor(), 0xFF8000);
    // The tree's swatch shows the colour just chosen, as the list draws it.
    QTreeWidgetItem *custom = frmCustomize::nodeOf(t.c->tvBGround, kCustomColorIndex);
    const QImage swatch = custom->icon(0).pixmap(QSize(16, 16)).toImage();
    EXPECT_EQ(QColor(swatch.pixel(8, 8)), QColor(0, 128, 255));
    t.c->cmdOK->click();
    EXPECT_EQ(t.d().CustomColor(), 0xFF8000);
    EXPECT_EQ(t.d().BGIndex(), kCustomColorIndex);
    // Read back by a fresh settings object from the same file.
    cData again(t.dir.filePath("t.conf"), t.dir.filePath("data"));
    EXPECT_EQ(again.CustomColor(), 0xFF8000);
    EXPECT_EQ(QColor(t.w->table()->backgroundStrip().pixel(3, 0)), QColor(0, 128, 255));

    // Cancelling the chooser keeps the colour chosen before.
    t.open();
    t.choose(t.c->tvBGround, kCustomColorIndex);
    whenModal([](QWidget *m) {
        auto *cd = qobject_cast<QColorDialog *>(m);
        if (!cd)
            return false;
        cd->setCurrentColor(Qt::white);
        cd->reject();
        return true;
    });
    t.c->cmdCustom->click();
    EXPECT_EQ(t.c->pendingColor(), 0xFF8000);
}

TEST(Customize, RangeAndShowOptionsAreStoredAtOnceAndSurviveCancel)
{
    Dialog t;
    ASSERT_EQ(t.c->imcRange->count(), 15);
    EXPECT_EQ(t.c->imcRange->itemText(0), "9");
    EXPECT_EQ(t.c->imcRange->itemText(14), "999,999,999,999,999");
    EXPECT_EQ(t.c->imcRange->currentIndex(), 14);
    t.c->imcRange->setCurrentIndex(3);
    emit t.c->imcRange->activated(3);
    EXPECT_EQ(t.c->imcRange->currentText(), "9,999");
    t.c->chkScore->click();
    t.c->chkTime->click();
    t.c->chkTime->click();
    t.c->cmdCancel->click();
    EXPECT_EQ(t.d().RangeIndex(), 4);
    EXPECT_EQ(t.d().ShowScore(), 0);
    EXPECT_EQ(t.d().ShowTime(), 1);
    EXPECT_EQ(t.d().ShowMoves(), 1);
    t.open();
    EXPECT_EQ(t.c->imcRange->currentIndex(), 3);
    EXPECT_FALSE(t.c->chkScore->isChecked());
}

TEST(Customize, SlidersAndSoundsAreStoredByOkOnly)
{
    Dialog t;
    // Defaults 5, 5, 2, 7 show as 45, 45, 48, 43.
    EXPECT_EQ(t.c->Slider[0]->value(), 45);
    EXPECT_EQ(t.c->Slider[2]->value(), 48);
    EXPECT_EQ(t.c->Slider[3]->value(), 43);
    t.c->Slider[0]->setValue(t.c->Slider[0]->minimum());
    t.c->Slider[3]->setValue(t.c->Slider[3]->maximum());
    ASSERT_EQ(t.c->lvSound->topLevelItemCount(), 7);
    QTreeWidgetItem *cardUp = t.c->lvSound->topLevelItem(1);
    QTreeWidgetItem *won = t.c->lvSound->topLevelItem(6);
    EXPECT_EQ(cardUp->text(0), "Card Up");
    EXPECT_EQ(cardUp->checkState(0), Qt::Unchecked);
    EXPECT_EQ(won->text(0), "Game Won");
    EXPECT_EQ(won->checkState(0), Qt::Checked);
    cardUp->setCheckState(0, Qt::Checked);
    won->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(t.d().CardSpeed(), 5);
    t.c->cmdOK->click();
    EXPECT_EQ(t.d().CardSpeed(), 50);
    EXPECT_EQ(t.d().ReplaySpeed(), 0);
    EXPECT_EQ(t.d().UndoSpeed(), 5);
    EXPECT_EQ(t.d().UndoallSpeed(), 2);
    EXPECT_EQ(t.d().get(Setting::SoundCardUp), -1);
    EXPECT_EQ(t.d().get(Setting::SoundWin), 0);
    EXPECT_EQ(t.d().get(Setting::SoundStart), -1);
}

TEST(Customize, ClearRecentIsOfferedOnlyWithARecentListAndAsksFirst)
{
    Dialog t;
    ASSERT_EQ(t.d().RecentCount(), 0);
    EXPECT_FALSE(t.c->cmdClearRecent->isEnabled());

    t.d().SetRecent("Klondike");
    t.open();
    ASSERT_TRUE(t.c->cmdClearRecent->isEnabled());
    Shown no;
    answerBox(&no, QMessageBox::No);
    t.c->cmdClearRecent->click();
    EXPECT_EQ(no.icon, QMessageBox::Question);
    EXPECT_EQ(no.title, "Tessaline");
    EXPECT_EQ(no.text, "Are you sure you want to clear the Recent Games List ?");
    EXPECT_EQ(no.byEnter, QMessageBox::No);
    EXPECT_EQ(t.d().RecentCount(), 1);
    EXPECT_TRUE(t.c->cmdClearRecent->isEnabled());

    Shown yes, told;
    answerBox(&yes, QMessageBox::Yes);
    answerBox(&told, QMessageBox::Ok);
    t.c->cmdClearRecent->click();
    EXPECT_EQ(t.d().RecentCount(), 0);
    EXPECT_FALSE(t.c->cmdClearRecent->isEnabled());
    EXPECT_EQ(told.icon, QMessageBox::Information);
    EXPECT_EQ(told.text, "Recent Games List has been Cleared.");
}

TEST(Customize, TheDeckTreeOffersFifteenBacksAndOkPutsTheChoiceOnTheCards)
{
    Dialog t;
    ASSERT_EQ(t.c->tvDeck->topLevelItemCount(), 1);
    QTreeWidgetItem *root = t.c->tvDeck->topLevelItem(0);
    EXPECT_EQ(root->text(0), "Decks");
    EXPECT_EQ(childCount(root), 15);
    EXPECT_EQ(frmCustomize::nodeOf(t.c->tvDeck, 545), nullptr);
    EXPECT_EQ(frmCustomize::nodeOf(t.c->tvDeck, 512)->text(0), "Garden 02");
    EXPECT_EQ(t.c->tvDeck->currentItem(), frmCustomize::nodeOf(t.c->tvDeck, kDefaultDeckIndex));
    // Every back a user can see in the tree shows its picture.
    QTreeWidgetItem *flowers1 = frmCustomize::nodeOf(t.c->tvDeck, 501);
    EXPECT_FALSE(frmCustomize::nodeOf(t.c->tvDeck, kDefaultDeckIndex)->icon(0).isNull());
    flowers1->parent()->setExpanded(true);
    EXPECT_FALSE(flowers1->icon(0).isNull());

    const qreal dpr = t.w->table()->devicePixelRatioF();
    t.choose(t.c->tvDeck, 512);
    EXPECT_EQ(t.c->PicDeck->shownPicture(), GetPic(512, t.c->devicePixelRatioF()));
    EXPECT_EQ(t.w->table()->PicCards[0]->shownPicture(), DeckPic(kDefaultDeckIndex, dpr));
    t.c->cmdOK->click();
    EXPECT_EQ(t.d().DeckIndex(), 512);
    EXPECT_EQ(t.w->table()->PicCards[0]->shownPicture(), GetPic(512, dpr));
    EXPECT_EQ(t.w->table()->PicCards[103]->shownPicture(), GetPic(512, dpr));
}

TEST(Customize, TheBackgroundTreeListsColoursAndTexturesByName)
{
    Dialog t;
    QTreeWidgetItem *root = t.c->tvBGround->topLevelItem(0);
    ASSERT_EQ(root->text(0), "Backgrounds");
    ASSERT_EQ(root->childCount(), 9);
    QTreeWidgetItem *colors = root->child(0);
    EXPECT_EQ(colors->text(0), "Colors");
    ASSERT_EQ(colors->childCount(), 21);
    EXPECT_EQ(colors->child(0)->text(0), "Custom Color");
    EXPECT_EQ(colors->child(20)->text(0), "Purple");
    EXPECT_EQ(frmCustomize::nodeOf(t.c->tvBGround, 1021), nullptr);
    EXPECT_EQ(childCount(root), 21 + 33);
    // The stored background is the one selected, its group opened.
    EXPECT_EQ(frmCustomize::tagOf(t.c->tvBGround->currentItem()), kDefaultBGIndex);
    EXPECT_TRUE(colors->isExpanded());
    // A group node chooses nothing and leaves both controls off.
    t.c->tvBGround->setCurrentItem(root->child(8));
    EXPECT_EQ(t.c->pendingBG(), kDefaultBGIndex);
    EXPECT_FALSE(t.c->chkFade->isEnabled());
}

TEST(Customize, ToolsCustomizeOpensTheDialog)
{
    Dialog t;
    t.c.reset();
    t.w->RefreshMenus();
    ASSERT_TRUE(menuItem(t.w, "mTools", 1)->isEnabled());
    bool seen = false;
    whenModal([&seen](QWidget *m) {
        auto *dlg = qobject_cast<frmCustomize *>(m);
        if (!dlg)
            return false;
        seen = dlg->isModal();
        dlg->cmdCancel->click();
        return true;
    });
    menuItem(t.w, "mTools", 1)->trigger();
    EXPECT_TRUE(seen);
}
