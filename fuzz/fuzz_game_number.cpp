// Fuzzes the reading of typed game numbers: the text as a game number, and the digits reader every
// field, dialog and command-line argument goes through.
//   make fuzz && ./build-fuzz/fuzz/fuzz_game_number -max_total_time=60 fuzz/corpus/fuzz_game_number
// Besides crashes it checks the reader against a plain description of what it takes: blanks around
// one to fifteen digits.
#include <cstdint>
#include <string>

#include "fuzz/fuzzCommon.h"
#include "model/gameNumber.h"

using tess::fuzz::require;

namespace
{

std::optional<long long> expected(const std::string &s)
{
    const size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos)
        return std::nullopt;
    const size_t e = s.find_last_not_of(' ');
    const std::string d = s.substr(b, e - b + 1);
    if (d.size() > 15 || d.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoll(d);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    const auto v = tess::parseGameDigits(text);
    require(v == expected(text));

    const tess::GameNumber typed = tess::GameNumber::text(text);
    require(typed.isText() && !typed.empty() && typed.display() == text);
    require(typed.tryValue() == v);
    try {
        require(typed.value() == *v);
    } catch (const tess::GameNumberError &) {
        require(!v);
    }
    if (v) {
        require(*v >= 0 && *v <= tess::GameNumber::kMax);
        // The number read deals the same as the number written out again.
        const tess::GameNumber n = tess::GameNumber::number(*v);
        require(n.value() == *v && tess::parseGameDigits(n.display()) == v);
    }
    return 0;
}
