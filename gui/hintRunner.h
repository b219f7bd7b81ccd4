// Runs the solver off the window's thread: a hint, the question whether the deal can still be won,
// and the search for a winnable deal number. The window hears of the answer by a queued signal.
#pragma once

#include <atomic>
#include <string>
#include <thread>

#include <QObject>
#include <QString>

#include "solve/hint.h"
#include "solve/search.h"

namespace tess
{

class Engine;

class HintRunner : public QObject
{
    Q_OBJECT
  public:
    enum class Purpose { Hint, CanWin, WinnableDeal };

    explicit HintRunner(QObject *parent = nullptr);
    ~HintRunner() override;

    // Copies the engine's position now and searches that copy.
    void start(Purpose purpose, const Engine &e, bool autoplay, long long milliseconds);
    // Draws deal numbers until the solver proves one winnable within the limit per deal.
    void findWinnable(const std::string &game, int rangeIndex, bool autoplay, long long msPerDeal, int tries);
    // Drops the search under way; its answer never arrives.
    void cancel();
    bool running() const { return running_; }

    // The last answer, valid in the slot connected to answered().
    const solve::Result &result() const { return result_; }
    // The last hint's answer, worded; valid as result() is.
    const solve::Hint &hint() const { return hint_; }
    const solve::GameRules &rules() const { return rules_; }
    // The position the last hint or question searched from.
    const solve::Position &from() const { return from_; }
    long long number() const { return number_; }

    // "the Five of Hearts"
    static QString cardName(const solve::GameRules &g, int card);
    // What one step of a winning line (a press, a redeal or a drag) asks the player to do, for the status
    // area; `awaited` names the card a press of the stock is turning towards, -1 for none.
    static QString describe(const solve::GameRules &g, const solve::Move &m, int awaited = -1);

  signals:
    void answered(int purpose);

  private:
    void launch(Purpose purpose, std::function<void(const std::atomic<bool> &)> work);

    std::thread worker_;
    std::atomic<bool> cancel_{false};
    bool running_ = false;
    int generation_ = 0;
    solve::Result result_;
    solve::Hint hint_;
    solve::GameRules rules_;
    solve::Position from_;
    long long number_ = 0;
};

} // namespace tess
