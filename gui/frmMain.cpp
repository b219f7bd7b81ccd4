#include "gui/frmMain.h"

#include <algorithm>

#include <QApplication>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QWheelEvent>

#include "gui/frmAbout.h"
#include "gui/frmCustomize.h"
#include "gui/frmFinish.h"
#include "gui/frmHistory.h"
#include "gui/frmPlayers.h"
#include "gui/helpWindow.h"
#include "gui/selectDialogs.h"
#include "gui/soundPlayer.h"
#include "gui/stats/frmGameStat.h"
#include "gui/stats/frmHighScore.h"
#include "gui/stats/frmLogStat.h"
#include "gui/stats/frmOrgFav.h"
#include "gui/stats/frmPlayFav.h"
#include "gui/stats/frmSesStat.h"
#include "gui/table/brand.h"
#include "gui/table/cardTable.h"
#include "model/cards.h"
#include "play/cTrans.h"
#include "play/mFunc.h"
#include "play/mPlay.h"

namespace tess
{

namespace
{
constexpr int kToolbarTwips = 380;
} // namespace

frmMain::frmMain(Shared &shared, QWidget *parent) : QMainWindow(parent), shared_(shared)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowIcon(brand::appIcon());
    shared_.createGameObjects();
    session_ = std::make_unique<Session>(shared_, this);

    central_ = new QWidget(this);
    setCentralWidget(central_);
    Toolbar1 = new QToolBar(central_);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setIconSize(QSize(20, 20));
    Toolbar1->setMovable(false);
    PicMain = new QWidget(central_);
    PicMain->setObjectName(QStringLiteral("PicMain"));
    PicMain->setAutoFillBackground(true);
    QPalette pal = PicMain->palette();
    pal.setColor(QPalette::Window, QColor(24, 40, 28));
    PicMain->setPalette(pal);

    Engine &e = *shared_.Eng;
    PicBack = new CardTable(e, *shared_.Data, PicMain);
    e.setView(PicBack);
    hsbTable = new QScrollBar(Qt::Horizontal, PicMain);
    hsbTable->setObjectName(QStringLiteral("hsbTable"));
    vsbTable = new QScrollBar(Qt::Vertical, PicMain);
    vsbTable->setObjectName(QStringLiteral("vsbTable"));
    hsbTable->hide();
    vsbTable->hide();
    PicMain->installEventFilter(this);
    PicBack->installEventFilter(this);
    for (QScrollBar *b : {hsbTable, vsbTable}) {
        b->setSingleStep(20); // pixels: an arrow click or a third of a wheel notch
        connect(b, &QScrollBar::valueChanged, this, [this] { LayOutWindow(); });
    }
    sound_ = std::make_unique<SoundPlayer>();
    shared_.Data->setSoundSink(sound_.get());
    help_ = std::make_unique<HelpWindow>();
    shared_.Data->setHelpSink(help_.get());

    buildMenus();
    buildToolbar();
    openGameWon = [this] { GameWonDialog(); };

    connect(PicBack, &CardTable::cardPressed, this,
            [this](int id, double x, double y) { guarded([&] { CardPress(*shared_.Eng, id, x, y); }); });
    connect(PicBack, &CardTable::cardDragged, this, [this](int id, double x, double y) {
        if (busy_ == 0)
            CardMove(*shared_.Eng, id, x, y);
    });
    connect(PicBack, &CardTable::cardReleased, this,
            [this](int id, double, double) { guarded([&] { CardRelease(*shared_.Eng, id); }); });
    connect(PicBack, &CardTable::stockMarkerClicked, this,
            [this] { guarded([&] { StockMarkerPress(*shared_.Eng); }); });

    tmrMain.setInterval(100);
    // The clock wakes once a second, just after the game time turns over; a coarse timer could
    // fire just before and need a second wake-up for the same change.
    tmrTime.setSingleShot(true);
    tmrTime.setTimerType(Qt::PreciseTimer);
    tmrForward.setInterval(500);
    tmrBackward.setInterval(500);
    connect(&tmrMain, &QTimer::timeout, this, &frmMain::upkeep);
    connect(&tmrTime, &QTimer::timeout, this, [this] {
        RefreshStatus();
        scheduleClock();
    });
    connect(&tmrBackward, &QTimer::timeout, this, &frmMain::ReplayBackTick);
    connect(&tmrForward, &QTimer::timeout, this, &frmMain::ReplayForwardTick);

