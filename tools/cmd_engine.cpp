// The engine's commands: games, shuffle, deal, play.
#include <iostream>
#include <sstream>

#include "model/catalogue.h"
#include "model/gameNumber.h"
#include "play/cTrans.h"
#include "play/engine.h"
#include "play/mPlay.h"
#include "solve/drive.h"
#include "tools/commands.h"

namespace tess::cli
{

bool parseGameArgs(const Args &args, size_t expected, std::string &game, long long &number, std::ostream &err)
{
    if (args.size() != expected) {
        err << "tessaline-cli: expected " << expected << " arguments, got " << args.size() << "\n";
        return false;
    }
    game = args[0];
    if (catalogue::GameId(game) == 0) {
        err << "tessaline-cli: unknown game \"" << game << "\"; the games are:\n";
        for (const CatalogueRow &r : catalogueRows())
            err << "  " << r.name << "\n";
        return false;
    }
    auto v = parseGameDigits(args[1]);
    if (!v || *v < 1) {
        err << "tessaline-cli: \"" << args[1]
            << "\" is not a game number (a whole number from 1 to 999999999999999)\n";
        return false;
    }
    number = *v;
    return true;
}

bool takeOption(Args &args, const std::string &name, long long &value, long long low, long long high,
                std::ostream &err)
{
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] != name)
            continue;
        const auto v = i + 1 < args.size() ? parseGameDigits(args[i + 1]) : std::nullopt;
        if (!v || *v < low || *v > high) {
            err << "tessaline-cli: " << name << " takes a whole number from " << low << " to " << high
                << "\n";
            return false;
        }
        value = *v;
        args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
        return true;
    }
    return true;
}

int cmdGames(const Args &args)
{
    if (!args.empty()) {
        std::cerr << "tessaline-cli: games takes no arguments\n";
        return 2;
    }
    int id = 1;
    for (const CatalogueRow &r : catalogueRows())
        std::cout << id++ << " " << r.name << "\n";
    return 0;
}

int cmdShuffle(const Args &args)
{
    std::string game;
    long long number = 0;
    if (!parseGameArgs(args, 2, game, number))
        return 2;
    Engine e;
    e.SelectGame(game);
    e.Array.Init(number);
    for (int i = 0; i < e.Games.TotalCards(); ++i)
        std::cout << (i ? " " : "") << e.Array.GetRandom(i);
    std::cout << "\n";
    return 0;
}

static void printLayout(const Engine &e, std::ostream &out = std::cout)
{
    for (int cell = 0; cell < kCellKinds; ++cell) {
        for (int pile = 0; pile < e.Games.Piles(cell); ++pile) {
            out << cell << " " << pile << ":";
            for (int pos = 0; pos <= e.Array.GetTop(cell, pile); ++pos) {
                const int id = e.Array.GetPicID(cell, pile, pos);
                out << " " << id << ":" << e.Array.GetRandom(id) << ":"
                    << (e.card(id).FaceMode == 1 ? 'd' : 'u');
            }
            out << "\n";
        }
    }
    out << "GoalBase " << e.GoalBase << "\n";
}

int cmdDeal(const Args &args)
{
    std::string game;
    long long number = 0;
    if (!parseGameArgs(args, 2, game, number))
        return 2;
    Engine e;
    e.DealNewGame(game, number);
    printLayout(e);
    return 0;
}

namespace
{

bool readInt(std::istringstream &in, long long &v)
{
    std::string w;
    if (!(in >> w))
        return false;
    auto d = parseGameDigits(w);
    if (!d)
        return false;
    v = *d;
    return true;
}

} // namespace

int cmdPlay(const Args &args)
{
    return playScript(args, std::cin, std::cout, std::cerr);
}

int playScript(const Args &argsIn, std::istream &script, std::ostream &out, std::ostream &err)
{
    Args args = argsIn;
    std::string game;
    long long number = 0, autoplay = 1;
    if (!takeOption(args, "--autoplay", autoplay, 0, 1, err) || !parseGameArgs(args, 2, game, number, err))
        return 2;
    HeadlessHost host;
    // Set before the deal, which sends cards home as a game begins only with autoplay on.
    host.autoplay = static_cast<i16>(autoplay);
    Engine e(&host);
    e.NewGame(game, number);
    host.running = true;
    std::string line;
    int lineNo = 0;
    while (std::getline(script, line)) {
        ++lineNo;
        std::istringstream in(line);
        std::string cmd, rest;
        if (!(in >> cmd))
            continue;
        bool ok = true;
        i16 speed = 0;
        if (cmd == "drag") {
            long long id = 0, cell = 0, pile = 0;
            ok = readInt(in, id) && readInt(in, cell) && readInt(in, pile) && id < e.Games.TotalCards() &&
                 cell < kCellKinds && pile < kMaxPiles && e.card(static_cast<int>(id)).Placed;
            if (ok && host.running)
                solve::dragTo(e, static_cast<int>(id), static_cast<int>(cell), static_cast<int>(pile));
        } else if (cmd == "stock") {
            if (host.running && e.Array.GetTop(Stock, 0) >= 0) {
                const int top = e.Array.GetTopPicID(Stock, 0);
                CardPress(e, top, 0, 0);
                CardRelease(e, top);
            }
        } else if (cmd == "marker") {
            StockMarkerPress(e);
        } else if (cmd == "undo") {
            e.Trans->Undo(speed);
        } else if (cmd == "redo") {
            e.Trans->Redo(speed);
        } else if (cmd == "undoall") {
            e.Trans->UndoAll(speed);
        } else if (cmd == "redoall") {
            e.Trans->RedoAll(speed);
        } else if (cmd == "autoplay") {
            long long v = 0;
            ok = readInt(in, v) && v <= 1;
            if (ok) {
                const bool on = v == 1 && host.autoplay == 0;
                host.autoplay = static_cast<i16>(v);
                if (on)
                    RunAutoplay(e);
            }
        } else {
            ok = false;
        }
        if (ok && (in >> rest))
            ok = false;
        if (!ok) {
            err << "tessaline-cli: line " << lineNo << ": cannot read \"" << line << "\"\n";
            return 2;
        }
    }
    printLayout(e, out);
    out << "moves " << e.Trans->GetTransID() << "\n";
    out << "won " << (host.wins > 0 ? 1 : 0) << "\n";
    return 0;
}

} // namespace tess::cli
