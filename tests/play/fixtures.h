// Small tables written as text, for rule tests: {"#KS", "QH", "JC"} is a pile from the bottom up,
// "#" marking a face-down card. Cards not named lie on the stock (or nowhere, when asked).
#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "model/cards.h"
#include "play/cTrans.h"
#include "play/engine.h"
#include "play/mPlay.h"

namespace tess::fixture
{

struct CardText {
    i16 num = 0;
    i16 suit = 0;
    bool faceDown = false;
};

// "AS", "10H" or "TH", "QD", "#7C".
inline CardText parseCard(const std::string &text)
{
    std::string t = text;
    CardText c;
    if (!t.empty() && t[0] == '#') {
        c.faceDown = true;
        t.erase(0, 1);
    }
    if (t.size() < 2)
        throw std::invalid_argument("card text too short: " + text);
    const std::string rank = t.substr(0, t.size() - 1);
    static const std::map<std::string, int> ranks{{"A", 0}, {"2", 1},  {"3", 2},  {"4", 3}, {"5", 4},
                                                  {"6", 5}, {"7", 6},  {"8", 7},  {"9", 8}, {"10", 9},
                                                  {"T", 9}, {"J", 10}, {"Q", 11}, {"K", 12}};
    const auto r = ranks.find(rank);
    const std::string suits = "HSDC";
    const auto s = suits.find(t.back());
    if (r == ranks.end() || s == std::string::npos)
        throw std::invalid_argument("not a card: " + text);
    c.num = static_cast<i16>(r->second);
    c.suit = static_cast<i16>(s);
    return c;
}

inline std::string cardText(const Engine &e, int picId)
{
    static const char *ranks[] = {"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
    const CardState &c = e.card(picId);
    return std::string(c.FaceMode == 1 ? "#" : "") + ranks[c.Num] + "HSDC"[c.Suit];
}

// A whole suit from Ace up to (and including) the given rank, as foundation text.
inline std::vector<std::string> suitRun(char suit, int toNum = 12)
{
    static const char *ranks[] = {"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
    std::vector<std::string> v;
    for (int n = 0; n <= toNum; ++n)
        v.push_back(std::string(ranks[n]) + suit);
    return v;
}

struct PileSpec {
    int cell;
    int pile;
    std::vector<std::string> cards; // bottom first
};

enum class Rest { Stock, Nowhere };

// Records what the engine shows and plays.
class RecordingView : public TableView
{
  public:
    struct Step {
        int picId;
        double left, top;
    };
    bool animating = false;
    std::vector<std::string> sounds;
    // Where each card was shown, every time the engine said so.
    std::map<int, std::vector<std::pair<double, double>>> moves;
    // The card and its place at each intermediate step of an animated move.
    std::vector<Step> steps;
    // "move <id>", "face <id>", "sound <name>" and "events" (the deal's pause after a card) in order.
    std::vector<std::string> events;

    bool animates() const override { return animating; }
    void playSound(const std::string &name) override
    {
        sounds.push_back(name);
        events.push_back("sound " + name);
    }
    void cardMoved(int picId, double left, double top) override
    {
        moves[picId].emplace_back(left, top);
        events.push_back("move " + std::to_string(picId));
        last_ = {picId, left, top};
    }
    void cardFaceChanged(int picId) override { events.push_back("face " + std::to_string(picId)); }
    void animationStep() override { steps.push_back(last_); }
    void processEvents() override { events.push_back("events"); }
    void clear()
    {
        sounds.clear();
        moves.clear();
        events.clear();
        steps.clear();
    }

  private:
    Step last_{-1, 0, 0};
};

// A game laid out by hand. The engine's host says a game runs, autoplay on, unless told otherwise.
class Table
{
  public:
    HeadlessHost host;
    RecordingView view;
    Engine e{&host, &view};

    Table(const std::string &game, const std::vector<PileSpec> &piles, Rest rest = Rest::Stock)
    {
        if (!e.SelectGame(game))
            throw std::invalid_argument("unknown game: " + game);
        e.Array.Init(1);
        lay(piles, rest);
        e.NewTrans();
        e.RedealCount = 0;
        host.running = true;
        view.clear();
    }

    int id(int cell, int pile, int pos) const { return e.Array.GetPicID(cell, pile, pos); }
    int top(int cell, int pile) const { return e.Array.GetTop(cell, pile); }
    int topId(int cell, int pile) const { return e.Array.GetTopPicID(cell, pile); }
    int moves() const { return e.Trans->GetTransID(); }

    // The first placed card with this rank and suit.
    int find(const std::string &text) const
    {
        const CardText c = parseCard(text);
        for (int p = 0; p < e.Array.totalCards(); ++p) {
            const CardState &s = e.card(p);
            if (s.Placed && s.Num == c.num && s.Suit == c.suit)
                return p;
        }
        throw std::invalid_argument("card not on the table: " + text);
    }

    // Pile as text, bottom first, space separated: "#KS QH".
    std::string pile(int cell, int pile) const
    {
        std::string s;
        for (int pos = 0; pos <= top(cell, pile); ++pos) {
            // Appended piece by piece: GCC 12 at -O3 misreads `"" + string` as an overflow.
            if (pos)
                s += ' ';
            s += cardText(e, id(cell, pile, pos));
        }
        return s;
    }

    // Press a card at its corner, carry it by (dx, dy) and let go.
    void dragBy(int picId, double dx, double dy)
    {
        CardPress(e, picId, 0, 0);
        CardMove(e, picId, dx, dy);
        CardRelease(e, picId);
    }

    // Carry a card so that its corner lands on the slot the release tests for that pile.
    void drag(int picId, int cell, int pile)
    {
        const int slotPos = cell == Home ? top(cell, pile) : 0;
        dragBy(picId, e.Array.CordX(cell, pile, slotPos) - e.card(picId).Left,
               e.Array.CordY(cell, pile, slotPos) - e.card(picId).Top);
    }

    void pressStock()
    {
        const int t = topId(Stock, 0);
        CardPress(e, t, 0, 0);
        CardRelease(e, t);
    }

    bool undo(i16 speed = 0) { return e.Trans->Undo(speed); }
    bool redo(i16 speed = 0) { return e.Trans->Redo(speed); }

  private:
    void lay(const std::vector<PileSpec> &piles, Rest rest)
    {
        const int n = e.Games.TotalCards();
        const int suitType = e.Games.SuitType();
        std::vector<bool> used(static_cast<size_t>(n), false);
        auto take = [&](const CardText &c) {
            for (int v = 0; v < n; ++v) {
                const CardAttrs a = cardAttrs(v, suitType);
                if (!used[static_cast<size_t>(v)] && a.Num == c.num && a.Suit == c.suit) {
                    used[static_cast<size_t>(v)] = true;
                    return v;
                }
            }
            throw std::invalid_argument("no card left for a pile of this game");
        };

        struct Placement {
            int value;
            int cell, pile;
            bool faceDown;
        };
        std::vector<Placement> onStock, dealt;
        for (const PileSpec &p : piles)
            for (const std::string &t : p.cards) {
                const CardText c = parseCard(t);
                Placement pl{take(c), p.cell, p.pile, c.faceDown};
                (p.cell == Stock ? onStock : dealt).push_back(pl);
            }
        std::vector<Placement> leftovers;
        for (int v = 0; v < n; ++v)
            if (!used[static_cast<size_t>(v)])
                leftovers.push_back({v, Stock, 0, e.Games.StockType() != 1});

        // Bottom to top of the stock: leftovers, the stock's own cards, then the cards to deal, the first
        // on top. Every fresh card reaches the stock before any tableau card, as in a real deal.
        std::vector<Placement> stack;
        if (rest == Rest::Stock)
            stack = leftovers;
        stack.insert(stack.end(), onStock.begin(), onStock.end());
        stack.insert(stack.end(), dealt.rbegin(), dealt.rend());
        int picId = 0;
        auto setValue = [&](int p, int value) {
            const CardAttrs a = cardAttrs(value, suitType);
            e.SetValue(p, a.Suit, a.Num, a.Suitpile);
            e.SetFacePic(p, facePicture(a.Suit, a.Num));
        };
        for (const Placement &pl : stack) {
            setValue(picId, pl.value);
            i32 mod = tmod::Deal;
            e.Array.MoveCard(static_cast<i16>(picId), Stock, 0,
                             static_cast<i16>(e.Array.GetTop(Stock, 0) + 1), mod, 0, 0, pl.faceDown ? 1 : 0);
            ++picId;
        }
        if (rest == Rest::Nowhere)
            for (const Placement &pl : leftovers)
                setValue(picId++, pl.value);
        for (const Placement &pl : dealt) {
            i32 mod = tmod::Deal;
            e.Array.MoveCard(
                e.Array.GetTopPicID(Stock, 0), static_cast<i16>(pl.cell), static_cast<i16>(pl.pile),
                static_cast<i16>(e.Array.GetTop(pl.cell, pl.pile) + 1), mod, 0, 0, pl.faceDown ? 1 : 0);
        }
    }
};

} // namespace tess::fixture