    // The session's own set-up, then the table's: controls, layout, background.
    session_->SetUpSession();
    PicBack->CreateCardControls();
    RefreshRecentMenu();
    LayOutWindow();
    const cData &d = *shared_.Data;
    PicBack->SetBG(d.BGIndex(), d.Fade(), d.CustomColor());
    setWindowTitle(d.ProdName());
    mHelp[4]->setText(QStringLiteral("About ") + d.ProdName() + QStringLiteral("..."));

    shared_.Data->setSettingsListener(this);
    e.addLogListener(this);
    upkeep();
    RefreshStatus();
    resize(1100, 820);
    // The keys play on the table from the start.
    PicBack->setFocus();
}

frmMain::~frmMain()
{
    if (shared_.Data) {
        shared_.Data->setSoundSink(nullptr);
        shared_.Data->setHelpSink(nullptr);
        shared_.Data->setSettingsListener(nullptr);
    }
    if (shared_.Eng) {
        shared_.Eng->setView(nullptr);
        if (!engineGone_)
            shared_.Eng->removeLogListener(this);
    }
}

void frmMain::RefreshMenus()
{
    if (!shared_.Data || !shared_.Eng)
        return;
    const cData &d = *shared_.Data;
    const bool running = d.GameRunning;
    mGame[9]->setChecked(d.ShowToolbar() != 0);
    mGame[10]->setChecked(d.FitTable() != 0);
    mGame[11]->setChecked(d.DoubleClickHome() != 0);
    PicBack->setDoubleClickHome(d.DoubleClickHome() != 0);
    PicBack->setHint(running ? QString() : QStringLiteral("Press F2 for a new game or F3 to choose one"));
    for (QAction *a : {mFile[4], mFile[5], mFav[1], mTools[5]})
        a->setEnabled(running);
    mGame[4]->setChecked(d.Autoplay() != 0);
    mGame[4]->setEnabled(shared_.Eng->Games.DisAutoPlay() == 0);
    refreshSolverItems();
    if (tmrForward.isActive() || tmrBackward.isActive() || !running) {
        for (QAction *a : {mGame[1], mGame[2], mGame[6], mGame[7], mReplay[1], mReplay[2], mReplay[4]})
            a->setEnabled(false);
    } else {
        const cTrans &t = *shared_.Eng->Trans;
        mGame[1]->setEnabled(t.UndoPossible());
        mGame[6]->setEnabled(t.UndoPossible());
        mGame[2]->setEnabled(t.RedoPossible());
        mGame[7]->setEnabled(t.RedoPossible());
        mReplay[1]->setEnabled(t.RedoPossible());
        mReplay[2]->setEnabled(t.UndoPossible());
        mReplay[4]->setEnabled(t.UndoPossible() || t.RedoPossible());
    }
    RefreshRecentMenu();
}

void frmMain::RefreshToolbar()
{
    if (!shared_.Data)
        return;
    toolButtons[3]->setEnabled(mFile[4]->isEnabled());
    toolButtons[7]->setEnabled(mGame[1]->isEnabled());
    toolButtons[8]->setEnabled(mGame[2]->isEnabled());
    toolButtons[10]->setEnabled(mReplay[2]->isEnabled());
    toolButtons[11]->setEnabled(mReplay[6]->isEnabled());
    toolButtons[12]->setEnabled(mReplay[1]->isEnabled());
    toolButtons[5]->setChecked(shared_.Data->Autoplay() == 1);
    toolButtons[5]->setEnabled(mGame[4]->isEnabled());
    toolButtons[14]->setEnabled(true);
}

void frmMain::upkeep()
{
    RefreshMenus();
    RefreshToolbar();
}

