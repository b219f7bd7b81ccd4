#include "model/gameNumber.h"

namespace tess
{

GameNumber GameNumber::number(long long v)
{
    if (v < 0 || v > kMax)
        throw GameNumberError("game number out of range: " + std::to_string(v));
    GameNumber g;
    g.hasValue_ = true;
    g.value_ = v;
    return g;
}

GameNumber GameNumber::text(std::string t)
{
    GameNumber g;
    g.isText_ = true;
    g.text_ = std::move(t);
    return g;
}

std::string GameNumber::display() const
{
    if (isText_)
        return text_;
    return hasValue_ ? std::to_string(value_) : std::string();
}

std::optional<long long> parseGameDigits(const std::string &s)
{
    size_t b = s.find_first_not_of(' ');
    size_t e = s.find_last_not_of(' ');
    if (b == std::string::npos)
        return std::nullopt;
    std::string d = s.substr(b, e - b + 1);
    if (d.empty() || d.size() > 15)
        return std::nullopt;
    long long v = 0;
    for (char c : d) {
        if (c < '0' || c > '9')
            return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return v;
}

std::optional<long long> GameNumber::tryValue() const
{
    if (!isText_)
        return hasValue_ ? std::optional<long long>(value_) : std::nullopt;
    return parseGameDigits(text_);
}

long long GameNumber::value() const
{
    auto v = tryValue();
    if (!v)
        throw GameNumberError("not a game number: \"" + display() + "\" (a whole number of up to 15 digits)");
    return *v;
}

} // namespace tess
