// The help pages: every game's page must tell the rules the engine actually plays.
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include "app/helpText.h"
#include "model/catalogue.h"

using namespace tess;

namespace
{

// The page as a reader sees it: no tags, entities decoded, white space collapsed.
QString plain(const QString &html)
{
    QString t = html;
    t.remove(QRegularExpression(QStringLiteral("<style>.*</style>"),
                                QRegularExpression::DotMatchesEverythingOption));
    t.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    t.replace(QStringLiteral("&times;"), QStringLiteral("x"));
    t.replace(QStringLiteral("&minus;"), QStringLiteral("-"));
    t.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return t.simplified();
}

QString rules(const char *game)
{
    const int id = catalogue::GameId(game);
    EXPECT_GT(id, 0) << game;
    return plain(helpText::page(id));
}

cGames descriptor(int id)
{
    cGames g;
    i16 base = 0;
    catalogue::SelectGame(g, base, catalogue::GameName(id));
    return g;
}

} // namespace

TEST(HelpPages, EveryGamePageIsItsOwnWithTitleNameAndCardCount)
{
    QSet<QString> seen;
    for (int id = 1; id <= kGameCount; ++id) {
        const QString name = QString::fromLatin1(catalogue::GameName(id));
        const QString html = helpText::page(id);
        const QString text = plain(html);
        EXPECT_TRUE(html.contains(QStringLiteral("<title>%1</title>").arg(name))) << id;
        EXPECT_TRUE(html.contains(QStringLiteral("<h1>%1</h1>").arg(name))) << id;
        EXPECT_EQ(helpText::title(id), name);
        EXPECT_TRUE(text.contains(QStringLiteral("%1 is played with").arg(name))) << id;
        EXPECT_TRUE(text.contains(QStringLiteral("%1 cards").arg(descriptor(id).TotalCards())))
            << name.toStdString();
        // Each page links back to the contents.
        EXPECT_TRUE(html.contains(QStringLiteral("href=\"topic0.html\""))) << id;
        // Every list item and section is closed: the generator never leaves a page half written.
        EXPECT_EQ(html.count(QStringLiteral("<li>")), html.count(QStringLiteral("</li>"))) << id;
        EXPECT_EQ(html.count(QStringLiteral("<ul>")), html.count(QStringLiteral("</ul>"))) << id;
        seen.insert(text);
    }
    EXPECT_EQ(seen.size(), kGameCount);
}

TEST(HelpPages, ContentsListsEveryGameAndHowToPlay)
{
    const QString html = helpText::contentsPage();
    const QString text = plain(html);
    for (int id = 1; id <= kGameCount; ++id) {
        const QString link =
            QStringLiteral("<a href=\"%1\">%2</a>")
                .arg(helpText::topicUrl(id).toString(), QString::fromLatin1(catalogue::GameName(id)));
        EXPECT_TRUE(html.contains(link)) << id;
    }
    EXPECT_TRUE(
        text.contains(QStringLiteral("10 points for every card on the foundations, less a third of the "
                                     "seconds played and half the moves made")));
    EXPECT_TRUE(text.contains(QStringLiteral("520 - (100 + 60) = 360")));
    for (const char *topic : {"Undo", "Redo", "Autoplay", "Statistics", "stock"})
        EXPECT_TRUE(text.contains(QLatin1String(topic))) << topic;
    // Context 0 and any context that names no game give the contents page.
    for (int context : {0, -1, 34, 1000})
        EXPECT_EQ(helpText::page(context), html) << context;
    EXPECT_EQ(helpText::title(0), QStringLiteral("Tessaline Help"));
}

TEST(HelpPages, TheContentsLeadToAPageOnHintsAndWinnableDeals)
{
    // Followed from the contents as a reader would: the link's address names the page it shows.
    const QString contents = helpText::contentsPage();
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("<a href=\"([^\"]+)\">Hints and winnable deals</a>"))
            .match(contents);
    ASSERT_TRUE(m.hasMatch());
    const int context = helpText::contextOfUrl(QUrl(m.captured(1)));
    ASSERT_GE(context, 0);
    EXPECT_GT(context, kGameCount);
    const QString html = helpText::page(context);
    EXPECT_NE(html, contents);
    EXPECT_EQ(helpText::topicUrl(context), QUrl(m.captured(1)));
    EXPECT_EQ(helpText::title(context), QStringLiteral("Hints and Winnable Deals"));
    const QString text = plain(html);
    for (const char *words : {"Hint (H)", "Can This Deal Be Won?", "Winnable Deals Only", "Select a Number",
                              "Recent Games", "All games and how to play"})
        EXPECT_TRUE(text.contains(QLatin1String(words))) << words;
    // The contents themselves name the three items.
    for (const char *item : {"Hint", "Can This Deal Be Won?", "Winnable Deals Only"})
        EXPECT_TRUE(plain(contents).contains(QLatin1String(item))) << item;
}

