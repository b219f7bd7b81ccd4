// The card and marker controls, and the table mirroring the engine.
#include <tuple>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "gui/table/cardTable.h"
#include "gui/table/pictures.h"
#include "gui/table/tavCard.h"
#include "model/cards.h"
#include "play/engine.h"
#include "store/cData.h"

using namespace tess;

namespace
{

QImage solid(QColor c)
{
    QImage img(71, 96, QImage::Format_ARGB32);
    img.fill(c);
    return img;
}

} // namespace

TEST(TavCard, RedrawsOnlyWhenSomethingChanges)
{
    TavCard card(0, nullptr);
    EXPECT_EQ(card.FaceMode(), 1);
    EXPECT_EQ(card.Num(), 0);
    card.DeckPic(solid(Qt::blue));
    card.MainPic(solid(QColor(10, 200, 30)));
    const int base = card.redrawCount();
    card.setFaceMode(1);
    card.setSelected(0);
    EXPECT_EQ(card.redrawCount(), base);
    card.setFaceMode(0);
    EXPECT_EQ(card.redrawCount(), base + 1);
    card.setSelected(-1);
    EXPECT_EQ(card.redrawCount(), base + 2);
    card.setSelected(-1);
    EXPECT_EQ(card.redrawCount(), base + 2);
}

TEST(TavCard, SelectionInvertsFacesButNeverBacks)
{
    TavCard card(0, nullptr);
    card.DeckPic(solid(Qt::blue));
    card.MainPic(solid(QColor(10, 200, 30)));
    card.setSelected(-1);
    // Face down and selected: the back shows unchanged.
    EXPECT_EQ(card.shownPicture().pixelColor(5, 5), QColor(Qt::blue));
    card.setFaceMode(0);
    EXPECT_EQ(card.shownPicture().pixelColor(5, 5), QColor(245, 55, 225));
    card.setSelected(0);
    EXPECT_EQ(card.shownPicture().pixelColor(5, 5), QColor(10, 200, 30));
}

TEST(TavCard, EmptyPictureKeepsTheOldOne)
{
    TavCard card(0, nullptr);
    card.DeckPic(solid(Qt::red));
    card.DeckPic(QImage());
    EXPECT_EQ(card.shownPicture().pixelColor(1, 1), QColor(Qt::red));
    TavEmpty marker(nullptr);
    marker.Pic(solid(Qt::gray));
    marker.Pic(QImage());
    EXPECT_EQ(marker.picture().pixelColor(1, 1), QColor(Qt::gray));
    marker.setMode(3);
    EXPECT_EQ(marker.property("Mode").toInt(), 3);
}

TEST(CardTable, MirrorsTheEngineAndHidesEverything)
{
    QTemporaryDir dir;
    cData data(dir.filePath("t.conf"), dir.path());
    Engine e;
    CardTable table(e, data);
    e.setView(&table);
    table.CreateCardControls();
    ASSERT_EQ(table.PicCards.size(), 104);
    ASSERT_EQ(table.PicHome.size(), 18);
    ASSERT_EQ(table.PicRight.size(), 8);
    ASSERT_EQ(table.PicRes.size(), 10);
    ASSERT_EQ(table.PicWaste.size(), 1);
    ASSERT_NE(table.PicStock, nullptr);
    e.NewGame("Klondike", 1);

    for (int p = 0; p < 52; ++p) {
        const CardState &s = e.card(p);
        const TavCard *c = table.PicCards[p];
        EXPECT_EQ(c->Num(), s.Num);
        EXPECT_EQ(c->Suit(), s.Suit);
        EXPECT_EQ(c->FaceMode(), s.FaceMode);
        EXPECT_EQ(c->Cell(), s.Cell);
        EXPECT_EQ(c->Pos(), s.Pos);
        EXPECT_EQ(c->pos(), QPoint(static_cast<int>(roundHalfEven(s.Left / 15)),
                                   static_cast<int>(roundHalfEven(s.Top / 15))))
            << p;
        EXPECT_FALSE(c->isHidden());
    }
    for (int p = 52; p < 104; ++p)
        EXPECT_TRUE(table.PicCards[p]->isHidden());
    // Klondike shows Kings on its empty tableau places and Aces on its foundations.
    EXPECT_EQ(table.PicHome[0]->kind, 12);
    EXPECT_EQ(table.PicRight[3]->kind, 0);
    EXPECT_EQ(table.PicStock->kind, 16);
    EXPECT_FALSE(table.PicWaste[0]->isHidden());
    EXPECT_TRUE(table.PicRes[0]->isHidden());
    // A marker lies at its pile's first place.
    EXPECT_EQ(table.PicRight[2]->pos(),
              QPoint(static_cast<int>(roundHalfEven(e.Array.CordX(Goal, 2, 0) / 15.0)),
                     static_cast<int>(roundHalfEven(e.Array.CordY(Goal, 2, 0) / 15.0))));
    // The top card of pile 6 shows its face, the one below its back.
    EXPECT_EQ(table.PicCards[e.Array.GetTopPicID(Home, 6)]->shownPicture(),
              MainPic(e.card(e.Array.GetTopPicID(Home, 6)).FacePic, table.devicePixelRatioF()));

    e.HideAll();
    for (const TavCard *c : table.PicCards) {
        EXPECT_TRUE(c->isHidden());
        EXPECT_EQ(c->Cell(), 0);
        EXPECT_EQ(c->Pile(), 0);
        EXPECT_EQ(c->Pos(), 0);
        EXPECT_EQ(c->Num(), 0);
    }
    for (const TavEmpty *m : table.PicHome)
        EXPECT_TRUE(m->isHidden());
    EXPECT_TRUE(table.PicStock->isHidden());
}

TEST(CardTable, ShowsTheWholeBackgroundFromAStripAndFacesOnlyWhenShown)
{
    QTemporaryDir dir;
    cData data(dir.filePath("t.conf"), dir.path());
    Engine e;
    CardTable table(e, data);
    // A texture, a faded gradient, the custom colour flat.
    for (const auto &[ind, fade, custom] :
         {std::tuple{21, 1, 0}, std::tuple{1007, 1, 0}, std::tuple{1000, 0, 0x563412}}) {
        table.SetBG(ind, fade, custom);
        QImage whole(table.size(), QImage::Format_RGB32);
        SetBG(ind, whole, fade, custom);
        EXPECT_EQ(table.grab().toImage().convertToFormat(QImage::Format_RGB32), whole) << ind;
        // What stays in memory is a strip, not a picture of the table.
        EXPECT_LE(table.backgroundStrip().sizeInBytes(), whole.sizeInBytes() / 4) << ind;
    }

    e.setView(&table);
    table.CreateCardControls();
    e.NewGame("Klondike", 1);
    for (int p = 0; p < 52; ++p) {
        const TavCard *c = table.PicCards[p];
        EXPECT_FALSE(c->shownPicture().isNull()) << p;
        EXPECT_EQ(c->hasFace(), e.card(p).FaceMode != 1) << p;
    }
}
