// The shuffle, the two arithmetic rules it rests on, and game numbers.
#include <algorithm>
#include <numeric>
#include <vector>

#include <gtest/gtest.h>

#include "model/gameNumber.h"
#include "model/numeric.h"
#include "model/random.h"
#include "play/engine.h"

namespace tess
{
namespace
{

std::vector<int> shuffle(const char *game, long long number)
{
    Engine e;
    EXPECT_TRUE(e.SelectGame(game));
    e.Array.Init(number);
    std::vector<int> v;
    for (int i = 0; i < e.Games.TotalCards(); ++i)
        v.push_back(e.Array.GetRandom(i));
    return v;
}

std::vector<int> head(const std::vector<int> &v, size_t n)
{
    return {v.begin(), v.begin() + static_cast<long>(n)};
}

bool isPermutation(std::vector<int> v)
{
    std::sort(v.begin(), v.end());
    for (size_t i = 0; i < v.size(); ++i)
        if (v[i] != static_cast<int>(i))
            return false;
    return true;
}

TEST(Shuffle, KnownVectorsForGamesOneAndTwo)
{
    EXPECT_EQ(head(shuffle("Klondike", 1), 12),
              (std::vector<int>{20, 2, 5, 24, 50, 6, 18, 14, 43, 11, 30, 41}));
    EXPECT_EQ(head(shuffle("Klondike", 2), 12),
              (std::vector<int>{33, 15, 17, 35, 14, 49, 29, 25, 11, 21, 41, 40}));
    // The whole of game 1, pinned so that no change of arithmetic goes unnoticed.
    EXPECT_EQ(shuffle("Klondike", 1),
              (std::vector<int>{20, 2,  5,  24, 50, 6,  18, 14, 43, 11, 30, 41, 42, 16, 25, 8,  21, 7,
                                22, 0,  38, 32, 46, 3,  12, 4,  44, 29, 39, 13, 23, 15, 1,  48, 36, 17,
                                10, 47, 19, 34, 27, 28, 26, 45, 31, 9,  37, 33, 35, 40, 49, 51}));
}

TEST(Shuffle, SeedKeyDependsOnlyOnTheUpperHalfOfTheNumber)
{
    RandomGen g;
    g.setSeed(0x0000AB);
    g.SeedFromNumber(1);
    EXPECT_EQ(g.seed(), 0x3FF0ABu); // the low byte survives
    g.SeedFromNumber(2);
    EXPECT_EQ(g.seed(), 0x4000ABu);
    g.SeedFromNumber(32);
    const auto k32 = g.seed();
    g.SeedFromNumber(8193);
    EXPECT_EQ(g.seed(), k32);
    EXPECT_EQ(k32, 0x4040ABu);
    EXPECT_EQ(shuffle("Klondike", 32), shuffle("Klondike", 8193));
    EXPECT_NE(shuffle("Klondike", 32), shuffle("Klondike", 33));
}

TEST(Shuffle, TheDealIsTheSixteenBitKeyOfTheNumber)
{
    EXPECT_EQ(DealKey(1), 0x3FF0);
    EXPECT_EQ(DealKey(2), 0x4000);
    EXPECT_EQ(DealKey(32), DealKey(8193));
    // Every key is reached by a number below 2^17, and none other exists: 65,536 deals a game at most.
    std::vector<long long> smallest(65536, 0);
    int keys = 0;
    for (long long n = 1; n < (1LL << 17); ++n)
        if (smallest[DealKey(static_cast<double>(n))] == 0) {
            smallest[DealKey(static_cast<double>(n))] = n;
            ++keys;
        }
    EXPECT_EQ(keys, 65536);
    RandomGen g;
    for (long long n : {3LL, 65537LL, 123456789LL, 4294967296LL, 987654321098765LL, 999999999999999LL}) {
        const auto v = static_cast<double>(n);
        // The shuffle reseeds from the key and nothing else of the number...
        g.setSeed(0x0000CD);
        g.SeedFromNumber(v);
        EXPECT_EQ(g.seed(), (static_cast<std::uint32_t>(DealKey(v)) << 8) | 0xCDu) << n;
        // ...so a number deals what the smallest number with its key deals, in one deck and in two.
        const long long twin = smallest[DealKey(v)];
        ASSERT_GT(twin, 0);
        if (twin == n)
            continue;
        EXPECT_EQ(shuffle("Klondike", n), shuffle("Klondike", twin)) << n << " and " << twin;
        EXPECT_EQ(shuffle("Double Klondike", n), shuffle("Double Klondike", twin)) << n << " and " << twin;
    }
}

TEST(Shuffle, EveryResultIsAPermutation)
{
    for (const char *game : {"Stripped Klondike", "Klondike", "Double Klondike"})
        for (long long n : {1LL, 2LL, 7LL, 1000LL, 65536LL, 123456789LL, 999999999999999LL}) {
            const auto v = shuffle(game, n);
            EXPECT_TRUE(isPermutation(v)) << game << " " << n;
        }
    EXPECT_EQ(shuffle("Double Klondike", 999999999999999LL).size(), 104u);
    EXPECT_EQ(shuffle("Stripped Klondike", 5).size(), 26u);
}

TEST(Shuffle, RepeatedInitIgnoresDrawsInBetween)
{
    Engine e;
    e.SelectGame("Double Klondike");
    e.Array.Init(4711);
    std::vector<int> first;
    for (int i = 0; i < 104; ++i)
        first.push_back(e.Array.GetRandom(i));
    for (int i = 0; i < 37; ++i)
        e.Rng.NextRandom();
    e.Rng.SeedFromClock();
    e.Array.RandomInit(4711);
    for (int i = 0; i < 104; ++i)
        EXPECT_EQ(e.Array.GetRandom(i), first[static_cast<size_t>(i)]) << i;
}

TEST(Shuffle, NegativeSeedResetsWhateverCameBefore)
{
    RandomGen a, b;
    b.setSeed(0x123456);
    EXPECT_EQ(a.NextRandom(-10.0f), b.NextRandom(-10.0f));
    EXPECT_EQ(a.seed(), b.seed());
    for (int i = 0; i < 1000; ++i) {
        const float r = a.NextRandom();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
    }
}

TEST(Shuffle, LastStepTakesTheOnlyCardLeft)
{
    // With one card left the draw has no choice; a wrong m would read a stale entry and repeat a value.
    for (long long n = 1; n <= 300; ++n) {
        const auto v = shuffle("Stripped Klondike", n);
        ASSERT_TRUE(isPermutation(v)) << n;
    }
    // Game 1 deals the King of clubs first: the last entry is the value left over.
    EXPECT_EQ(shuffle("Klondike", 1).back(), 51);
}

TEST(Shuffle, RandomOrderIndexOutsideTheTableIsAnError)
{
    Engine e;
    e.SelectGame("Klondike");
    e.Array.Init(1);
    EXPECT_EQ(e.Array.GetRandom(52), 0); // the spare entry exists and is never filled
    EXPECT_THROW(e.Array.GetRandom(53), IndexError);
    EXPECT_THROW(e.Array.GetRandom(-1), IndexError);
}

TEST(Numeric, RoundHalfEven)
{
    EXPECT_EQ(roundHalfEven(0.5), 0);
    EXPECT_EQ(roundHalfEven(1.5), 2);
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(-0.5), 0);
    EXPECT_EQ(roundHalfEven(-1.5), -2);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(532.5), 532);
    EXPECT_EQ(roundHalfEven(632.5), 632);
    EXPECT_EQ(roundHalfEven(1797.5), 1798);
    EXPECT_EQ(roundHalfEven(2.4999), 2);
    EXPECT_EQ(roundHalfEven(2.5001), 3);
    EXPECT_EQ(roundHalfEven(-2.7), -3);
    EXPECT_EQ(roundHalfEven(7.0), 7);
}