TEST(HelpPages, AddressesRoundTripAndRejectStrangers)
{
    for (int context = 0; context <= kGameCount; ++context)
        EXPECT_EQ(helpText::contextOfUrl(helpText::topicUrl(context)), context);
    EXPECT_EQ(helpText::contextOfUrl(QUrl(QStringLiteral("topic34.html"))), -1);
    EXPECT_EQ(helpText::contextOfUrl(QUrl(QStringLiteral("topic.html"))), -1);
    EXPECT_EQ(helpText::contextOfUrl(QUrl(QStringLiteral("rules17.html"))), -1);
    EXPECT_EQ(helpText::contextOfUrl(QUrl(QStringLiteral("topic17.htm"))), -1);
}

TEST(HelpPages, KlondikeTellsItsClassicRules)
{
    const QString t = rules("Klondike");
    EXPECT_TRUE(t.contains(QStringLiteral("one pack of 52 cards")));
    EXPECT_TRUE(t.contains(QStringLiteral("The tableau is dealt in seven piles, 28 cards in all")));
    EXPECT_TRUE(
        t.contains(QStringLiteral("the first pile gets one card, the second two, and so on up to seven")));
    EXPECT_TRUE(t.contains(QStringLiteral("Only the top card of each pile lies face up")));
    EXPECT_TRUE(t.contains(QStringLiteral("built down in alternating colours")));
    EXPECT_TRUE(t.contains(QStringLiteral("filled only with a King")));
    EXPECT_TRUE(t.contains(QStringLiteral("The remaining 24 cards form the stock, face down")));
    EXPECT_TRUE(t.contains(QStringLiteral("one card at a time")));
    EXPECT_TRUE(t.contains(QStringLiteral("Redeals are unlimited")));
    EXPECT_TRUE(t.contains(QStringLiteral("started with an Ace and is built up in suit to the King")));
    EXPECT_FALSE(t.contains(QStringLiteral("Only single cards may be moved")));
    EXPECT_FALSE(t.contains(QStringLiteral("free cell")));
}

TEST(HelpPages, RedealsStockAndReserveFollowEachGame)
{
    const QString blind = rules("Blind Alleys");
    EXPECT_TRUE(blind.contains(QStringLiteral("allowed once only")));
    EXPECT_TRUE(blind.contains(QStringLiteral("The four Aces are taken out first")));
    EXPECT_TRUE(blind.contains(QStringLiteral("six piles, 18 cards in all: three cards to each")));
    EXPECT_FALSE(blind.contains(QStringLiteral("unlimited")));

    const QString albert = rules("King Albert");
    EXPECT_TRUE(albert.contains(QStringLiteral("A reserve of seven piles receives seven cards face up")));
    EXPECT_TRUE(albert.contains(QStringLiteral("The seven reserve cards lie face up")));
    EXPECT_TRUE(albert.contains(QStringLiteral("No card may be put back into the reserve")));
    EXPECT_TRUE(albert.contains(QStringLiteral("there is no stock")));
    EXPECT_FALSE(albert.contains(QStringLiteral("Click the stock")));

    const QString open = rules("Open Klondike");
    EXPECT_TRUE(open.contains(QStringLiteral("The remaining 24 cards form the stock, face up")));
    EXPECT_TRUE(open.contains(QStringLiteral("its top card is played directly")));
    EXPECT_TRUE(open.contains(QStringLiteral("no redeal")));

    const QString easthaven = rules("Easthaven");
    EXPECT_TRUE(easthaven.contains(QStringLiteral("deal one card face up onto every tableau pile")));
    EXPECT_FALSE(easthaven.contains(QStringLiteral("onto the waste")));

    const QString freecell = rules("Klondike Freecell");
    EXPECT_TRUE(freecell.contains(QStringLiteral("two free cells")));
    EXPECT_TRUE(freecell.contains(QStringLiteral("(empty free cells + 1) x (empty tableau piles + 1)")));
    EXPECT_TRUE(freecell.contains(QStringLiteral("There is no redeal")));
}

