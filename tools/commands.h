#pragma once

#include <iostream>
#include <string>
#include <vector>

namespace tess::cli
{

using Args = std::vector<std::string>;

int cmdGames(const Args &args);
int cmdShuffle(const Args &args);
int cmdDeal(const Args &args);
int cmdPlay(const Args &args);
int cmdScores(const Args &args);
int cmdExport(const Args &args);
int cmdRender(const Args &args);
int cmdSheet(const Args &args);
int cmdSolve(const Args &args);
int cmdHint(const Args &args);
int cmdWinnable(const Args &args);
int cmdNumber(const Args &args);

// The play command on any streams: the deal the arguments name, the commands read from `script`,
// the layout written to `out`, a refusal to `err`. Returns the exit status.
int playScript(const Args &args, std::istream &script, std::ostream &out, std::ostream &err);

// Reads "<game>" <number>; on a bad argument prints the reason and returns false.
bool parseGameArgs(const Args &args, size_t expected, std::string &game, long long &number,
                   std::ostream &err = std::cerr);

// Takes a "--name N" option out of the arguments; on a value outside low..high prints why and returns false.
bool takeOption(Args &args, const std::string &name, long long &value, long long low, long long high,
                std::ostream &err = std::cerr);

} // namespace tess::cli
