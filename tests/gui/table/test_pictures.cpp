// The drawn pictures (faces, markers, backs, textures), the table background and the
// offscreen picture of a dealt table.
#include <cstdlib>
#include <vector>

#include <QColor>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "gui/table/pictures.h"
#include "gui/table/tableImage.h"
#include "model/catalogue.h"
#include "play/engine.h"
#include "store/appearance.h"
#include "store/cData.h"

using namespace tess;

namespace
{

std::vector<QImage> allCardSized(qreal dpr)
{
    std::vector<QImage> pics;
    for (int i = 1; i <= 52; ++i)
        pics.push_back(MainPic(i, dpr));
    for (int k = 0; k <= 17; ++k)
        pics.push_back(RightPic(k, dpr));
    for (i16 id : deckIds())
        pics.push_back(GetPic(id, dpr));
    return pics;
}

bool strongRed(QRgb px)
{
    return qAlpha(px) == 255 && qRed(px) > 150 && qGreen(px) < 90 && qBlue(px) < 90;
}

QRgb rgbAt(const QImage &img, int x, int y)
{
    return img.pixel(x, y) | 0xFF000000u;
}

QImage table(qreal dpr = 1)
{
    QImage img(qRound(1032 * dpr), qRound(747 * dpr), QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(dpr);
    img.fill(Qt::magenta);
    return img;
}

// Mean colour difference between two columns (or rows) of an image.
double lineDiff(const QImage &img, int a, int b, bool columns)
{
    const int n = columns ? img.height() : img.width();
    double sum = 0;
    for (int i = 0; i < n; ++i) {
        const QRgb p = columns ? img.pixel(a, i) : img.pixel(i, a);
        const QRgb q = columns ? img.pixel(b, i) : img.pixel(i, b);
        sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
    }
    return sum / n;
}

bool ink(QRgb px, int suit)
{
    if (qAlpha(px) < 255)
        return false;
    if (suit == 0 || suit == 2)
        return qRed(px) > 150 && qGreen(px) < 110 && qBlue(px) < 110;
    return qRed(px) < 110 && qGreen(px) < 110 && qBlue(px) < 110;
}

// Separate blobs of suit ink inside a rectangle (four-neighbour flood fill).
int inkBlobs(const QImage &src, int suit, QRect area)
{
    const QImage img = src.convertToFormat(QImage::Format_ARGB32);
    std::vector<char> seen(img.width() * img.height(), 0);
    int blobs = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (seen[y * img.width() + x] || !ink(img.pixel(x, y), suit))
                continue;
            ++blobs;
            std::vector<QPoint> stack{QPoint(x, y)};
            seen[y * img.width() + x] = 1;
            while (!stack.empty()) {
                const QPoint q = stack.back();
                stack.pop_back();
                for (QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const QPoint n = q + d;
                    if (!area.contains(n) || seen[n.y() * img.width() + n.x()] || !ink(img.pixel(n), suit))
                        continue;
                    seen[n.y() * img.width() + n.x()] = 1;
                    stack.push_back(n);
                }
            }
        }
    }
    return blobs;
}

struct Settings {
    QTemporaryDir dir;
    cData data{dir.filePath("Tessaline.conf"), dir.filePath("data")};
    Settings() { catalogue::Init(data); }
};

} // namespace

TEST(Pictures, SizesAndRatioAtOneAndTwo)
{
    for (qreal dpr : {1.0, 2.0}) {
        for (const QImage &img : allCardSized(dpr)) {
            ASSERT_FALSE(img.isNull());
            EXPECT_EQ(img.size(), QSize(qRound(71 * dpr), qRound(96 * dpr)));
            EXPECT_EQ(img.devicePixelRatio(), dpr);
            EXPECT_EQ(img.deviceIndependentSize(), QSizeF(71, 96));
        }
        for (i16 id : textureIds()) {
            const QImage tile = GetPic(id, dpr);
            ASSERT_FALSE(tile.isNull()) << id;
            EXPECT_EQ(tile.devicePixelRatio(), dpr);
            EXPECT_GE(tile.deviceIndependentSize().width(), 64) << id;
            EXPECT_GE(tile.deviceIndependentSize().height(), 64) << id;
            EXPECT_EQ(tile.size(), (GetPic(id, 1).size() * dpr)) << id;
        }
    }
}

