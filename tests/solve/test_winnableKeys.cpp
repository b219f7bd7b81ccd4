// The list of deals proved winnable ahead of time: how it reads, how New Game draws from it, and that
// the lines the list was proved with win when played on the engine.
#include <fstream>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

#include "model/catalogue.h"
#include "model/random.h"
#include "play/engine.h"
#include "play/mPlay.h"
#include "solve/drive.h"
#include "solve/winnableKeys.h"

using namespace tess;
using solve::WinnableKeys;

namespace
{

std::uint16_t keyOf(long long n)
{
    return DealKey(static_cast<double>(n));
}

} // namespace

TEST(WinnableKeys, ReadsWholeLinesAndLeavesOutBrokenOnes)
{
    const WinnableKeys list = WinnableKeys::parse("# a comment\n"
                                                  "Klondike\t10\t4.5\t300 7 65535 7\r\n"
                                                  "\n"
                                                  "Canister\t3\t1.0\t5 65536 9\n" // a key past 16 bits
                                                  "Giant\t3\t1.0\t5 x9\n"         // not a number
                                                  "Eclipse\t3\t1.0\n"             // a field short
                                                  "Klondike AK\t2\t0.5\t\n"       // tried, none won
                                                  "Steps\t-1\t0\t4\n"             // a count below 0
                                                  "Klondike\t12\t5.0\t8\n");      // more of a game
    EXPECT_EQ(list.keys("Klondike"), (std::vector<std::uint16_t>{7, 8, 300, 65535}));
    EXPECT_TRUE(list.contains("Klondike", 65535));
    EXPECT_FALSE(list.contains("Klondike", 9));
    for (const char *left : {"Canister", "Giant", "Eclipse", "Klondike AK", "Steps", "Westcliff"})
        EXPECT_TRUE(list.keys(left).empty()) << left;
    EXPECT_TRUE(WinnableKeys::parse("").keys("Klondike").empty());
}

TEST(WinnableKeys, DrawsOnlyListedKeysWithinTheRange)
{
    std::mt19937_64 gen(20261209);
    WinnableKeys list;
    list.set("Klondike", {keyOf(7), keyOf(123456789012LL), keyOf(31)});
    for (int i = 0; i < 50; ++i) {
        const auto n = solve::drawWinnableNumber(list, "Klondike", 15, gen);
        ASSERT_TRUE(n.has_value());
        EXPECT_GE(*n, 1);
        EXPECT_LE(*n, 999999999999999LL);
        EXPECT_TRUE(list.contains("Klondike", keyOf(*n))) << *n;
    }
    // A range of 1 to 9 reaches the key of 7 and nothing else listed.
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(solve::drawWinnableNumber(list, "Klondike", 1, gen), 7);
    // Out of reach of the range, or no list: no number, so the caller searches instead.
    list.set("Canister", {keyOf(123456789012LL)});
    EXPECT_EQ(solve::drawWinnableNumber(list, "Canister", 1, gen), std::nullopt);
    EXPECT_EQ(solve::drawWinnableNumber(list, "Giant", 15, gen), std::nullopt);
}

TEST(WinnableKeys, ShippedListNamesOnlyGamesOfTheCatalogue)
{
    const WinnableKeys &list = WinnableKeys::shipped();
    int games = 0;
    for (const CatalogueRow &r : catalogueRows())
        games += !list.keys(r.name).empty();
    EXPECT_GT(games, 0);
    // Every line the file holds was read: a game the catalogue does not know would be a typo.
    std::ifstream in(TESS_SOURCE_DIR "/data/winnable_keys.txt");
    ASSERT_TRUE(in);
    std::string line;
    int lines = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        const std::string name = line.substr(0, line.find('\t'));
        EXPECT_NE(catalogue::GameId(name), 0) << name;
        ++lines;
    }
    EXPECT_GE(lines, games);
}

// Each sample: game, number, key and the winning line as `play` commands joined by commas.
TEST(WinnableKeys, SampleLinesWinOnTheEngine)
{
    std::ifstream in(TESS_SOURCE_DIR "/tests/solve/winnable_lines.txt");
    ASSERT_TRUE(in);
    std::string line;
    int samples = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::string game, number, key, moves;
        ASSERT_TRUE(std::getline(fields, game, '\t') && std::getline(fields, number, '\t') &&
                    std::getline(fields, key, '\t') && std::getline(fields, moves))
            << line.substr(0, 80);
        const long long n = std::stoll(number);
        SCOPED_TRACE(game + " " + number);
        // The line was proved on the number's key, and the shipped list holds that key.
        EXPECT_EQ(keyOf(n), std::stoi(key));
        EXPECT_TRUE(WinnableKeys::shipped().contains(game, keyOf(n)));
        HeadlessHost host;
        Engine e(&host);
        e.NewGame(game, n);
        host.running = true;
        std::istringstream steps(moves);
        std::string step;
        while (std::getline(steps, step, ',')) {
            std::istringstream words(step);
            std::string word;
            words >> word;
            if (word == "stock") {
                solve::pressStock(e);
            } else if (word == "marker") {
                StockMarkerPress(e);
            } else {
                ASSERT_EQ(word, "drag") << step;
                int card = 0, cell = 0, pile = 0;
                ASSERT_TRUE(words >> card >> cell >> pile) << step;
                solve::dragTo(e, card, cell, pile);
            }
        }
        EXPECT_EQ(host.wins, 1);
        EXPECT_EQ(e.Array.TotalGoalCards(), e.Games.TotalCards());
        ++samples;
    }
    EXPECT_GT(samples, 0);
}
