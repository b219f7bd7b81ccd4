#include "solve/winnableKeys.h"

#include <algorithm>
#include <charconv>
#include <chrono>

#include "model/random.h"
#include "play/mFunc.h"

namespace tess::solve
{

// The text of data/winnable_keys.txt, a line an entry, written into the build by CMake.
extern const char *const kShippedWinnableLines[];
extern const std::size_t kShippedWinnableLineCount;

namespace
{

std::vector<std::string_view> split(std::string_view s, char sep)
{
    std::vector<std::string_view> parts;
    for (;;) {
        const size_t at = s.find(sep);
        parts.push_back(s.substr(0, at));
        if (at == std::string_view::npos)
            return parts;
        s.remove_prefix(at + 1);
    }
}

template <typename T> bool readNumber(std::string_view s, T &v)
{
    if (s.empty())
        return false;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    return ec == std::errc{} && end == s.data() + s.size();
}

// One line into `into`; false, leaving `into` alone, when any part of it does not read.
bool parseLine(std::string_view line, WinnableKeys &into)
{
    const std::vector<std::string_view> fields = split(line, '\t');
    if (fields.size() != 4 || fields[0].empty())
        return false;
    long long tried = 0;
    if (!readNumber(fields[1], tried) || tried < 0)
        return false;
    std::vector<std::uint16_t> keys;
    for (std::string_view word : split(fields[3], ' ')) {
        if (word.empty())
            continue;
        std::uint16_t k = 0;
        if (!readNumber(word, k))
            return false;
        keys.push_back(k);
    }
    std::vector<std::uint16_t> all = into.keys(fields[0]);
    all.insert(all.end(), keys.begin(), keys.end());
    into.set(std::string(fields[0]), std::move(all));
    return true;
}

} // namespace

WinnableKeys WinnableKeys::parse(std::string_view text)
{
    WinnableKeys list;
    for (std::string_view line : split(text, '\n')) {
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        parseLine(line, list);
    }
    return list;
}

const WinnableKeys &WinnableKeys::shipped()
{
    // Read once on first use; the text is part of the program and never changes while it runs.
    static const WinnableKeys list = [] {
        std::string text;
        for (std::size_t i = 0; i < kShippedWinnableLineCount; ++i) {
            text += kShippedWinnableLines[i];
            text += '\n';
        }
        return parse(text);
    }();
    return list;
}

const std::vector<std::uint16_t> &WinnableKeys::keys(std::string_view game) const
{
    static const std::vector<std::uint16_t> none;
    const auto it = games_.find(game);
    return it == games_.end() ? none : it->second;
}

bool WinnableKeys::contains(std::string_view game, std::uint16_t key) const
{
    const std::vector<std::uint16_t> &k = keys(game);
    return std::binary_search(k.begin(), k.end(), key);
}

void WinnableKeys::set(const std::string &game, std::vector<std::uint16_t> keys)
{
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    if (keys.empty())
        games_.erase(game);
    else
        games_[game] = std::move(keys);
}

std::optional<long long> drawWinnableNumber(const WinnableKeys &list, std::string_view game, int rangeIndex)
{
    std::seed_seq seq{
        static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count()),
        static_cast<unsigned long long>(std::chrono::system_clock::now().time_since_epoch().count())};
    std::mt19937_64 gen(seq);
    return drawWinnableNumber(list, game, rangeIndex, gen);
}

std::optional<long long> drawWinnableNumber(const WinnableKeys &list, std::string_view game, int rangeIndex,
                                            std::mt19937_64 &gen, int draws)
{
    if (list.keys(game).empty())
        return std::nullopt;
    for (int i = 0; i < draws; ++i) {
        const long long n = RandomGameNumber(rangeIndex, gen);
        if (list.contains(game, DealKey(static_cast<double>(n))))
            return n;
    }
    return std::nullopt;
}

} // namespace tess::solve