TEST(Pictures, LookupsOutsideTheirRangesGiveNothing)
{
    EXPECT_TRUE(MainPic(0, 1).isNull());
    EXPECT_TRUE(MainPic(53, 1).isNull());
    EXPECT_TRUE(RightPic(-1, 1).isNull());
    EXPECT_TRUE(RightPic(18, 1).isNull());
    for (int id : {0, 6, 14, 500, 504, 546, 999, 1000, 1007})
        EXPECT_TRUE(GetPic(id, 1).isNull()) << id;
    // The deck setting falls back to the default back.
    const QImage fallback = DeckPic(531, 1);
    for (int id : {0, 1, 504, 999, -3})
        EXPECT_EQ(DeckPic(id, 1), fallback) << id;
    EXPECT_NE(DeckPic(545, 1), fallback);
    EXPECT_EQ(DeckPic(545, 1), GetPic(545, 1));
}

TEST(Pictures, CornersAreClearAndMiddlesOpaque)
{
    for (qreal dpr : {1.0, 2.0}) {
        for (const QImage &img : allCardSized(dpr)) {
            const int w = img.width() - 1, h = img.height() - 1;
            EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0);
            EXPECT_EQ(qAlpha(img.pixel(w, 0)), 0);
            EXPECT_EQ(qAlpha(img.pixel(0, h)), 0);
            EXPECT_EQ(qAlpha(img.pixel(w, h)), 0);
            // One pixel in along the middle of each edge is the card's border.
            EXPECT_GT(qAlpha(img.pixel(w / 2, 0)), 100);
            EXPECT_GT(qAlpha(img.pixel(0, h / 2)), 100);
        }
    }
    for (int i = 1; i <= 52; ++i)
        EXPECT_EQ(qAlpha(MainPic(i, 1).pixel(35, 48)), 255) << i;
    for (i16 id : deckIds())
        EXPECT_EQ(qAlpha(GetPic(id, 1).pixel(35, 48)), 255) << id;
    // Markers let the table show through.
    for (int k = 0; k <= 14; ++k)
        EXPECT_LT(qAlpha(RightPic(k, 1).pixel(6, 48)), 128) << k;
}

TEST(Pictures, RedSuitsAreRedAndBlackSuitsHaveNoRed)
{
    for (int i = 1; i <= 52; ++i) {
        const int suit = (i - 1) / 13;
        const QImage img = MainPic(i, 1).convertToFormat(QImage::Format_ARGB32);
        int red = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                red += strongRed(img.pixel(x, y));
        if (suit == 0 || suit == 2)
            EXPECT_GT(red, 40) << "face " << i;
        else
            EXPECT_EQ(red, 0) << "face " << i;
    }
}

TEST(Pictures, SpotCardsCarryTheirNumberOfPips)
{
    // Between the two corner indices, at ratio 2 where the pips stand well apart.
    const QRect field(24, 26, 94, 140);
    for (int suit = 0; suit < 4; ++suit) {
        for (int rank = 1; rank <= 9; ++rank)
            EXPECT_EQ(inkBlobs(MainPic(suit * 13 + rank + 1, 2), suit, field), rank + 1)
                << "suit " << suit << " rank " << rank + 1;
        // The ace of spades wears a ring of beads round its pip.
        if (suit != 1) {
            EXPECT_EQ(inkBlobs(MainPic(suit * 13 + 1, 2), suit, field), 1) << "ace of " << suit;
        }
    }
}