void frmMain::scheduleClock()
{
    // It runs while a game does, shown or not: the session statistics read the figures it keeps.
    if (!shared_.Data->GameRunning) {
        tmrTime.stop();
        return;
    }
    // The game time counts whole seconds of the clock from a start stored to the second.
    const int toNext = 1000 - session_->clock().time().msec();
    tmrTime.start(toNext + 5);
}

void frmMain::LayOutWindow()
{
    const int show = shared_.Data->ShowToolbar() != 0 ? 1 : 0;
    const int top = twipsToPx(kToolbarTwips * show);
    Toolbar1->setGeometry(0, 0, central_->width(), twipsToPx(kToolbarTwips));
    if (!isMinimized()) {
        PicMain->setGeometry(0, top, central_->width(), central_->height() - top);
    }
    PicMain->raise(); // without the toolbar strip the play area covers it
    const bool fit = shared_.Data->FitTable() != 0;
    PicBack->setFit(fit);
    if (fit) {
        hsbTable->hide();
        vsbTable->hide();
        PicBack->setGeometry(PicMain->rect());
        return;
    }
    // The design size, centred across the play area; where the area is smaller, scroll bars
    // reach every part of the table instead of cutting it off.
    auto centred = [](int width) { return twipsToPx((width * kTwipsPerPixel - kTableWidth) / 2 - 20); };
    const int sb = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, hsbTable);
    const int tw = PicBack->width(), th = PicBack->height();
    int w = PicMain->width(), h = PicMain->height();
    bool needV = h < th;
    if (needV)
        w -= sb;
    const bool needH = centred(w) < 0;
    if (needH) {
        h -= sb;
        if (!needV && h < th) {
            needV = true;
            w -= sb;
        }
    }
    if (needH) {
        hsbTable->setGeometry(0, h, w, sb);
        hsbTable->setRange(0, tw - w);
        hsbTable->setPageStep(w);
    }
    if (needV) {
        vsbTable->setGeometry(w, 0, sb, h);
        vsbTable->setRange(0, th - h);
        vsbTable->setPageStep(h);
    }
    hsbTable->setVisible(needH);
    vsbTable->setVisible(needV);
    PicBack->move(needH ? -hsbTable->value() : centred(w), needV ? -vsbTable->value() : 0);
    hsbTable->raise();
    vsbTable->raise();
}

void frmMain::resizeEvent(QResizeEvent *ev)
{
    QMainWindow::resizeEvent(ev);
    if (PicBack)
        LayOutWindow();
}

void frmMain::StopReplay()
{
    mReplay[6]->setEnabled(false);
    tmrBackward.stop();
    tmrForward.stop();
    upkeep();
}

void frmMain::ReplayBackTick()
{
    // Engine work under way or cards in the player's hand: the piles must not change now.
    if (busy_ != 0 || shared_.Eng->Drag.Dragging)
        return;
    tmrForward.stop();
    mReplay[6]->setEnabled(true);
    bool did = false;
    guarded([&] {
        i16 speed = shared_.Data->ReplaySpeed();
        did = shared_.Data->GameRunning && shared_.Eng->Trans->Undo(speed);
    });
    if (!did)
        StopReplay();
}

void frmMain::ReplayForwardTick()
{
    if (busy_ != 0 || shared_.Eng->Drag.Dragging)
        return;
    tmrBackward.stop();
    mReplay[6]->setEnabled(true);
    bool did = false;
    guarded([&] {
        i16 speed = shared_.Data->ReplaySpeed();
        did = shared_.Data->GameRunning && shared_.Eng->Trans->Redo(speed);
    });
    if (!did)
        StopReplay();
}

void frmMain::gameStarted()
{
    upkeep();
    RefreshStatus();
    scheduleClock();
}

void frmMain::gameEnded()
{
    StopReplay();
    // The cards are cleared away; a drag that was under way has nothing left to carry.
    shared_.Eng->Drag = DragState{};
    RefreshStatus();
    scheduleClock();
}

void frmMain::logChanged()
{
    if (!shared_.Data)
        return;
    upkeep();
    RefreshStatus();
}

