// A game number: a whole number for a random deal, or the text it was typed as.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

namespace tess
{

class GameNumberError : public std::invalid_argument
{
  public:
    explicit GameNumberError(const std::string &what) : std::invalid_argument(what) {}
};

class GameNumber
{
  public:
    static constexpr long long kMax = 999999999999999LL; // 15 digits

    GameNumber() = default;
    static GameNumber number(long long v);
    static GameNumber text(std::string t);

    bool isText() const { return isText_; }
    bool empty() const { return !isText_ && !hasValue_; }
    // The text shown everywhere: digits for a number, the typed text otherwise.
    std::string display() const;
    // The value the shuffle uses; text that is not a whole number of up to 15 digits is refused.
    long long value() const;
    std::optional<long long> tryValue() const;

    bool operator==(const GameNumber &o) const = default;

  private:
    bool isText_ = false;
    bool hasValue_ = false;
    long long value_ = 0;
    std::string text_;
};

// Parses a whole number of 1..15 digits with optional surrounding blanks.
std::optional<long long> parseGameDigits(const std::string &s);

} // namespace tess