TEST(Pictures, LowerPipsStandOnTheirHeads)
{
    // The spot cards without a middle row read the same either way up.
    for (int suit = 0; suit < 4; ++suit) {
        for (int rank : {1, 3, 9}) {
            const QImage img = MainPic(suit * 13 + rank + 1, 2).convertToFormat(QImage::Format_ARGB32);
            const QImage turned = img.mirrored(true, true);
            double diff = 0;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x) {
                    const QRgb a = img.pixel(x, y), b = turned.pixel(x, y);
                    diff += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b));
                }
            EXPECT_LT(diff / (img.width() * img.height()), 1.0) << "suit " << suit << " rank " << rank + 1;
        }
    }
}

TEST(Pictures, MarkersLetTheTableShowThrough)
{
    for (int kind = 0; kind <= 17; ++kind) {
        const QImage img = RightPic(kind, 1).convertToFormat(QImage::Format_ARGB32);
        int opaque = 0, red = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                opaque += qAlpha(img.pixel(x, y)) == 255;
                red += strongRed(img.pixel(x, y));
            }
        if (kind == 15) {
            EXPECT_GT(red, 500); // the stop sign
        } else {
            EXPECT_EQ(opaque, 0) << kind;
            EXPECT_EQ(red, 0) << kind;
        }
    }
    // Kinds 0..12 differ only in their rank; 13 shows the emblem alone, 14 nothing.
    EXPECT_NE(RightPic(13, 1), RightPic(14, 1));
}

TEST(Pictures, KeptPerRatioAndHandedOutShared)
{
    const QImage a = MainPic(5, 1), b = MainPic(5, 1), c = MainPic(5, 2);
    EXPECT_EQ(a.constBits(), b.constBits());
    EXPECT_NE(a.size(), c.size());
    EXPECT_EQ(GetPic(41, 1).constBits(), GetPic(41, 1).constBits());
    // A caller changing its copy leaves the kept picture alone.
    QImage mine = MainPic(5, 1);
    mine.invertPixels();
    EXPECT_EQ(MainPic(5, 1), a);
    EXPECT_NE(mine, a);
}

TEST(Pictures, FractionalRatio)
{
    const QImage face = MainPic(40, 1.5);
    EXPECT_EQ(face.size(), QSize(107, 144));
    EXPECT_EQ(face.devicePixelRatio(), 1.5);
    EXPECT_EQ(qAlpha(face.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(face.pixel(53, 72)), 255);
    QImage img = table(1.5);
    SetBG(1007, img, 1, 0);
    EXPECT_EQ(rgbAt(img, 0, 0), qRgb(0, 100, 0));
    EXPECT_EQ(rgbAt(img, 1547, 1119), qRgb(0, 0, 0));
}

TEST(Pictures, EveryPictureDiffersFromEveryOther)
{
    const std::vector<QImage> pics = allCardSized(1);
    for (size_t a = 0; a < pics.size(); ++a)
        for (size_t b = a + 1; b < pics.size(); ++b)
            EXPECT_NE(pics[a], pics[b]) << a << " " << b;
    const std::vector<i16> ids = textureIds();
    for (size_t a = 0; a < ids.size(); ++a)
        for (size_t b = a + 1; b < ids.size(); ++b)
            EXPECT_NE(GetPic(ids[a], 1), GetPic(ids[b], 1)) << ids[a] << " " << ids[b];
}

TEST(Pictures, DrawnAgainTheyComeOutTheSame)
{
    std::vector<QImage> first = allCardSized(1);
    for (i16 id : textureIds())
        first.push_back(GetPic(id, 1));
    clearPictureCache();
    std::vector<QImage> second = allCardSized(1);
    for (i16 id : textureIds())
        second.push_back(GetPic(id, 1));
    ASSERT_EQ(first.size(), second.size());
    for (size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i], second[i]) << i;
        // A fresh drawing, not the kept one handed out again.
        EXPECT_NE(first[i].constBits(), second[i].constBits()) << i;
    }
}