void frmMain::RefreshRecentMenu()
{
    const cData &d = *shared_.Data;
    for (int i = 1; i <= kRecentCount; ++i) {
        const QString name = d.GetRecent(static_cast<i16>(i));
        QAction *a = mRecent[i];
        const QString caption = name.isEmpty() ? QString() : QStringLiteral("&%1 ").arg(i) + name;
        if (a->text() != caption)
            a->setText(caption);
        if (i > 1)
            a->setVisible(!name.isEmpty());
    }
}

void frmMain::guarded(const std::function<void()> &fn)
{
    ++busy_;
    try {
        fn();
    } catch (const std::exception &ex) {
        --busy_;
        QMessageBox::critical(this, shared_.Data ? shared_.Data->ProdName() : QStringLiteral("Tessaline"),
                              QString::fromStdString(ex.what()));
        return;
    }
    --busy_;
}

void frmMain::startGame(const QString &name, const GameNumber &number)
{
    clearHint();
    StopReplay();
    guarded([&] { session_->StartNewGame(name, number); });
#ifdef __GLIBC__
    // A deal leaves freed scratch memory behind; hand it back while the player thinks.
    QTimer::singleShot(0, this, [] { malloc_trim(0); });
#endif
}

void frmMain::SelectGameDialog()
{
    frmSelect dlg(
        *shared_.Data, [this](const QString &n) { startDrawnGame(n); }, this);
    dlg.exec();
}

void frmMain::SelectNumberDialog()
{
    frmChoose dlg(
        *shared_.Data, [this](const QString &n, const GameNumber &g) { startGame(n, g); }, this);
    dlg.exec();
}

void frmMain::GameWonDialog()
{
    QString next;
    session_->RefreshFigures();
    {
        // Recorded as shown: a clock second passing meanwhile must not change the record.
        frmFinish dlg(
            *shared_.Data, [this] { guarded([&] { session_->EndGame(1, true); }); }, this);
        dlg.openStatistics = [this](QWidget *owner) { openStatWindow<frmGameStat>(owner); };
        dlg.openHighScore = [this](QWidget *owner) { openStatWindow<frmHighScore>(owner); };
        dlg.exec();
        next = dlg.chosen();
    }
    // The win was found in the middle of a move: the next game starts once that move
    // has fully unwound, never inside it.
    QTimer::singleShot(0, this, [this, next] {
        cData &d = *shared_.Data;
        if (next == QLatin1String("New"))
            startDrawnGame(d.LastGName());
        else if (next == QLatin1String("Restart"))
            startGame(d.CurGName(), d.CurGNo);
        else if (next == QLatin1String("Select"))
            SelectGameDialog();
    });
}

void frmMain::showGameWon()
{
    if (openGameWon) {
        openGameWon();
        return;
    }
    guarded([&] { session_->EndGame(1); });
}

void frmMain::onFile(int index)
{
    cData &d = *shared_.Data;
    switch (index) {
    case 1:
        startDrawnGame(d.LastGName());
        break;
    case 2:
        SelectGameDialog();
        break;
    case 4:
        if (d.GameRunning)
            startGame(d.CurGName(), d.CurGNo);
        break;
    case 5:
        if (d.GameRunning) {
            StopReplay();
            guarded([&] { session_->EndGame(0); });
        }
        break;
    case 7:
        SelectNumberDialog();
        break;
    case 11:
        closing_ = true;
        if (exitNow)
            exitNow();
        break;
    default:
        break;
    }
}

