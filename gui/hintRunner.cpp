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
    launch(purpose, [this, milliseconds](const std::atomic<bool> &stop) {
        solve::Limits l;
        l.milliseconds = milliseconds;
        l.cancel = &stop;
        result_ = solve::solvePosition(rules_, from_, l);
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
    static const char *ranks[] = {"Ace",   "Two",  "Three", "Four", "Five",  "Six", "Seven",
                                  "Eight", "Nine", "Ten",   "Jack", "Queen", "King"};
    static const char *suits[] = {"Hearts", "Spades", "Diamonds", "Clubs"};
    const CardAttrs &a = g.card.at(static_cast<size_t>(card));
    return QStringLiteral("the %1 of %2")
        .arg(QLatin1String(ranks[a.Num % 13]), QLatin1String(suits[a.Suit % 4]));
}

QString HintRunner::describe(const solve::GameRules &g, const solve::Move &m, int awaited)
{
    if (m.kind == solve::MoveKind::Stock && awaited >= 0 && !g.dealRows)
        return QStringLiteral("Hint: turn the stock until %1 comes up").arg(cardName(g, awaited));
    if (m.kind == solve::MoveKind::Redeal)
        return QStringLiteral("Hint: turn the waste back onto the stock");
    if (m.kind == solve::MoveKind::Stock)
        return g.dealRows ? QStringLiteral("Hint: deal a row from the stock")
                          : QStringLiteral("Hint: turn a card from the stock");
    QString where;
    switch (g.cellOf(m.to)) {
    case Goal:
        where = QStringLiteral("to a foundation");
        break;
    case Res:
        where = QStringLiteral("to a free cell");
        break;
    default:
        where = QStringLiteral("to tableau pile %1").arg(g.engineIndex(m.to) + 1);
        break;
    }
    return QStringLiteral("Hint: move %1 %2").arg(cardName(g, m.card), where);
}

} // namespace tess