TEST(Pictures, DoubleRatioIsDrawnNotEnlarged)
{
    for (int i : {1, 14, 37, 52}) {
        const QImage enlarged =
            MainPic(i, 1).scaled(142, 192).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QImage sharp = MainPic(i, 2);
        sharp.setDevicePixelRatio(1);
        EXPECT_NE(sharp, enlarged) << i;
    }
}

TEST(Textures, OpaqueAndSeamless)
{
    for (i16 id : textureIds()) {
        const QImage tile = GetPic(id, 1).convertToFormat(QImage::Format_ARGB32);
        const int w = tile.width(), h = tile.height();
        bool opaque = true;
        for (int y = 0; y < h && opaque; ++y)
            for (int x = 0; x < w; ++x)
                opaque = opaque && qAlpha(tile.pixel(x, y)) == 255;
        EXPECT_TRUE(opaque) << id;
        // The step across the wrap may be no sharper than the texture's own steps.
        double cols = 0, rows = 0;
        for (int x = 0; x + 1 < w; ++x)
            cols += lineDiff(tile, x, x + 1, true);
        for (int y = 0; y + 1 < h; ++y)
            rows += lineDiff(tile, y, y + 1, false);
        cols /= w - 1;
        rows /= h - 1;
        EXPECT_LE(lineDiff(tile, w - 1, 0, true), 3 * cols + 6) << id;
        EXPECT_LE(lineDiff(tile, h - 1, 0, false), 3 * rows + 6) << id;
    }
}

TEST(Background, DefaultGradientFromDarkGreenToBlack)
{
    QImage img = table();
    SetBG(1007, img, 1, 0);
    EXPECT_EQ(rgbAt(img, 0, 0), qRgb(0, 100, 0));
    EXPECT_EQ(rgbAt(img, 1031, 2), qRgb(0, 100, 0));
    EXPECT_EQ(rgbAt(img, 500, 746), qRgb(0, 0, 0));
    EXPECT_EQ(rgbAt(img, 1031, 746), qRgb(0, 0, 0));
    // Every row is one band colour across the whole width.
    for (int y = 0; y < 747; y += 37)
        EXPECT_EQ(rgbAt(img, 0, y), rgbAt(img, 1031, y)) << y;
}

TEST(Background, FlatRedAndCustomColour)
{
    QImage img = table();
    SetBG(1021, img, 0, 0);
    for (int y : {0, 100, 373, 374, 746})
        for (int x : {0, 515, 1031})
            EXPECT_EQ(rgbAt(img, x, y), qRgb(255, 0, 0)) << x << "," << y;
    SetBG(1000, img, 1, 128);
    EXPECT_EQ(rgbAt(img, 0, 0), qRgb(128, 0, 0));
    EXPECT_EQ(rgbAt(img, 0, 746), qRgb(0, 0, 0));
    SetBG(1000, img, 0, 0x563412);
    EXPECT_EQ(rgbAt(img, 9, 700), qRgb(0x12, 0x34, 0x56));
}

TEST(Background, BandsMeetOnTheRoundedRows)
{
    // Red fading: band i is 255 - i. Band 128 starts at row 373.5, rounded to 374.
    QImage img = table();
    SetBG(1021, img, 1, 0);
    EXPECT_EQ(rgbAt(img, 10, 373), qRgb(128, 0, 0));
    EXPECT_EQ(rgbAt(img, 10, 374), qRgb(127, 0, 0));
    EXPECT_EQ(rgbAt(img, 10, 2), qRgb(255, 0, 0));
    EXPECT_EQ(rgbAt(img, 10, 3), qRgb(254, 0, 0));
    // At twice the ratio the bands keep their places in logical rows.
    QImage hi = table(2);
    SetBG(1021, hi, 1, 0);
    EXPECT_EQ(rgbAt(hi, 20, 747), qRgb(128, 0, 0));
    EXPECT_EQ(rgbAt(hi, 20, 748), qRgb(127, 0, 0));
    EXPECT_EQ(rgbAt(hi, 2063, 1493), qRgb(0, 0, 0));
}