void frmMain::onGame(int index)
{
    cData &d = *shared_.Data;
    Engine &e = *shared_.Eng;
    // With cards in the player's hand (a shortcut pressed mid-drag) the piles must not change under
    // them: the drop would judge, and draw, the cards from where they no longer are.
    const bool inHand = e.Drag.Dragging;
    if (inHand && (index == 1 || index == 2 || index == 6 || index == 7))
        return;
    switch (index) {
    case 1:
        guarded([&] {
            i16 speed = d.UndoSpeed();
            e.Trans->Undo(speed);
        });
        break;
    case 2:
        guarded([&] {
            i16 speed = d.UndoSpeed();
            e.Trans->Redo(speed);
        });
        break;
    case 4: {
        const bool on = d.Autoplay() == 0;
        d.SetAutoplay(on ? 1 : 0);
        if (on && d.GameRunning && !inHand)
            guarded([&] { RunAutoplay(e); });
        break;
    }
    case 6:
        guarded([&] {
            i16 speed = d.UndoallSpeed();
            e.Trans->UndoAll(speed);
        });
        break;
    case 7:
        guarded([&] {
            i16 speed = d.UndoallSpeed();
            e.Trans->RedoAll(speed);
        });
        break;
    case 9:
        d.SetShowToolbar(d.ShowToolbar() != 0 ? 0 : 1);
        LayOutWindow();
        break;
    case 10:
        d.SetFitTable(d.FitTable() != 0 ? 0 : 1);
        LayOutWindow();
        break;
    case 11:
        d.SetDoubleClickHome(d.DoubleClickHome() != 0 ? 0 : 1);
        break;
    default:
        break;
    }
    RefreshMenus();
    RefreshToolbar();
}

void frmMain::onReplay(int index)
{
    switch (index) {
    case 1:
        tmrForward.start();
        break;
    case 2:
        tmrBackward.start();
        break;
    case 4:
        if (shared_.Eng->Drag.Dragging)
            return;
        guarded([&] {
            i16 speed = 1;
            shared_.Eng->Trans->UndoAll(speed);
        });
        tmrForward.start();
        break;
    case 6:
        StopReplay();
        break;
    default:
        break;
    }
    RefreshMenus();
    RefreshToolbar();
}

void frmMain::onFav(int index)
{
    switch (index) {
    case 1:
        addToFavorites();
        break;
    case 2: { // Organize Favorites
        std::unique_ptr<frmOrgFav> dlg;
        guarded([&] { dlg = std::make_unique<frmOrgFav>(shared_, this); });
        if (dlg)
            dlg->exec();
        break;
    }
    case 4: { // Play from Favorites
        std::unique_ptr<frmPlayFav> dlg;
        guarded([&] {
            dlg = std::make_unique<frmPlayFav>(
                shared_, [this](const QString &n, const GameNumber &g) { startGame(n, g); }, this);
        });
        if (dlg)
            dlg->exec();
        break;
    }
    default:
        break;
    }
}

void frmMain::addToFavorites()
{
    cData &d = *shared_.Data;
    if (!d.GameRunning)
        return;
    bool stored = false;
    guarded([&] {
        shared_.Score->AddFav(d.CurGName(), d.CurGNo);
        stored = true;
    });
    if (stored)
        QMessageBox::information(this, d.ProdName(),
                                 QStringLiteral("Game <%1> Successfully Added to Favorites Under <%2> Folder")
                                     .arg(QString::fromStdString(d.CurGNo.display()), d.CurGName()));
}

void frmMain::settingChanged(Setting s)
{
    const cData &d = *shared_.Data;
    switch (s) {
    case Setting::BGIndex:
    case Setting::Fade:
    case Setting::CustomColor:
        PicBack->SetBG(d.BGIndex(), d.Fade(), d.CustomColor());
        break;
    case Setting::DeckIndex:
        PicBack->SetDeckBacks();
        break;
    default:
        break;
    }
    upkeep();
    RefreshStatus();
    scheduleClock();
}

void frmMain::keyPressEvent(QKeyEvent *ev)
{
    // Keys that reach the window past the table (nothing has the focus) still play.
    if (!PicBack || !PicBack->handleKey(ev))
        QMainWindow::keyPressEvent(ev);
}