TEST(HelpPages, FoundationsAndBuildingFollowEachGame)
{
    const QString ak = rules("Klondike AK");
    EXPECT_TRUE(
        ak.contains(QStringLiteral("The Aces of hearts and spades start the first two foundations, and the "
                                   "Kings of diamonds and clubs start the other two")));
    EXPECT_TRUE(ak.contains(QStringLiteral("those started with Kings are built down in suit to the Ace")));

    const QString reversed = rules("Klondike Reversed");
    EXPECT_TRUE(reversed.contains(QStringLiteral("The four Kings are taken out first")));
    EXPECT_TRUE(reversed.contains(QStringLiteral("built up in alternating colours")));
    EXPECT_TRUE(reversed.contains(QStringLiteral("filled only with an Ace")));
    EXPECT_TRUE(
        reversed.contains(QStringLiteral("already holds its King from the deal and is built down in suit")));

    const QString plus = rules("Klondike Plus");
    EXPECT_TRUE(plus.contains(QStringLiteral("a King may be placed on an Ace")));
    EXPECT_TRUE(plus.contains(QStringLiteral("base rank")));
    EXPECT_TRUE(plus.contains(QStringLiteral("going on from King to Ace")));

    for (const char *single : {"Somerset", "Raglan"}) {
        const QString t = rules(single);
        EXPECT_TRUE(t.contains(QStringLiteral("Only single cards may be moved"))) << single;
        EXPECT_TRUE(t.contains(QStringLiteral("filled with any card."))) << single;
    }

    const QString canister = rules("Canister");
    EXPECT_TRUE(canister.contains(QStringLiteral("All the tableau cards are dealt face up")));
    EXPECT_TRUE(canister.contains(QStringLiteral("7, 7, 7, 7, 6, 6, 6 and 6 cards")));
    EXPECT_TRUE(canister.contains(QStringLiteral("up or down in alternating colours")));

    const QString eclipse = rules("Eclipse");
    EXPECT_TRUE(eclipse.contains(QStringLiteral("all of one suit: four sets of hearts")));

    const QString stripped = rules("Stripped Klondike");
    EXPECT_TRUE(stripped.contains(QStringLiteral("26 cards: the hearts and spades of one pack")));
    EXPECT_TRUE(stripped.contains(QStringLiteral("two foundations")));
}

TEST(HelpPages, SuitGatheringGamesExplainTheRemoval)
{
    const QString t = rules("Spiderette");
    EXPECT_TRUE(t.contains(QStringLiteral("complete suit of 13 cards, from King down to Ace in one suit")));
    EXPECT_TRUE(t.contains(QStringLiteral("removed to a foundation automatically")));
    EXPECT_TRUE(t.contains(QStringLiteral("You never move cards to the four foundations yourself")));
    EXPECT_TRUE(t.contains(QStringLiteral("built down regardless of suit")));
    EXPECT_TRUE(t.contains(QStringLiteral("moved together only when it is built down in suit")));
    EXPECT_FALSE(t.contains(QStringLiteral("With Autoplay switched on")));

    const QString simon = rules("Simple Simon");
    EXPECT_TRUE(simon.contains(QStringLiteral("8, 8, 8, 7, 6, 5, 4, 3, 2 and 1 cards")));
    EXPECT_TRUE(simon.contains(QStringLiteral("there is no stock")));
}

// The words come from the descriptor, so a change of rules must change the page.
TEST(HelpPages, EveryPageAgreesWithItsDescriptor)
{
    for (int id = 1; id <= kGameCount; ++id) {
        const cGames g = descriptor(id);
        const QString t = plain(helpText::page(id));
        const std::string name = catalogue::GameName(id);
        const bool spider = g.Tag() == "Spider";
        EXPECT_EQ(t.contains(QStringLiteral("complete suit of 13 cards")), spider) << name;
        EXPECT_EQ(t.contains(QStringLiteral("Only single cards may be moved")), g.MultiMove() == 0) << name;
        EXPECT_EQ(t.contains(QStringLiteral("filled only with a King")), g.EmptyNum() == 12) << name;
        EXPECT_EQ(t.contains(QStringLiteral("Redeals are unlimited")), g.StockNum() == 2 && g.Redeals() == -1)
            << name;
        EXPECT_EQ(t.contains(QStringLiteral("allowed once only")), g.StockNum() == 2 && g.Redeals() == 1)
            << name;
        EXPECT_EQ(t.contains(QStringLiteral("free cell")), g.Piles(Res) > 0 && g.ResNum() == -1) << name;
        EXPECT_EQ(t.contains(QStringLiteral("With Autoplay switched on")), !spider && g.DisAutoPlay() != -1)
            << name;
        EXPECT_TRUE(t.contains(QStringLiteral("to the %1 foundations")
                                   .arg(g.Piles(Goal) == 2   ? "two"
                                        : g.Piles(Goal) == 4 ? "four"
                                                             : "eight")))
            << name;
    }
}