TEST(Background, IndexNamingNothingPaintsTheDefault)
{
    QImage expectFaded = table();
    SetBG(1007, expectFaded, 1, 0);
    QImage expectFlat = table();
    SetBG(1007, expectFlat, 0, 0);
    for (int ind : {0, -5, 6, 500, 531, 999, 1026, 2000, 32767}) {
        QImage img = table();
        SetBG(ind, img, 1, 0);
        EXPECT_EQ(img, expectFaded) << ind;
        SetBG(ind, img, 0, 0);
        EXPECT_EQ(img, expectFlat) << ind;
    }
    // A custom colour outside 0..16777215 names no colour either.
    for (i32 bad : {-1, 16777216}) {
        QImage img = table();
        SetBG(1000, img, 1, bad);
        EXPECT_EQ(img, expectFaded) << bad;
    }
}

TEST(Background, TexturesTileFromTheTopLeftCorner)
{
    for (int id : {1, 3, 21, 54, 73}) {
        const QImage tile = GetPic(id, 1);
        QImage img = table();
        SetBG(id, img, 1, 0);
        const int w = tile.width(), h = tile.height();
        EXPECT_EQ(rgbAt(img, 0, 0), rgbAt(tile, 0, 0)) << id;
        for (int y = 0; y < 747; y += 13) {
            EXPECT_EQ(rgbAt(img, w, y), rgbAt(img, 0, y)) << id << " row " << y;
            EXPECT_EQ(rgbAt(img, 0, y), rgbAt(tile, 0, y % h)) << id << " row " << y;
        }
        for (int x = 0; x < 1032; x += 11)
            EXPECT_EQ(rgbAt(img, x, h), rgbAt(tile, x % w, 0)) << id << " column " << x;
        // The last row and column are cut, not squeezed.
        EXPECT_EQ(rgbAt(img, 1031, 746), rgbAt(tile, 1031 % w, 746 % h)) << id;
    }
    // At twice the ratio the tiles are drawn at twice the resolution, still from (0, 0).
    const QImage tile2 = GetPic(71, 2);
    QImage hi = table(2);
    SetBG(71, hi, 1, 0);
    for (int x : {0, 1, 255, 256, 257, 2063})
        EXPECT_EQ(rgbAt(hi, x, 5), rgbAt(tile2, x % tile2.width(), 5)) << x;
}

TEST(TableImage, DealtKlondikeShowsItsCards)
{
    Settings s;
    Engine e;
    e.NewGame("Klondike", 1);
    const QImage img = renderTable(e, s.data);
    ASSERT_EQ(img.size(), QSize(1032, 747));
    QImage bg = table();
    SetBG(1007, bg, 1, 0);
    int faceUp = 0, faceDown = 0;
    for (int i = 0; i < 52; ++i) {
        const CardState &c = e.Cards[i];
        if (!c.Visible)
            continue;
        const int x = qRound(c.Left / 15), y = qRound(c.Top / 15);
        // The top card of a pile shows whole; the others at least their top strip.
        bool onTop = true;
        for (int j = 0; j < 52; ++j)
            if (j != i && e.Cards[j].Visible && e.Cards[j].Z > c.Z &&
                std::abs(e.Cards[j].Left - c.Left) < 1065 && std::abs(e.Cards[j].Top - c.Top) < 1440)
                onTop = false;
        if (!onTop)
            continue;
        const QImage pic = c.FaceMode == 1 ? DeckPic(531, 1) : MainPic(c.FacePic, 1);
        (c.FaceMode == 1 ? faceDown : faceUp) += 1;
        for (QPoint p : {QPoint(35, 48), QPoint(10, 10), QPoint(60, 85)})
            EXPECT_EQ(rgbAt(img, x + p.x(), y + p.y()), rgbAt(pic, p.x(), p.y())) << i;
    }
    EXPECT_GE(faceUp, 7);
    EXPECT_GE(faceDown, 1);
    // The goal markers lighten the table where they lie.
    for (const MarkerState &m : e.GoalMarkers) {
        if (!m.Visible)
            continue;
        const int x = qRound(m.Left / 15.0) + 35, y = qRound(m.Top / 15.0) + 88;
        EXPECT_GT(qGreen(img.pixel(x, y)), qGreen(bg.pixel(x, y)));
    }
    // Nothing lies in the top-left corner of the table.
    EXPECT_EQ(rgbAt(img, 0, 0), rgbAt(bg, 0, 0));
}

