// The main window: the table, the timers and the menu handlers; menus and toolbar are built in
// mainMenus.cpp, the status captions in statusCaptions.cpp.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QLabel>
#include <QMainWindow>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>
#include <QVector>

class QProgressDialog;

#include "app/session.h"
#include "app/shared.h"
#include "solve/position.h"

namespace tess
{

class CardTable;
class SoundPlayer;
class HelpWindow;
class HintRunner;

class frmMain : public QMainWindow, public SessionUi, public SettingsListener, public LogListener
{
    Q_OBJECT
  public:
    explicit frmMain(Shared &shared, QWidget *parent = nullptr);
    ~frmMain() override;

    Session &session() { return *session_; }
    CardTable *table() const { return PicBack; }
    // The step the hint shows now: one press, redeal or drag; none when no hint is shown.
    const std::optional<solve::Move> &hintStep() const { return hintStep_; }

    // tmrMain is never started: the states follow the engine's, the session's and the settings'
    // notifications. tmrTime ticks once a second on the game clock, only while a game runs; the
    // replay timers only while a replay runs.
    QTimer tmrMain, tmrTime, tmrForward, tmrBackward;

    void RefreshMenus();
    void RefreshToolbar();
    // Menus and toolbar brought up to date at once: what every notification runs.
    void upkeep();
    void RefreshStatus();
    void LayOutWindow();
    void StopReplay();
    // One step of a running replay, as the timers call them.
    void ReplayBackTick();
    void ReplayForwardTick();
    void RefreshRecentMenu();

    // Menu handlers by item index.
    void onFile(int index);
    void onGame(int index);
    void onReplay(int index);
    void onFav(int index);
    void onStat(int index);
    void onTools(int index);
    void onHelp(int index);
    void onRecent(int index);
    void onToolbar(int index);

    // SessionUi
    void setCaption(const QString &caption) override { setWindowTitle(caption); }
    void refreshRecentMenu() override { RefreshRecentMenu(); }
    void showGameWon() override;
    void gameStarted() override;
    void gameEnded() override;

    // LogListener: a move made, undone or redone, or a fresh log.
    void logChanged() override;
    void engineGone() override { engineGone_ = true; }

    // SettingsListener: the table follows the stored background and card back.
    void settingChanged(Setting s) override;
    // The caption names the player: a rename shows at once, not at the next deal.
    void playerChanged() override;
    void storeFailed(const QString &file, const QString &reason) override;

    // What a won game opens: the won dialog, unless a test puts its own answer here.
    std::function<void()> openGameWon;

    // The whole program ends at once, without recording (File, Exit).
    std::function<void()> exitNow;
    // The window was closed by the user, after the running game was recorded.
    std::function<void()> onClosed;

    // Starts a game through the session flow; a refusal is shown to the user.
    void startGame(const QString &name, const GameNumber &number);
    // A game of that name with a drawn number; with Winnable Deals Only, one the solver proved.
    // Every random deal (New Game, Select Game, a recent game, the won dialog) comes this way.
    void startDrawnGame(const QString &name);
    // The Select Game dialog, modal over this window.
    void SelectGameDialog();
    void SelectNumberDialog();
    void GameWonDialog();

  protected:
    void closeEvent(QCloseEvent *ev) override;
    void resizeEvent(QResizeEvent *ev) override;
    void keyPressEvent(QKeyEvent *ev) override;
    // With the table unscaled in a small window, the wheel over it scrolls it as the bars do.
    bool eventFilter(QObject *watched, QEvent *ev) override;

  private:
    // Menu arrays by index; separators are entries too. Each item is named after its array and
    // index (mGame_4), each toolbar button after its picture, each caption after its member.
    QVector<QAction *> mFile, mGame, mReplay, mFav, mStat, mTools, mHelp, mRecent;
    QVector<QAction *> toolButtons; // Toolbar1 buttons by index 1..16
    QLabel *mScore = nullptr, *mTime = nullptr, *mMoves = nullptr;
    // The solver's items at the end of the Game menu, and its line in the status area.
    QAction *mHintItem = nullptr, *mCanWinItem = nullptr, *mWinnableOnlyItem = nullptr;
    QLabel *mHint = nullptr;

    void buildMenus();
    void buildToolbar();
    QAction *addItem(QMenu *menu, QVector<QAction *> &arr, const QString &arrName, const QString &caption,
                     const QKeySequence &key, std::function<void(int)> handler);
    // Runs an action of the player; a failure is shown, never lost silently.
    void guarded(const std::function<void()> &fn);
    // Opens a statistics window modally over owner.
    template <class Window> void openStatWindow(QWidget *owner);
    void addToFavorites();
    // Runs tmrTime while a game runs, waking just after the next second of its clock.
    void scheduleClock();

    // The solver's part of the window (frmMainSolver.cpp).
    void buildSolverItems(QMenu *game);
    void refreshSolverItems();
    void onHint();
    void onCanWin();
    void onSolverAnswer(int purpose);
    // Forgets a hint: its highlight, its text, and a search still running.
    void clearHint();
    // Lights one step of a winning line or a suggested move, and shows its sentence.
    // (The sentence is made by the solver so the command line says the same.)
    void showHintStep(const solve::GameRules &g, const solve::Move &step, const std::string &text);
    // The next step of the kept line, shown at once, when the table is where that line left it.
    bool followPlan();
    QString planKey() const;
    HintRunner *hintRunner_ = nullptr;
    std::vector<int> hinted_; // cards lit by the last hint
    QString winnableGame_;    // the game a winnable number is being looked for
    // Shown, modal, while that search runs: the table takes no presses, and Cancel gives the search up.
    QProgressDialog *winnableProgress_ = nullptr;
    void endWinnableSearch();
    // The last won line, one press, redeal or drag a step, so hints followed one by one keep to one plan.
    std::vector<solve::Move> plan_;
    solve::GameRules planRules_;
    solve::Position planAt_; // where the next step starts
    QString planFor_;        // game, number and autoplay of that line
    std::optional<solve::Move> hintStep_;

    Shared &shared_;
    std::unique_ptr<Session> session_;
    std::unique_ptr<SoundPlayer> sound_;
    std::unique_ptr<HelpWindow> help_;
    QWidget *central_ = nullptr;
    QToolBar *Toolbar1 = nullptr;
    QWidget *PicMain = nullptr;
    CardTable *PicBack = nullptr;
    QScrollBar *hsbTable = nullptr, *vsbTable = nullptr; // the unscaled table in a small window
    int busy_ = 0;                                       // engine work under way: timers and replays wait
    bool closing_ = false;
    bool engineGone_ = false;
};

} // namespace tess