TEST(Numeric, Checked16RefusesToWrap)
{
    EXPECT_EQ(checked16(32767), 32767);
    EXPECT_EQ(checked16(-32768), -32768);
    EXPECT_THROW(checked16(32768), OverflowError);
    EXPECT_THROW(checked16(-32769), OverflowError);
    EXPECT_THROW(checked16(70000), OverflowError);
}

TEST(GameNumberForms, NumbersAndTexts)
{
    const GameNumber n = GameNumber::number(12345);
    EXPECT_FALSE(n.isText());
    EXPECT_EQ(n.display(), "12345");
    EXPECT_EQ(n.value(), 12345);

    const GameNumber t = GameNumber::text("  77 ");
    EXPECT_TRUE(t.isText());
    EXPECT_EQ(t.display(), "  77 "); // shown as typed
    EXPECT_EQ(t.value(), 77);
    EXPECT_NE(t, GameNumber::number(77));

    EXPECT_EQ(GameNumber::text("999999999999999").value(), GameNumber::kMax);
    EXPECT_TRUE(GameNumber().empty());
    EXPECT_FALSE(GameNumber().tryValue());
    EXPECT_THROW(GameNumber::number(-1), GameNumberError);
    EXPECT_THROW(GameNumber::number(GameNumber::kMax + 1), GameNumberError);
}

TEST(GameNumberForms, NonNumericTextIsRefused)
{
    for (const char *bad : {"", "   ", "12a", "a12", "1 2", "-5", "+5", "1.5", "1e5", "1000000000000000"}) {
        const GameNumber g = GameNumber::text(bad);
        EXPECT_FALSE(g.tryValue()) << '"' << bad << '"';
        EXPECT_THROW(g.value(), GameNumberError) << '"' << bad << '"';
    }
}

} // namespace
} // namespace tess