TEST(TableImage, SelectedFacesInvertAndSettingsApply)
{
    Settings s;
    s.data.set(Setting::BGIndex, 73);
    s.data.set(Setting::DeckIndex, 541);
    Engine e;
    e.NewGame("Klondike", 1);
    // The first tableau pile holds one face-up card.
    const int id = e.Array.GetTopPicID(Home, 0);
    ASSERT_GE(id, 0);
    const QImage plain = renderTable(e, s.data);
    e.SetSelected(id, -1);
    const QImage selected = renderTable(e, s.data);
    const CardState &c = e.card(id);
    const int x = qRound(c.Left / 15), y = qRound(c.Top / 15);
    for (QPoint p : {QPoint(35, 48), QPoint(8, 8), QPoint(3, 50)}) {
        const QRgb a = plain.pixel(x + p.x(), y + p.y()), b = selected.pixel(x + p.x(), y + p.y());
        EXPECT_EQ(qRed(b), 255 - qRed(a));
        EXPECT_EQ(qGreen(b), 255 - qGreen(a));
        EXPECT_EQ(qBlue(b), 255 - qBlue(a));
    }
    // The cut corner still shows the table, uninverted.
    EXPECT_EQ(selected.pixel(x, y), plain.pixel(x, y));
    // Texture 73 from the corner, and the chosen back on face-down cards.
    EXPECT_EQ(rgbAt(plain, 0, 0), rgbAt(GetPic(73, 1), 0, 0));
    const int stockTop = e.Array.GetTopPicID(Stock, 0);
    ASSERT_GE(stockTop, 0);
    const CardState &d = e.card(stockTop);
    ASSERT_EQ(d.FaceMode, 1);
    const int bx = qRound(d.Left / 15), by = qRound(d.Top / 15);
    EXPECT_EQ(rgbAt(plain, bx + 35, by + 48), rgbAt(GetPic(541, 1), 35, 48));
}

TEST(TableImage, CardsStackByTheirOrderNotTheirNumbers)
{
    Settings s;
    Engine e;
    e.HideAll();
    // Card 9 raised before card 2: card 2 lies on top although its number is lower.
    for (int id : {9, 2}) {
        e.SetFacePic(id, id == 9 ? 1 : 14);
        e.SetFaceMode(id, 0);
        e.MoveTo(id, 3000, 3000);
        e.Show(id, true);
        e.Raise(id);
    }
    // A hidden card over both shows nothing.
    e.SetFacePic(50, 27);
    e.SetFaceMode(50, 0);
    e.MoveTo(50, 3000, 3000);
    e.Raise(50);
    e.Show(50, false);
    const QImage img = renderTable(e, s.data);
    const QImage top = MainPic(14, 1);
    for (QPoint p : {QPoint(35, 48), QPoint(12, 8), QPoint(50, 80)})
        EXPECT_EQ(rgbAt(img, 200 + p.x(), 200 + p.y()), rgbAt(top, p.x(), p.y()));
}

TEST(TableImage, TwiceTheRatio)
{
    Settings s;
    Engine e;
    e.NewGame("Raglan", 1);
    const QImage img = renderTable(e, s.data, 2);
    EXPECT_EQ(img.size(), QSize(2064, 1494));
    EXPECT_EQ(img.devicePixelRatio(), 2);
    EXPECT_EQ(rgbAt(img, 0, 0), qRgb(0, 100, 0));
}
