#include "gui/hintRunner.h"

#include <QMetaObject>

#include "play/engine.h"
#include "play/mFunc.h"
#include "solve/deals.h"

namespace tess
{

HintRunner::HintRunner(QObject *parent) : QObject(parent) {}

HintRunner::~HintRunner()
{
    cancel();
}

void HintRunner::cancel()
{
    ++generation_;
    cancel_ = true;
    // The search looks at the flag every few hundred positions, so this wait is short.
    if (worker_.joinable())
        worker_.join();
    cancel_ = false;
    running_ = false;
}

void HintRunner::launch(Purpose purpose, std::function<void(const std::atomic<bool> &)> work)
{
    running_ = true;
    const int generation = generation_;
    worker_ = std::thread([this, purpose, generation, work = std::move(work)] {
        work(cancel_);
        // Back on the window's thread; an answer to a cancelled question is dropped there.
        QMetaObject::invokeMethod(
            this,
            [this, purpose, generation] {
                if (generation != generation_)
                    return;
                if (worker_.joinable())
                    worker_.join();
                running_ = false;
                emit answered(static_cast<int>(purpose));
            },
            Qt::QueuedConnection);
    });
}

void HintRunner::start(Purpose purpose, const Engine &e, bool autoplay, long long milliseconds)
{
    cancel();
    rules_ = solve::rulesOf(e, autoplay);
    from_ = solve::positionOf(e, rules_);
    // Nothing here changes rules_ or from_ until cancel() has joined the worker.
    launch(purpose, [this, purpose, milliseconds](const std::atomic<bool> &stop) {
        solve::Limits l;
        l.milliseconds = milliseconds;
        l.cancel = &stop;
        if (purpose == Purpose::Hint) {
            hint_ = solve::findHint(rules_, from_, l);
            result_ = hint_.result;
        } else {
            result_ = solve::solvePosition(rules_, from_, l);
        }
    });
}

void HintRunner::findWinnable(const std::string &game, int rangeIndex, bool autoplay, long long msPerDeal,
                              int tries)
{
    cancel();
    launch(Purpose::WinnableDeal,
           [this, game, rangeIndex, autoplay, msPerDeal, tries](const std::atomic<bool> &stop) {
               solve::Limits l;
               l.milliseconds = msPerDeal;
               l.cancel = &stop;
               number_ = 0;
               for (int i = 0; i < tries && !stop; ++i) {
                   const long long n = RandomGameNumber(rangeIndex);
                   solve::DealAnswer a = solve::solveDeal(game, n, autoplay, l);
                   if (a.result.verdict == solve::Verdict::Won) {
                       number_ = n;
                       rules_ = a.rules;
                       result_ = std::move(a.result);
                       return;
                   }
               }
           });
}

QString HintRunner::cardName(const solve::GameRules &g, int card)
{
    return QString::fromStdString(solve::cardName(g, card));
}

QString HintRunner::describe(const solve::GameRules &g, const solve::Move &m, int awaited)
{
    return QString::fromStdString(solve::describeStep(g, m, awaited));
}

} // namespace tess
