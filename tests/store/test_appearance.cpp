// Named colours, colour bytes, the result text, the picture id groups and the gradient bands.
#include <QSet>

#include <gtest/gtest.h>

#include "store/appearance.h"

using namespace tess;

TEST(NamedColors, TableEndsAndOutsideIds)
{
    auto blue = GetCol(1001);
    ASSERT_TRUE(blue);
    EXPECT_EQ(blue->name, "Blue");
    EXPECT_EQ(blue->color, 255 * 65536);
    auto green = GetCol(1007);
    ASSERT_TRUE(green);
    EXPECT_EQ(green->name, "Dark Green");
    EXPECT_EQ(green->color, 100 * 256);
    auto tomato = GetCol(1025);
    ASSERT_TRUE(tomato);
    EXPECT_EQ(tomato->name, "Tomato");
    EXPECT_EQ(tomato->color, 255 + 99 * 256 + 71 * 65536);
    for (i16 id : {i16(0), i16(1000), i16(1026), i16(-1001), i16(32767)})
        EXPECT_FALSE(GetCol(id)) << id;
}

TEST(NamedColors, EveryEntryHasItsOwnNameAndAValidColour)
{
    QSet<QString> names;
    for (int id = kFirstNamedColor; id <= kLastNamedColor; ++id) {
        auto c = GetCol(static_cast<i16>(id));
        ASSERT_TRUE(c) << id;
        EXPECT_FALSE(c->name.isEmpty());
        EXPECT_GE(c->color, 0);
        EXPECT_LE(c->color, kMaxColorValue);
        names.insert(c->name);
    }
    EXPECT_EQ(names.size(), 25);
    EXPECT_EQ(GetCol(1004)->name, "Corn Flower");
    EXPECT_EQ(GetCol(1012)->name, "Dark Slate Gray");
}

TEST(ColorComponent, BytesAndBounds)
{
    const i32 c = 0x123456;
    EXPECT_EQ(ColorComponent(c, 1), 0x56);
    EXPECT_EQ(ColorComponent(c, 2), 0x34);
    EXPECT_EQ(ColorComponent(c, 3), 0x12);
    EXPECT_EQ(ColorComponent(16777215, 3), 255);
    EXPECT_EQ(ColorComponent(0, 1), 0);
    EXPECT_EQ(ColorComponent(c, 0), -1);
    EXPECT_EQ(ColorComponent(c, 4), -1);
    EXPECT_EQ(ColorComponent(c, -1), -1);
    EXPECT_EQ(ColorComponent(16777216, 1), -1);
    EXPECT_EQ(ColorComponent(-1, 1), -1);
}

TEST(ResultText, OnlyOneMeansWon)
{
    EXPECT_EQ(ResultText(1), "Won");
    EXPECT_EQ(ResultText(0), "Lost");
    EXPECT_EQ(ResultText(-1), "Lost");
    EXPECT_EQ(ResultText(2), "Lost");
}

TEST(PictureGroups, IdsOfTexturesAndBacks)
{
    EXPECT_EQ(textureIds().size(), 33u);
    EXPECT_EQ(deckIds().size(), 16u);
    for (int id : {1, 5, 11, 13, 21, 25, 31, 34, 41, 43, 51, 55, 61, 65, 71, 73})
        EXPECT_TRUE(isTextureId(id)) << id;
    for (int id : {0, 6, 10, 14, 26, 35, 44, 56, 66, 74, 501, 1000})
        EXPECT_FALSE(isTextureId(id)) << id;
    for (int id : {501, 503, 511, 512, 521, 523, 531, 533, 541, 545})
        EXPECT_TRUE(isDeckId(id)) << id;
    for (int id : {500, 504, 513, 524, 534, 546, 1, 531 + 1000})
        EXPECT_FALSE(isDeckId(id)) << id;
    EXPECT_STREQ(textureGroups()[7].name, "Wood");
    EXPECT_STREQ(deckGroups()[4].name, "Nature");
}

TEST(Gradient, DefaultFadesDarkGreenToBlack)
{
    const auto bands = gradientBands(100 * 256, 1);
    EXPECT_EQ(bands[0], (BandColor{0, 100, 0}));
    EXPECT_EQ(bands[255], (BandColor{0, 0, 0}));
    // 100 - 253 * 100 / 255 = 0.78: still a trace of green just above the bottom.
    EXPECT_EQ(bands[253], (BandColor{0, 1, 0}));
    EXPECT_EQ(bands[128], (BandColor{0, 50, 0}));
    for (int i = 1; i < kGradientBands; ++i)
        EXPECT_LE(bands[i].g, bands[i - 1].g) << i;
}

TEST(Gradient, FlatWithoutFadeAndCustomColour)
{
    for (const BandColor &b : gradientBands(255, 0))
        EXPECT_EQ(b, (BandColor{255, 0, 0}));
    // Any fade other than 1 paints flat.
    for (const BandColor &b : gradientBands(255, -1))
        EXPECT_EQ(b, (BandColor{255, 0, 0}));
    const auto custom = gradientBands(128, 1);
    EXPECT_EQ(custom[0], (BandColor{128, 0, 0}));
    EXPECT_EQ(custom[128], (BandColor{64, 0, 0})); // 63.75 rounds up
    EXPECT_EQ(custom[255], (BandColor{0, 0, 0}));
    const auto red = gradientBands(255, 1);
    for (int i = 0; i < kGradientBands; ++i)
        EXPECT_EQ(red[i].r, 255 - i) << i;
}

TEST(Gradient, BandRowsCoverTheHeightAndRoundHalvesToEven)
{
    EXPECT_EQ(bandRow(0, 747), 0);
    EXPECT_EQ(bandRow(256, 747), 747);
    EXPECT_EQ(bandRow(1, 747), 3);     // 2.92
    EXPECT_EQ(bandRow(128, 747), 374); // 373.5
    // With height 300, band 96 starts at 112.5 and band 224 at 262.5: both go down to
    // the even row, where rounding halves up would not.
    EXPECT_EQ(bandRow(96, 300), 112);
    EXPECT_EQ(bandRow(224, 300), 262);
    EXPECT_EQ(bandRow(32, 300), 38); // 37.5
    for (int h : {1, 2, 96, 300, 747, 1494}) {
        for (int i = 0; i < kGradientBands; ++i)
            EXPECT_LE(bandRow(i, h), bandRow(i + 1, h)) << h << " " << i;
        EXPECT_EQ(bandRow(kGradientBands, h), h);
    }
}
