// The main window's solver items: Hint, Can This Deal Be Won?, Winnable Deals Only.
#include <algorithm>

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressDialog>

#include "gui/frmMain.h"
#include "gui/hintRunner.h"
#include "gui/table/cardTable.h"
#include "play/engine.h"
#include "play/mFunc.h"
#include "solve/winnableKeys.h"

namespace tess
{

namespace
{
// A hint answers within a second: the won line if one is found by then, else the search's best guess.
// The search stops short of the second, so the answer, worded and shown, comes within it.
constexpr long long kHintMs = 900;
// The question whether the deal can be won may take longer.
constexpr long long kCanWinMs = 3000;
constexpr long long kWinnableMsPerDeal = 400;
constexpr int kWinnableTries = 25;
} // namespace

void frmMain::buildSolverItems(QMenu *game)
{
    hintRunner_ = new HintRunner(this);
    hintRunner_->setObjectName(QStringLiteral("hintRunner"));
    connect(hintRunner_, &HintRunner::answered, this, &frmMain::onSolverAnswer);
    game->addSeparator()->setObjectName(QStringLiteral("mnuSolverSep"));
    mHintItem = game->addAction(QStringLiteral("Hint"));
    mHintItem->setObjectName(QStringLiteral("mnuHint"));
    mHintItem->setShortcut(QKeySequence(Qt::Key_H));
    connect(mHintItem, &QAction::triggered, this, [this] { onHint(); });
    mCanWinItem = game->addAction(QStringLiteral("Can This Deal Be Won?"));
    mCanWinItem->setObjectName(QStringLiteral("mnuCanWin"));
    connect(mCanWinItem, &QAction::triggered, this, [this] { onCanWin(); });
    mWinnableOnlyItem = game->addAction(QStringLiteral("Winnable Deals Only"));
    mWinnableOnlyItem->setObjectName(QStringLiteral("mnuWinnableOnly"));
    mWinnableOnlyItem->setCheckable(true);
    connect(mWinnableOnlyItem, &QAction::triggered, this,
            [this](bool on) { shared_.Data->SetWinnableOnly(on ? 1 : 0); });

    // Any move of the player makes the hint stale.
    connect(PicBack, &CardTable::cardPressed, this, [this] { clearHint(); });
    connect(PicBack, &CardTable::stockMarkerClicked, this, [this] { clearHint(); });
    for (QAction *a : menuBar()->actions())
        if (QMenu *m = a->menu())
            connect(m, &QMenu::triggered, this, [this](QAction *item) {
                if (item != mHintItem && item != mCanWinItem && item != mWinnableOnlyItem)
                    clearHint();
            });
}

void frmMain::refreshSolverItems()
{
    if (!mHintItem)
        return;
    const bool running = shared_.Data->GameRunning;
    mHintItem->setEnabled(running);
    mCanWinItem->setEnabled(running);
    mWinnableOnlyItem->setChecked(shared_.Data->WinnableOnly() != 0);
}

void frmMain::clearHint()
{
    if (!hintRunner_)
        return;
    // A search for a winnable deal is a new game on its way: only its Cancel stops it.
    if (hintRunner_->running() && winnableGame_.isEmpty())
        hintRunner_->cancel();
    Engine &e = *shared_.Eng;
    for (int id : hinted_)
        e.SetSelected(id, 0);
    hinted_.clear();
    hintStep_.reset();
    if (mHint)
        mHint->clear();
}

QString frmMain::planKey() const
{
    const cData &d = *shared_.Data;
    return QStringLiteral("%1|%2|%3")
        .arg(d.CurGName(), QString::fromStdString(d.CurGNo.display()), QString::number(d.Autoplay() != 0));
}

bool frmMain::followPlan()
{
    if (plan_.empty() || planFor_ != planKey())
        return false;
    Engine &e = *shared_.Eng;
    if (!(solve::positionOf(e, planRules_) == planAt_)) {
        plan_.clear();
        return false;
    }
    const solve::Move step = plan_.front();
    plan_.erase(plan_.begin());
    solve::applyMove(planRules_, planAt_, step);
    // Presses that lead to a drag off the waste name the card they turn towards.
    std::vector<solve::Move> ahead{step};
    ahead.insert(ahead.end(), plan_.begin(), plan_.end());
    showHintStep(planRules_, step,
                 solve::describeStep(planRules_, step, solve::awaitedCard(planRules_, ahead, 0)));
    return true;
}

void frmMain::onHint()
{
    if (!shared_.Data->GameRunning || !winnableGame_.isEmpty())
        return;
    clearHint();
    if (followPlan())
        return;
    mHint->setText(QStringLiteral("Looking for a hint..."));
    hintRunner_->start(HintRunner::Purpose::Hint, *shared_.Eng, shared_.Data->Autoplay() != 0, kHintMs);
}

void frmMain::onCanWin()
{
    if (!shared_.Data->GameRunning || !winnableGame_.isEmpty())
        return;
    clearHint();
    mHint->setText(QStringLiteral("Searching this deal..."));
    hintRunner_->start(HintRunner::Purpose::CanWin, *shared_.Eng, shared_.Data->Autoplay() != 0, kCanWinMs);
}

void frmMain::startDrawnGame(const QString &name)
{
    cData &d = *shared_.Data;
    if (d.WinnableOnly() == 0) {
        startGame(name, GameNumber::number(RandomGameNumber(d.RangeIndex())));
        return;
    }
    if (!winnableGame_.isEmpty())
        return; // one search at a time; its game starts when it ends
    // A number whose deal was proved winnable ahead of time, drawn as New Game draws any number.
    if (shared_.Winnable) {
        if (const auto n = solve::drawWinnableNumber(*shared_.Winnable, name.toStdString(), d.RangeIndex())) {
            startGame(name, GameNumber::number(*n));
            return;
        }
    }
    // No list for this game, or none of its keys within the range: search, and show that it does.
    clearHint();
    mHint->setText(QStringLiteral("Looking for a winnable deal..."));
    winnableGame_ = name;
    winnableProgress_ = new QProgressDialog(QStringLiteral("Looking for a winnable deal..."),
                                            QStringLiteral("Cancel"), 0, 0, this);
    winnableProgress_->setObjectName(QStringLiteral("dlgWinnableSearch"));
    winnableProgress_->setWindowTitle(name);
    winnableProgress_->setWindowModality(Qt::WindowModal);
    winnableProgress_->setMinimumDuration(0);
    winnableProgress_->setAutoClose(false);
    winnableProgress_->setAutoReset(false);
    connect(winnableProgress_, &QProgressDialog::canceled, this, [this] {
        // The game on the table, if any, stays as it was.
        hintRunner_->cancel();
        endWinnableSearch();
        mHint->clear();
    });
    winnableProgress_->show();
    hintRunner_->findWinnable(name.toStdString(), d.RangeIndex(), d.Autoplay() != 0, kWinnableMsPerDeal,
                              kWinnableTries);
}

void frmMain::endWinnableSearch()
{
    winnableGame_.clear();
    if (!winnableProgress_)
        return;
    // Hidden first, without the close that would count as Cancel.
    winnableProgress_->disconnect(this);
    winnableProgress_->hide();
    winnableProgress_->deleteLater();
    winnableProgress_ = nullptr;
}

void frmMain::onSolverAnswer(int purpose)
{
    const solve::Result &r = hintRunner_->result();
    const solve::GameRules &g = hintRunner_->rules();
    switch (static_cast<HintRunner::Purpose>(purpose)) {
    case HintRunner::Purpose::WinnableDeal: {
        mHint->clear();
        const QString name = winnableGame_;
        endWinnableSearch();
        const long long n = hintRunner_->number();
        if (n > 0) {
            startGame(name, GameNumber::number(n));
        } else {
            // None proved in the time given: deal as without the setting, and say so.
            startGame(name, GameNumber::number(RandomGameNumber(shared_.Data->RangeIndex())));
            mHint->setText(QStringLiteral("No deal proved winnable in time"));
        }
        return;
    }
    case HintRunner::Purpose::CanWin:
        if (r.verdict == solve::Verdict::Won)
            mHint->setText(QStringLiteral("This deal can be won (%1 moves)").arg(r.moves.size()));
        else if (r.verdict == solve::Verdict::Lost)
            mHint->setText(QStringLiteral("This deal cannot be won from here"));
        else
            mHint->setText(QStringLiteral("No answer found in time"));
        return;
    case HintRunner::Purpose::Hint:
        break;
    }
    const solve::Hint &h = hintRunner_->hint();
    if (h.kind == solve::HintKind::NoMove) {
        mHint->setText(QString::fromStdString(h.text));
        return;
    }
    if (h.kind == solve::HintKind::Suggested) {
        // A guess is shown once, not followed: the next Hint searches afresh from where the player is.
        showHintStep(g, h.steps.front(), h.text);
        return;
    }
    // The line one step at a time: each press and redeal a drag needs, then the drag.
    plan_ = h.steps;
    planRules_ = g;
    planAt_ = hintRunner_->from();
    planFor_ = planKey();
    followPlan();
}

void frmMain::showHintStep(const solve::GameRules &g, const solve::Move &m, const std::string &text)
{
    hintStep_ = m;
    mHint->setText(QString::fromStdString(text));
    if (m.kind != solve::MoveKind::Drag)
        return;
    // Light the card to move and the card it goes onto.
    Engine &e = *shared_.Eng;
    hinted_.push_back(m.card);
    const int cell = g.cellOf(m.to), pile = g.engineIndex(m.to);
    const int top = e.Array.GetTop(cell, pile);
    if (top >= 0)
        hinted_.push_back(e.Array.GetPicID(cell, pile, top));
    for (int id : hinted_)
        e.SetSelected(id, -1);
}

} // namespace tess
