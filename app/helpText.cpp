#include "app/helpText.h"

#include <algorithm>
#include <set>
#include <vector>

#include <QRegularExpression>
#include <QStringList>

#include "model/catalogue.h"
#include "play/engine.h"
#include "play/mFunc.h"

namespace tess::helpText
{

namespace
{

// The opening layout as the engine really deals it, so the pages cannot drift from the deal.
struct Layout {
    std::vector<int> pileSize;
    std::vector<int> faceDown;
    int tableauCards = 0;
    int reserveCards = 0;
    int stockLeft = 0;
    struct Base {
        i16 num, suit;
    };
    std::vector<Base> goalCards; // by foundation pile
};

Layout dealOf(Engine &e, const char *name)
{
    e.DealNewGame(name, 1);

    Layout l;
    for (int i = 0; i < e.Games.Piles(Home); ++i) {
        const int n = e.Array.GetTop(Home, i) + 1;
        int down = 0;
        for (int p = 0; p < n; ++p)
            if (e.card(e.Array.GetPicID(Home, i, p)).FaceMode == kFaceDown)
                ++down;
        l.pileSize.push_back(n);
        l.faceDown.push_back(down);
        l.tableauCards += n;
    }
    for (int i = 0; i < e.Games.Piles(Res); ++i)
        l.reserveCards += e.Array.GetTop(Res, i) + 1;
    l.stockLeft = e.Games.Piles(Stock) > 0 ? e.Array.GetTop(Stock, 0) + 1 : 0;
    for (int i = 0; i < e.Games.Piles(Goal); ++i) {
        if (e.Array.GetTop(Goal, i) >= 0) {
            const CardState &c = e.card(e.Array.GetPicID(Goal, i, 0));
            l.goalCards.push_back({c.Num, c.Suit});
        }
    }
    return l;
}

QString number(int n)
{
    static const char *words[] = {"no",  "one",   "two",   "three", "four", "five",
                                  "six", "seven", "eight", "nine",  "ten"};
    if (n >= 0 && n <= 10)
        return QString::fromLatin1(words[n]);
    return QString::number(n);
}

QString capitalised(QString s)
{
    if (!s.isEmpty())
        s[0] = s[0].toUpper();
    return s;
}

QString plural(int n, const QString &one, const QString &many)
{
    return number(n) + QLatin1Char(' ') + (n == 1 ? one : many);
}

const char *rankName(int num)
{
    static const char *names[] = {"Ace",   "Two",  "Three", "Four", "Five",  "Six", "Seven",
                                  "Eight", "Nine", "Ten",   "Jack", "Queen", "King"};
    return names[num];
}

QString rankPlural(int num)
{
    return num == 5 ? QStringLiteral("Sixes") : QString::fromLatin1(rankName(num)) + QLatin1Char('s');
}

const char *suitName(int suit)
{
    static const char *names[] = {"hearts", "spades", "diamonds", "clubs"};
    return names[suit];
}

// "a, b and c"
QString joined(const QStringList &items)
{
    if (items.size() <= 1)
        return items.join(QString());
    return QStringList(items.mid(0, items.size() - 1)).join(QStringLiteral(", ")) + QStringLiteral(" and ") +
           items.last();
}

QString esc(const QString &s)
{
    return s.toHtmlEscaped();
}

// The building rules in words.
struct OrderWords {
    const char *rule;    // "down in alternating colours"
    const char *example; // "a red Nine on a black Ten"
    int direction;       // -1 down, 1 up, 0 both, 2 any
    bool sameSuit;
};

bool orderWords(i32 code, OrderWords &w)
{
    switch (code) {
    case kOrderDownInSuit:
        w = {"down in suit", "the Nine of hearts on the Ten of hearts", -1, true};
        return true;
    case kOrderUpInSuit:
        w = {"up in suit", "the Jack of hearts on the Ten of hearts", 1, true};
        return true;
    case kOrderUpOrDownInSuit:
        w = {"up or down in suit", "the Nine or the Jack of hearts on the Ten of hearts", 0, true};
        return true;
    case kOrderDownAlternate:
        w = {"down in alternating colours", "a red Nine on a black Ten", -1, false};
        return true;
    case kOrderUpAlternate:
        w = {"up in alternating colours", "a red Jack on a black Ten", 1, false};
        return true;
    case kOrderUpOrDownAlternate:
        w = {"up or down in alternating colours", "a red Nine or a red Jack on a black Ten", 0, false};
        return true;
    case kOrderDownAnySuit:
        w = {"down regardless of suit", "any Nine on any Ten", -1, false};
        return true;
    case kOrderUpAnySuit:
        w = {"up regardless of suit", "any Jack on any Ten", 1, false};
        return true;
    case kOrderAnyCard:
        w = {"in any order", "any card on any other", 2, false};
        return true;
    case kOrderUpOrDownAnySuit:
        w = {"up or down regardless of suit", "any Nine or Jack on any Ten", 0, false};
        return true;
    default:
        return false;
    }
}

QString orderRule(i32 code)
{
    OrderWords w{};
    return orderWords(code, w) ? QString::fromLatin1(w.rule) : QStringLiteral("by no rule at all");
}

QString deckPhrase(const cGames &g)
{
    const int n = g.TotalCards();
    std::set<int> suits;
    for (int v = 0; v < n; ++v)
        suits.insert(cardAttrs(v, g.SuitType()).Suit);
    const int sets = n / 13;
    if (suits.size() == 1)
        return QStringLiteral("%1 cards, all of one suit: %2 sets of %3 from Ace to King")
            .arg(n)
            .arg(number(sets), QString::fromLatin1(suitName(*suits.begin())));
    if (suits.size() == 4 && n == 52)
        return QStringLiteral("one pack of 52 cards");
    if (suits.size() == 4 && n % 52 == 0)
        return QStringLiteral("%1 packs of 52 cards shuffled together, %2 cards in all")
            .arg(number(n / 52))
            .arg(n);
    QStringList names;
    for (int s : suits)
        names << QString::fromLatin1(suitName(s));
    const int copies = sets / static_cast<int>(suits.size());
    return QStringLiteral("%1 cards: the %2 of %3, Ace to King")
        .arg(n)
        .arg(joined(names),
             copies == 1 ? QStringLiteral("one pack") : number(copies) + QStringLiteral(" packs"));
}

bool isSpider(const cGames &g)
{
    return isSpiderTag(g.Tag());
}

QString li(const QString &text)
{
    return QStringLiteral("<li>") + text + QStringLiteral("</li>\n");
}

QString section(const QString &heading, const QStringList &items)
{
    QString html = QStringLiteral("<h2>") + heading + QStringLiteral("</h2>\n<ul>\n");
    for (const QString &i : items)
        html += li(i);
    return html + QStringLiteral("</ul>\n");
}

QString pileSizes(const Layout &l)
{
    const std::vector<int> &s = l.pileSize;
    const int piles = static_cast<int>(s.size());
    bool equal = true, staircase = true;
    for (int i = 0; i < piles; ++i) {
        equal = equal && s[static_cast<size_t>(i)] == s[0];
        staircase = staircase && s[static_cast<size_t>(i)] == i + 1;
    }
    if (equal)
        return QStringLiteral("%1 to each")
            .arg(plural(s[0], QStringLiteral("card"), QStringLiteral("cards")));
    if (staircase)
        return QStringLiteral("the first pile gets one card, the second two, and so on up to %1 cards in the "
                              "last pile")
            .arg(number(piles));
    QStringList counts;
    for (int n : s)
        counts << QString::number(n);
    return QStringLiteral("from left to right the piles hold %1 cards").arg(joined(counts));
}

QString faces(const Layout &l)
{
    int down = 0, up = 0;
    bool oneUpEach = true;
    for (size_t i = 0; i < l.pileSize.size(); ++i) {
        down += l.faceDown[i];
        up += l.pileSize[i] - l.faceDown[i];
        oneUpEach = oneUpEach && (l.pileSize[i] == 0 || l.pileSize[i] - l.faceDown[i] == 1);
    }
    if (down == 0)
        return QStringLiteral("All the tableau cards are dealt face up.");
    if (oneUpEach)
        return QStringLiteral(
                   "Only the top card of each pile lies face up; the %1 cards beneath lie face down.")
            .arg(number(down));
    return QStringLiteral("%1 of them lie face down and %2 face up.")
        .arg(capitalised(number(down)), number(up));
}

QStringList layoutItems(const cGames &g, const Layout &l)
{
    QStringList items;
    const int goals = g.Piles(Goal);
    const int gt = g.GoalType();

    if (!l.goalCards.empty()) {
        std::set<int> ranks;
        for (const auto &b : l.goalCards)
            ranks.insert(b.num);
        if (gt == kGoalFirstCard) {
            items << QStringLiteral(
                "One card, drawn from the shuffled pack, starts the first foundation. Its rank "
                "is the base rank of this deal: the other foundations may be started only "
                "with cards of that rank.");
        } else if (gt == kGoalAcesAndKings) {
            QStringList aces, kings;
            for (const auto &b : l.goalCards)
                (b.num == kAce ? aces : kings) << QString::fromLatin1(suitName(b.suit));
            items << QStringLiteral(
                         "The Aces of %1 start the first %2 foundations, and the Kings of %3 start the "
                         "other %4.")
                         .arg(joined(aces), number(static_cast<int>(aces.size())), joined(kings),
                              number(static_cast<int>(kings.size())));
        } else if (ranks.size() == 1) {
            items << QStringLiteral("The %1 %2 are taken out first and start the foundations.")
                         .arg(number(static_cast<int>(l.goalCards.size())), rankPlural(*ranks.begin()));
        }
    } else {
        items << QStringLiteral("The %1 foundations start empty.").arg(number(goals));
    }

    if (l.reserveCards > 0) {
        const int piles = g.Piles(Res);
        items << QStringLiteral("A reserve of %1 receives %2 cards face up, %3.")
                     .arg(plural(piles, QStringLiteral("pile"), QStringLiteral("piles")),
                          number(l.reserveCards),
                          l.reserveCards == piles
                              ? QStringLiteral("one card to each")
                              : QStringLiteral("%1 cards to each").arg(number(l.reserveCards / piles)));
    } else if (g.Piles(Res) > 0) {
        items << QStringLiteral("Beside the stock there are %1, empty at the start.")
                     .arg(plural(g.Piles(Res), QStringLiteral("free cell"), QStringLiteral("free cells")));
    }

    const int piles = static_cast<int>(l.pileSize.size());
    items << QStringLiteral("The tableau is dealt in %1 piles, %2 cards in all: %3. %4")
                 .arg(number(piles), number(l.tableauCards), pileSizes(l), faces(l));

    if (l.stockLeft > 0)
        items << QStringLiteral("The remaining %1 cards form the stock, face %2.")
                     .arg(number(l.stockLeft),
                          g.StockType() == 1 ? QStringLiteral("up") : QStringLiteral("down"));
    else
        items << QStringLiteral("Every card is dealt at the start: there is no stock.");
    return items;
}

QStringList tableauItems(const cGames &g, const Layout &l)
{
    QStringList items;
    OrderWords w{};
    const i32 order = g.Order(Home, 0);
    const bool oneSuit = g.SuitType() == 0;
    if (orderWords(order, w)) {
        QString text = QStringLiteral("Cards are built %1: you may place, for example, %2.")
                           .arg(QString::fromLatin1(w.rule), QString::fromLatin1(w.example));
        if (oneSuit && w.sameSuit)
            text += QStringLiteral(" As every card is of the same suit, only the ranks matter.");
        items << text;
    } else {
        items << QStringLiteral("No card may be built on another in the tableau.");
    }

    if (g.AK(Home) != 0 && w.direction != 2) {
        QString wrap;
        if (w.direction < 0)
            wrap = QStringLiteral("a King may be placed on an Ace");
        else if (w.direction > 0)
            wrap = QStringLiteral("an Ace may be placed on a King");
        else
            wrap = QStringLiteral("a King may go on an Ace and an Ace on a King");
        items << QStringLiteral("Ranks wrap around: %1%2.")
                     .arg(wrap, w.sameSuit || order >= kOrderDownAnySuit
                                    ? QString()
                                    : QStringLiteral(", colours still alternating"));
    }

    if (g.MultiMove() == 0) {
        items << QStringLiteral(
            "Only single cards may be moved: runs cannot be moved as a unit, so a run has to "
            "be shifted one card at a time.");
    } else {
        const i32 multi = g.MultiOrder();
        if (multi == order) {
            items << QStringLiteral(
                         "A run of face-up cards built %1 may be moved as a unit, and so may any part of "
                         "it that ends with the top card.")
                         .arg(orderRule(order));
        } else {
            items << QStringLiteral(
                         "Any top card may be moved by itself, but a run of several cards may be moved "
                         "together only when it is built %1.")
                         .arg(orderRule(multi));
        }
        if (isFreecellTag(g.Tag())) {
            items << QStringLiteral(
                "How many cards move together is limited by the free space: at most "
                "(empty free cells + 1) &times; (empty tableau piles + 1) cards. With two empty "
                "free cells and no empty pile, that is three cards.");
        }
    }

    if (std::any_of(l.faceDown.begin(), l.faceDown.end(), [](int d) { return d > 0; }))
        items << QStringLiteral("When a face-down card is uncovered, it is turned face up.");

    const QString what = g.MultiMove() != 0 ? QStringLiteral("card or run") : QStringLiteral("card");
    switch (g.EmptyNum()) {
    case -1:
        items << QStringLiteral("An empty tableau pile may be filled with any %1.").arg(what);
        break;
    case kKing:
        items << QStringLiteral("An empty tableau pile may be filled only with a King%1.")
                     .arg(g.MultiMove() != 0 ? QStringLiteral(" or a run headed by a King") : QString());
        break;
    case kAce:
        items << QStringLiteral("An empty tableau pile may be filled only with an Ace%1.")
                     .arg(g.MultiMove() != 0 ? QStringLiteral(" or a run headed by an Ace") : QString());
        break;
    default:
        items << QStringLiteral("An empty tableau pile may be filled only with a %1.")
                     .arg(QString::fromLatin1(rankName(g.EmptyNum())));
        break;
    }
    return items;
}

QStringList foundationItems(const cGames &g, const Layout &l)
{
    QStringList items;
    const int goals = g.Piles(Goal);
    if (isSpider(g)) {
        items << QStringLiteral(
                     "You never move cards to the %1 foundations yourself. When a complete suit of 13 "
                     "cards, from King down to Ace in one suit, lies in order at the top of a tableau "
                     "pile, it is removed to a foundation automatically.")
                     .arg(number(goals));
        items << QStringLiteral(
            "Autoplay plays no part in this game; cards other than complete suits stay in the "
            "tableau.");
        return items;
    }

    const QString dir = [&](i32 code) {
        switch (code) {
        case kOrderDownInSuit:
            return QStringLiteral("down in suit");
        case kOrderUpInSuit:
            return QStringLiteral("up in suit");
        default:
            return orderRule(code);
        }
    }(g.Order(Goal, 0));
    const bool wrap = g.AK(Goal) != 0;
    const bool dealt = !l.goalCards.empty();
    const QString started = QStringLiteral("already holds its %1 from the deal");
    const QString startsWith = QStringLiteral("is started with %1");
    switch (g.GoalType()) {
    case kGoalKings:
        items << QStringLiteral("Each of the %1 foundations %2 and is built %3 to the Ace.")
                     .arg(number(goals),
                          dealt ? started.arg(QStringLiteral("King"))
                                : startsWith.arg(QStringLiteral("a King")),
                          dir);
        break;
    case kGoalAcesAndKings: {
        const int half = g.Cards(Goal) / 2;
        items << QStringLiteral("The foundations started with Aces are built up in suit to the King; those "
                                "started with Kings are built down in suit to the Ace.");
        if (half * 2 != goals)
            items << QStringLiteral("An empty foundation takes an Ace.");
        break;
    }
    case kGoalFirstCard:
        items << QStringLiteral(
                     "Every foundation is started with a card of the base rank and built %1%2 until "
                     "it holds 13 cards.")
                     .arg(dir, wrap ? QStringLiteral(", going on from King to Ace") : QString());
        break;
    default:
        items << QStringLiteral("Each of the %1 foundations %2 and is built %3 to the King.")
                     .arg(number(goals),
                          dealt ? started.arg(QStringLiteral("Ace"))
                                : startsWith.arg(QStringLiteral("an Ace")),
                          dir);
        break;
    }
    items << QStringLiteral("Only single cards may be placed on a foundation, never a run.");
    if (g.DisAutoPlay() == -1)
        items << QStringLiteral("Cards are never moved to the foundations automatically in this game.");
    else
        items << QStringLiteral(
            "With Autoplay switched on (Game menu, F7), every card that fits on a foundation "
            "goes there by itself.");
    return items;
}

QStringList stockItems(const cGames &g, const Layout &l)
{
    QStringList items;
    if (l.stockLeft == 0)
        return items;
    if (g.StockType() == 1) {
        items << QStringLiteral(
            "The stock lies face up and its top card is played directly, by dragging it to "
            "the tableau or a foundation. There is no waste and no redeal.");
        return items;
    }
    if (g.StockMove() == 2) {
        items << QStringLiteral(
            "Click the stock to deal one card face up onto every tableau pile, empty piles "
            "included. When fewer cards remain than there are piles, only the first piles "
            "get one.");
        items << QStringLiteral("There is no waste and no redeal: the stock is dealt through once.");
        return items;
    }
    items << QStringLiteral(
        "Click the stock to turn its top card face up onto the waste, one card at a time. The "
        "top card of the waste may be played to the tableau or a foundation.");
    if (g.StockNum() == 2 && g.Redeals() == -1)
        items << QStringLiteral(
            "When the stock is used up, click its empty place to turn the waste over into a new "
            "stock. Redeals are unlimited: you may go through the stock as often as you like.");
    else if (g.StockNum() == 2 && g.Redeals() == 1)
        items << QStringLiteral(
            "When the stock is used up, click its empty place to turn the waste over into a new "
            "stock. This redeal is allowed once only.");
    else if (g.StockNum() == 2 && g.Redeals() > 1)
        items << QStringLiteral(
                     "When the stock is used up, click its empty place to turn the waste over into a new "
                     "stock. This is allowed %1 times.")
                     .arg(number(g.Redeals()));
    else
        items << QStringLiteral("There is no redeal: once the stock is used up, it stays empty.");
    return items;
}

QStringList reserveItems(const cGames &g, const Layout &l)
{
    QStringList items;
    if (g.Piles(Res) == 0)
        return items;
    if (g.ResNum() == -1) {
        items << QStringLiteral(
            "Each free cell holds one card. Any single card may be moved into an empty free "
            "cell, and from there back to the tableau or onto a foundation.");
    } else {
        items << QStringLiteral(
                     "The %1 reserve cards lie face up, and each may be played to the tableau or a "
                     "foundation at any time. No card may be put back into the reserve.")
                     .arg(number(l.reserveCards));
    }
    return items;
}

const char *kStyle = R"(
body { font-family: 'DejaVu Sans', 'Segoe UI', Arial, sans-serif; font-size: 10pt; color: #23272a; }
h1 { font-size: 17pt; font-weight: 600; color: #1b5e34; margin-top: 2px; margin-bottom: 6px; }
h2 { font-size: 11.5pt; font-weight: 600; color: #2e6b45; margin-top: 14px; margin-bottom: 4px; }
p { margin-top: 4px; margin-bottom: 6px; }
p.intro { font-size: 10.5pt; color: #3c4348; margin-bottom: 10px; }
ul { margin-top: 2px; margin-bottom: 4px; margin-left: 0px; }
li { margin-bottom: 4px; }
a { color: #1d5fa8; text-decoration: none; }
td { padding: 2px 14px 2px 0px; }
p.nav { font-size: 9pt; margin-top: 16px; color: #6b7378; }
.key { font-weight: 600; }
)";

QString wrapPage(const QString &pageTitle, const QString &body)
{
    return QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>") + esc(pageTitle) +
           QStringLiteral("</title>\n<style>") + QString::fromLatin1(kStyle) +
           QStringLiteral("</style></head>\n<body>\n") + body + QStringLiteral("</body></html>\n");
}

QString link(int context, const QString &text)
{
    return QStringLiteral("<a href=\"%1\">%2</a>").arg(topicUrl(context).toString(), esc(text));
}

} // namespace

QUrl topicUrl(int context)
{
    if (context == kSolverPage)
        return QUrl(QStringLiteral("solver.html"));
    return QUrl(QStringLiteral("topic%1.html").arg(context));
}

int contextOfUrl(const QUrl &url)
{
    if (url.fileName() == QLatin1String("solver.html"))
        return kSolverPage;
    static const QRegularExpression re(QStringLiteral("^topic(\\d{1,2})\\.html$"));
    const QRegularExpressionMatch m = re.match(url.fileName());
    if (!m.hasMatch())
        return -1;
    const int n = m.captured(1).toInt();
    return n <= kGameCount ? n : -1;
}

QString title(int context)
{
    if (context >= 1 && context <= kGameCount)
        return QString::fromLatin1(catalogue::GameName(context));
    if (context == kSolverPage)
        return QStringLiteral("Hints and Winnable Deals");
    return QStringLiteral("%1 Help").arg(QString::fromLatin1(catalogue::kProductName));
}

QString rulesPage(int gameId)
{
    if (gameId < 1 || gameId > kGameCount)
        return contentsPage();
    const char *name = catalogue::GameName(gameId);
    Engine e;
    const Layout l = dealOf(e, name);
    const cGames &g = e.Games;
    const QString gName = esc(QString::fromLatin1(name));

    QString aim = isSpider(g)
                      ? QStringLiteral("The aim is to gather all %1 cards into complete suits, which then "
                                       "leave the tableau for the %2 foundations.")
                            .arg(g.TotalCards())
                            .arg(number(g.Piles(Goal)))
                      : QStringLiteral("The aim is to move all %1 cards to the %2 foundations.")
                            .arg(g.TotalCards())
                            .arg(number(g.Piles(Goal)));
    QString body = QStringLiteral("<h1>%1</h1>\n<p class=\"intro\">%1 is played with %2. %3</p>\n")
                       .arg(gName, deckPhrase(g), aim);
    body += section(QStringLiteral("The deal"), layoutItems(g, l));
    body += section(QStringLiteral("The tableau"), tableauItems(g, l));
    body += section(QStringLiteral("The foundations"), foundationItems(g, l));
    const QStringList reserve = reserveItems(g, l);
    if (!reserve.isEmpty())
        body += section(g.ResNum() == -1 ? QStringLiteral("The free cells") : QStringLiteral("The reserve"),
                        reserve);
    const QStringList stock = stockItems(g, l);
    if (!stock.isEmpty())
        body += section(g.Piles(Waste) > 0 ? QStringLiteral("The stock and the waste")
                                           : QStringLiteral("The stock"),
                        stock);
    body += QStringLiteral("<h2>Winning</h2>\n<p>");
    body += isSpider(g)
                ? QStringLiteral("You win when all %1 cards have left the tableau as complete suits.")
                      .arg(g.TotalCards())
                : QStringLiteral("You win when all %1 cards lie on the foundations.").arg(g.TotalCards());
    body += QStringLiteral(" If you get stuck, Undo (Ctrl+Z) takes moves back one at a time.</p>\n");
    body += QStringLiteral("<p class=\"nav\">") +
            link(kContents, QStringLiteral("All games and how to play")) + QStringLiteral("</p>\n");
    return wrapPage(QString::fromLatin1(name), body);
}

QString contentsPage()
{
    const QString prod = QString::fromLatin1(catalogue::kProductName);
    QString body = QStringLiteral("<h1>%1 Help</h1>\n").arg(esc(prod));
    body +=
        QStringLiteral("<p class=\"intro\">%1 offers %2 patience games. Pick a game to read its rules; the "
                       "sections below explain how to play them all.</p>\n")
            .arg(esc(prod))
            .arg(kGameCount);

    body += QStringLiteral("<h2>The games</h2>\n<table cellspacing=\"0\">\n");
    const int rows = (kGameCount + 2) / 3;
    for (int r = 0; r < rows; ++r) {
        body += QStringLiteral("<tr>");
        for (int c = 0; c < 3; ++c) {
            const int id = c * rows + r + 1;
            body += QStringLiteral("<td>") +
                    (id <= kGameCount ? link(id, QString::fromLatin1(catalogue::GameName(id))) : QString()) +
                    QStringLiteral("</td>");
        }
        body += QStringLiteral("</tr>\n");
    }
    body += QStringLiteral("</table>\n");

    body += section(
        QStringLiteral("Starting a game"),
        {QStringLiteral(
             "<span class=\"key\">Select Game</span> (F3) lists the games with a picture of each "
             "layout. <span class=\"key\">New Game</span> (F2) deals the last game again with a new "
             "shuffle, and <span class=\"key\">Restart Game</span> (Ctrl+F2) starts the same deal "
             "afresh."),
         QStringLiteral(
             "Every deal has a number. The same game and number always give the same layout, so a deal "
             "can be replayed or shared: choose <span class=\"key\">Select a Number</span> (Ctrl+F12) "
             "to play a particular one, or add it to the Favorites menu."),
         QStringLiteral(
             "<span class=\"key\">Rules</span> (F1) shows the rules of the game you are playing.")});
    body += section(
        QStringLiteral("Moving cards"),
        {QStringLiteral(
             "Drag a card with the mouse and drop it where it may go; the cards above it travel with it "
             "when the game lets runs move together. A card dropped where it may not go returns to its "
             "place."),
         QStringLiteral(
             "Click the stock to deal from it. Depending on the game it turns a card onto the waste or "
             "deals a row of cards onto the tableau; where redeals are allowed, a click on the empty "
             "stock place turns the waste over."),
         QStringLiteral(
             "With <span class=\"key\">Double-Click Sends Home</span> ticked in the Game menu, a double "
             "click on a card that fits on a foundation sends it there."),
         QStringLiteral(
             "Each game's rules page says what may be built on what, how many cards may move at once "
             "and which cards may fill an empty pile.")});
    body += section(
        QStringLiteral("Playing with the keyboard"),
        {QStringLiteral(
             "Every game can be played without the mouse. Once you press a key on the table, a yellow "
             "frame marks the pile the keys act on; a new game puts it on the first tableau pile."),
         QStringLiteral(
             "<span class=\"key\">Left</span> and <span class=\"key\">Right</span> move the frame "
             "along its row: the tableau, or the top row of stock, waste, foundations and free cells. "
             "<span class=\"key\">Up</span> and <span class=\"key\">Down</span> move it between the "
             "two rows, to the pile nearest above or below."),
         QStringLiteral(
             "<span class=\"key\">Space</span> or <span class=\"key\">Enter</span> on the stock "
             "deals from it, as a click does. Elsewhere it picks up the top card of the framed pile, "
             "which turns blue; move the frame to where it should go and press it again to put it "
             "there. A card that may not go there returns to its place, and "
             "<span class=\"key\">Esc</span> puts back what you hold."),
         QStringLiteral(
             "To pick up a run, press <span class=\"key\">Shift+Up</span> first, once for each card "
             "more, as far as the game lets the run move together; "
             "<span class=\"key\">Shift+Down</span> takes one off again."),
         QStringLiteral(
             "<span class=\"key\">Home</span> sends the top card of the framed pile to a foundation "
             "that takes it. A click with the mouse puts back what the keys hold and hides the "
             "frame until the next key.")});
    body += section(
        QStringLiteral("Undo and redo"),
        {QStringLiteral(
             "<span class=\"key\">Undo</span> (Ctrl+Z) takes back the last move and "
             "<span class=\"key\">Redo</span> (Ctrl+X) makes it again. A row dealt from the stock, a "
             "redeal and a complete suit leaving the tableau each count as one step."),
         QStringLiteral(
             "<span class=\"key\">Undo All</span> (Ctrl+C) and <span class=\"key\">Redo All</span> "
             "(Ctrl+V) go back to the deal and forward to the last move. The Replay menu plays the game "
             "backward or forward at a steady pace, and <span class=\"key\">History</span> (Ctrl+H) "
             "lists every move.")});
    body += section(
        QStringLiteral("Autoplay"),
        {QStringLiteral(
             "With <span class=\"key\">Autoplay</span> (F7) switched on, every card that fits on a "
             "foundation goes there by itself after each move. Switching it on moves at once every "
             "card that fits."),
         QStringLiteral(
             "In the games that gather complete suits, a suit from King down to Ace leaves the tableau "
             "by itself, whether Autoplay is on or not; nothing else goes to the foundations.")});
    body += section(QStringLiteral("When you are stuck"),
                    {QStringLiteral("The Game menu can look ahead for you: <span class=\"key\">Hint</span> "
                                    "(H) shows a next step, <span class=\"key\">Can This Deal Be Won?</span> "
                                    "says whether the cards can still all go home, and "
                                    "<span class=\"key\">Winnable Deals Only</span> deals only games that "
                                    "can be won. ") +
                     link(kSolverPage, QStringLiteral("Hints and winnable deals")) +
                     QStringLiteral(" tells more.")});
    body +=
        section(QStringLiteral("Scoring"),
                {QStringLiteral(
                     "The score is 10 points for every card on the foundations, less a third of the seconds "
                     "played and half the moves made, rounded to the nearest whole number."),
                 QStringLiteral("For example, 52 cards home after 300 seconds and 120 moves score "
                                "520 &minus; (100 + 60) = 360. A slow game can score below zero."),
                 QStringLiteral("Every move counts, including those made by Autoplay and by redo.")});
    body += section(
        QStringLiteral("Players and statistics"),
        {QStringLiteral(
             "Every game that ends, won or given up, is recorded for the current player. "
             "<span class=\"key\">Players</span> (Ctrl+L) adds players and chooses who is playing."),
         QStringLiteral(
             "The Statistics menu shows each game's record (F4), this session's games, the high "
             "scores (F9) and a log of every game played. The Game Statistics window also exports everything "
             "as a text report."),
         QStringLiteral("<span class=\"key\">Customize</span> (Ctrl+U) sets the table, the card backs, the "
                        "speeds and which sounds are heard.")});
    return wrapPage(title(kContents), body);
}

QString solverPage()
{
    QString body = QStringLiteral("<h1>Hints and Winnable Deals</h1>\n");
    body += QStringLiteral(
        "<p class=\"intro\">Three items at the end of the Game menu look ahead through the cards for "
        "you. They see the face-down cards too, so treat their answers as a friend who peeked, and use "
        "them as little or as much as you like.</p>\n");
    body += section(
        QStringLiteral("Hint"),
        {QStringLiteral("<span class=\"key\">Hint</span> (H) searches for a line of play that wins from "
                        "where the cards lie now, and shows its first step at the right of the menu bar. "
                        "For a move, the card to move and the card it goes onto are lit up."),
         QStringLiteral("When the stock has to be turned first, the hint names the card to turn towards "
                        "rather than every single click. Ask again after each step and the hints keep "
                        "to the same plan, one step at a time."),
         QStringLiteral("The search takes a few seconds at most. If it finds no winning line it says so: "
                        "either no move leads to a win any more, or no line was found in the time "
                        "given. Any move you make clears the hint."),
         QStringLiteral("Whether Autoplay is on is taken into account, since it changes which moves "
                        "happen by themselves.")});
    body += section(
        QStringLiteral("Can This Deal Be Won?"),
        {QStringLiteral("<span class=\"key\">Can This Deal Be Won?</span> searches from the present "
                        "position and answers in the same place: the deal can be won (with the number of "
                        "moves the line found takes), it cannot be won from here, or no answer was found "
                        "in time. It moves nothing."),
         QStringLiteral("A deal that could be won at the start may no longer be winnable after a few "
                        "moves; asking again after Undo shows whether an earlier position was still "
                        "open.")});
    body += section(
        QStringLiteral("Winnable Deals Only"),
        {QStringLiteral("With <span class=\"key\">Winnable Deals Only</span> ticked, every game dealt "
                        "with a drawn number is one the search has shown can be won: New Game (F2), Play "
                        "in Select Game, a game from Recent Games and New Game in the window that "
                        "congratulates you on a win."),
         QStringLiteral("For most games Tessaline carries a list of deals it has already won, and "
                        "the deal comes at once. For a game without one, or when your range of numbers "
                        "reaches none of them, finding a deal can take a few seconds: a small window "
                        "says that it is looking, and its Cancel button leaves the table as it was. "
                        "When no winnable deal turns up in time, an ordinary deal is dealt and the menu "
                        "bar says so."),
         QStringLiteral("A number you type in Select a Number, Restart Game and the deals kept in "
                        "Favorites are played as they are: the setting only chooses new numbers.")});
    body += QStringLiteral("<p class=\"nav\">") +
            link(kContents, QStringLiteral("All games and how to play")) + QStringLiteral("</p>\n");
    return wrapPage(title(kSolverPage), body);
}

QString page(int context)
{
    if (context >= 1 && context <= kGameCount)
        return rulesPage(context);
    if (context == kSolverPage)
        return solverPage();
    return contentsPage();
}

} // namespace tess::helpText
