// Test suites run once per game: the log names each run after its game, never a number or a byte dump.
#pragma once

#include <ostream>
#include <string>

#include "model/catalogue.h"

namespace tess::testsupport
{

// "Klondike AK" -> "KlondikeAK": a test name may hold letters and digits only.
inline std::string testNameOf(const char *game)
{
    std::string n;
    for (const char *c = game; *c; ++c)
        if (*c != ' ')
            n += *c;
    return n;
}

// A game of the catalogue by its id.
struct GameId {
    int id;
};

inline void PrintTo(const GameId &g, std::ostream *os)
{
    *os << catalogue::GameName(g.id);
}

inline std::string testNameOf(const GameId &g)
{
    return testNameOf(catalogue::GameName(g.id));
}

} // namespace tess::testsupport
