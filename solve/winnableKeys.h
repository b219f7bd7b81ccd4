// The deals proved winnable ahead of time, by the key of their game number (DealKey), one list a game.
// The program ships such a list, so Winnable Deals Only can deal at once instead of searching.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace tess::solve
{

class WinnableKeys
{
  public:
    // The list's text: a line a game with name, keys tried, seconds spent and the winnable keys,
    // separated by tabs (the keys by spaces); lines starting with '#' are comments. A line that does not
    // read whole is left out, never half taken.
    static WinnableKeys parse(std::string_view text);
    // The list compiled into the program.
    static const WinnableKeys &shipped();

    // The game's keys, rising and each once; empty for a game without a list.
    const std::vector<std::uint16_t> &keys(std::string_view game) const;
    bool contains(std::string_view game, std::uint16_t key) const;
    void set(const std::string &game, std::vector<std::uint16_t> keys);

  private:
    std::map<std::string, std::vector<std::uint16_t>, std::less<>> games_;
};

// How many numbers a draw may look at before giving up: enough that a list of a single key is found
// with near certainty when the range reaches it, few enough to take a few milliseconds.
inline constexpr int kWinnableDraws = 200000;

// Draws numbers as New Game does, within the range setting, until one's key is on the game's list;
// none when the list is empty or the draws run out (a range too small to reach a listed key).
std::optional<long long> drawWinnableNumber(const WinnableKeys &list, std::string_view game, int rangeIndex);
std::optional<long long> drawWinnableNumber(const WinnableKeys &list, std::string_view game, int rangeIndex,
                                            std::mt19937_64 &gen, int draws = kWinnableDraws);

} // namespace tess::solve