bool frmMain::eventFilter(QObject *watched, QEvent *ev)
{
    if (ev->type() != QEvent::Wheel || (watched != PicBack && watched != PicMain))
        return QMainWindow::eventFilter(watched, ev);
    const auto *wheel = static_cast<QWheelEvent *>(ev);
    const bool sideways = wheel->angleDelta().x() != 0 || (wheel->modifiers() & Qt::ShiftModifier) != 0 ||
                          !vsbTable->isVisible();
    QScrollBar *bar = sideways ? hsbTable : vsbTable;
    return bar->isVisible() && QCoreApplication::sendEvent(bar, ev);
}

void frmMain::playerChanged()
{
    if (shared_.Data->GameRunning)
        setCaption(session_->Caption());
}

void frmMain::storeFailed(const QString &file, const QString &reason)
{
    // Shown once the failed write has returned: the writer may be deep inside a handler.
    QTimer::singleShot(0, this, [this, file, reason] {
        auto *box = new QMessageBox(QMessageBox::Critical,
                                    shared_.Data ? shared_.Data->ProdName() : QStringLiteral("Tessaline"),
                                    storeFailureMessage(file, reason), QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    });
}

template <class Window> void frmMain::openStatWindow(QWidget *owner)
{
    // A score file that cannot be read is shown as a failure, not as empty statistics.
    std::unique_ptr<Window> w;
    guarded([&] { w = std::make_unique<Window>(shared_, owner); });
    if (w)
        w->exec();
}

void frmMain::onStat(int index)
{
    switch (index) {
    case 1: // Game Statistics
        openStatWindow<frmGameStat>(this);
        break;
    case 2: // Session Statistics
        openStatWindow<frmSesStat>(this);
        break;
    case 4: // High Scores
        openStatWindow<frmHighScore>(this);
        break;
    case 6: // Log Statistics
        openStatWindow<frmLogStat>(this);
        break;
    default:
        break;
    }
}

void frmMain::onTools(int index)
{
    switch (index) {
    case 1: { // Customize
        frmCustomize dlg(shared_, this);
        dlg.exec();
        upkeep(); // the recent list may have been cleared, which no notification tells
        break;
    }
    case 3: {
        auto *dlg = new frmPlayers(*shared_.Data, *shared_.Score, this);
        dlg->setAttribute(Qt::WA_DeleteOnClose);
        connect(dlg, &QDialog::finished, this, &frmMain::upkeep);
        dlg->open();
        break;
    }
    case 5: {
        if (!shared_.Data->GameRunning)
            break;
        auto *dlg = new frmHistory(*shared_.Eng, this);
        dlg->setAttribute(Qt::WA_DeleteOnClose);
        dlg->open();
        break;
    }
    default:
        break;
    }
}

void frmMain::onHelp(int index)
{
    cData &d = *shared_.Data;
    switch (index) {
    case 1:
        if (d.GameRunning)
            d.ShowRules(d.CurGName());
        else
            d.ShowContents();
        break;
    case 2:
        d.ShowContents();
        break;
    case 4: {
        frmAbout about(d.ProdName(), this);
        about.exec();
        break;
    }
    default:
        break;
    }
}

void frmMain::onRecent(int index)
{
    const QString name = shared_.Data->GetRecent(static_cast<i16>(index));
    if (name.isEmpty())
        return;
    startDrawnGame(name);
}

void frmMain::onToolbar(int index)
{
    switch (index) {
    case 1:
        onFile(1);
        break;
    case 2:
        onFile(2);
        break;
    case 3:
        onFile(4);
        break;
    case 5:
        onGame(4);
        break;
    case 7:
        onGame(1);
        break;
    case 8:
        onGame(2);
        break;
    case 10:
        onReplay(2);
        break;
    case 11:
        onReplay(6);
        break;
    case 12:
        onReplay(1);
        break;
    case 14:
        onStat(1);
        break;
    case 16:
        onHelp(1);
        break;
    default:
        break;
    }
}

void frmMain::closeEvent(QCloseEvent *ev)
{
    tmrMain.stop();
    tmrTime.stop();
    StopReplay();
    if (!closing_ && shared_.Data && shared_.Data->GameRunning) {
        guarded([&] { session_->EndGame(0); });
    }
    closing_ = true;
    ev->accept();
    if (onClosed)
        onClosed();
}

} // namespace tess
