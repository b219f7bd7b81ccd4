// The table scaled to the window: play through real mouse events at several scales, the
// scale chosen from the piles for common play areas, every game kept inside the window
// through random play, fans that close up and open again, the design layout that scrolls,
// the captions that give way to the menus, the hint on an empty table and backs that show
// in a stack.
#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include "gui/frmMain.h"
#include "gui/table/cardTable.h"
#include "gui/table/pictures.h"
#include "model/cards.h"
#include "play/cTrans.h"
#include "play/deal.h"
#include "play/mFunc.h"
#include "play/mPlay.h"
#include "store/appearance.h"
#include "store/cData.h"
#include "tests/solve/randomPlay.h"
#include "tests/support/mainParts.h"
#include "tests/support/mainWindow.h"

using namespace tess;
using tess::testing::action;
using tess::testing::caption;
using tess::testing::menuItem;

namespace
{

// A fitted table wired to the play code as the main window wires it.
struct Table {
    QTemporaryDir dir;
    cData data{dir.filePath("t.conf"), dir.path()};
    HeadlessHost host;
    Engine e{&host};
    CardTable table{e, data};

    explicit Table(QSize size)
    {
        e.setView(&table);
        table.setAnimated(false);
        table.setFit(true);
        table.CreateCardControls();
        table.resize(size);
        table.show();
        QObject::connect(&table, &CardTable::cardPressed,
                         [this](int id, double x, double y) { CardPress(e, id, x, y); });
        QObject::connect(&table, &CardTable::cardDragged,
                         [this](int id, double x, double y) { CardMove(e, id, x, y); });
        QObject::connect(&table, &CardTable::cardReleased,
                         [this](int id, double, double) { CardRelease(e, id); });
    }
    ~Table() { e.setView(nullptr); }
    void start(const char *game, long long number)
    {
        host.autoplay = 0;
        e.NewGame(game, number);
        host.running = true;
    }
    // Where the card's slot on a pile lies on screen.
    QPoint slot(int cell, int pile, int pos) const { return table.placeRect(cell, pile, pos).topLeft(); }
};

// Where a card was each time it was drawn.
struct PaintedAt : QObject {
    std::vector<QPoint> at;
    explicit PaintedAt(QWidget *w) { w->installEventFilter(this); }
    bool eventFilter(QObject *o, QEvent *ev) override
    {
        if (ev->type() == QEvent::Paint)
            at.push_back(static_cast<QWidget *>(o)->pos());
        return false;
    }
};

void moveTo(TavCard *w, QWidget *table, QPoint p)
{
    QMouseEvent move(QEvent::MouseMove, w->mapFrom(table, p), w->mapToGlobal(w->mapFrom(table, p)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

// Presses the card, carries its grab point to `to` in steps and lets go; `midway` runs
// half-way through, with the button still down.
void drag(CardTable &table, int card, QPoint to, const std::function<void()> &midway = {})
{
    TavCard *w = table.PicCards[card];
    const QPoint grab(w->width() / 2, w->height() / 5);
    QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, grab);
    const QPoint start = w->mapTo(&table, grab);
    for (int step = 1; step <= 4; ++step) {
        if (step == 3 && midway)
            midway();
        moveTo(w, &table, start + (to + grab - start) * step / 4);
    }
    QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, w->mapFrom(&table, to + grab));
}

// A tableau move the rules allow (card onto pile dest) and a pile that refuses it.
bool findMoves(const Engine &e, int &card, int &dest, int &refusing)
{
    const int piles = e.Games.Piles(Home);
    for (int a = 0; a < piles; ++a) {
        if (e.Array.GetTop(Home, a) < 0)
            continue;
        const int c = e.Array.GetTopPicID(Home, a);
        dest = refusing = -1;
        for (int b = 0; b < piles; ++b) {
            if (b == a || e.Array.GetTop(Home, b) < 0)
                continue;
            const bool fits = FitsOrder(e, e.Array.GetTopPicID(Home, b), c, e.Games.Order(Home, b), false);
            (fits ? dest : refusing) = b;
        }
        if (dest >= 0 && refusing >= 0) {
            card = c;
            return true;
        }
    }
    return false;
}

// The first Klondike deal with such a move, dealt on the table.
bool dealWithMoves(Table &t, int &card, int &dest, int &refusing)
{
    for (long long n = 1; n < 300; ++n) {
        t.start("Klondike", n);
        if (findMoves(t.e, card, dest, refusing))
            return true;
    }
    return false;
}

QSize areaFor(double scale)
{
    // About this scale for Klondike: the height of its piles and their fans decides.
    return QSize(qRound(1400 * scale), qRound(560 * scale));
}

} // namespace

TEST(TableFit, DragsDropsAndTheStockPlayTheSameAtEveryScale)
{
    for (double scale : {0.6, 1.0, 1.37, 2.0}) {
        SCOPED_TRACE(scale);
        Table t(areaFor(scale));
        int card = -1, dest = -1, refusing = -1;
        ASSERT_TRUE(dealWithMoves(t, card, dest, refusing));
        const QPoint home = t.table.PicCards[card]->pos();
        const int moves = t.e.Trans->GetTransID();

        drag(t.table, card, t.slot(Home, refusing, t.e.Array.GetTop(Home, refusing) + 1));
        EXPECT_EQ(t.table.PicCards[card]->pos(), home);
        EXPECT_EQ(t.e.Trans->GetTransID(), moves);

        const int onto = t.e.Array.GetTop(Home, dest) + 1;
        drag(t.table, card, t.slot(Home, dest, onto));
        EXPECT_EQ(t.e.card(card).Pile, dest);
        EXPECT_EQ(t.e.Trans->GetTransID(), moves + 1);
        EXPECT_EQ(t.table.PicCards[card]->pos(), t.slot(Home, dest, onto));

        const int stock = t.e.Array.GetTop(Stock, 0);
        const int top = t.e.Array.GetTopPicID(Stock, 0);
        QTest::mouseClick(t.table.PicCards[top], Qt::LeftButton);
        EXPECT_EQ(t.e.Array.GetTop(Stock, 0), stock - 1);
        EXPECT_EQ(t.e.card(top).Cell, Waste);
        EXPECT_EQ(t.table.PicCards[top]->FaceMode(), 0);
    }
}

TEST(TableFit, AResizeInTheMiddleOfADragKeepsTheCard)
{
    Table t(areaFor(1.0));
    int card = -1, dest = -1, refusing = -1;
    ASSERT_TRUE(dealWithMoves(t, card, dest, refusing));
    const int onto = t.e.Array.GetTop(Home, dest) + 1;
    // The target is read after the resize, at the new scale, as the player would see it.
    TavCard *w = t.table.PicCards[card];
    QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    moveTo(w, &t.table, w->mapTo(&t.table, QPoint(40, 40)));
    const double before = t.table.scale();
    t.table.resize(areaFor(1.6));
    const double grown = t.table.scale() / before;
    ASSERT_GT(grown, 1.4);
    const QPoint to = t.slot(Home, dest, onto) + QPoint(10, 10);
    moveTo(w, &t.table, to);
    // The same spot of the card stays under the pointer: 10 pixels then, grown with the table now.
    const QPoint spot(qRound(10 * grown), qRound(10 * grown));
    EXPECT_LE((w->pos() - (to - spot)).manhattanLength(), 2) << "the card follows the pointer";
    QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, w->mapFrom(&t.table, to));
    EXPECT_EQ(t.e.card(card).Pile, dest);
    EXPECT_EQ(t.e.card(card).Cell, Home);
}

TEST(TableFit, TheChosenScaleShowsTheWholeTableCrisp)
{
    for (QSize area : {QSize(1920, 1080), QSize(1280, 720), QSize(800, 600)}) {
        for (const char *game : {"Klondike", "Double Klondike Spider"}) {
            SCOPED_TRACE(std::string(game) + " " + std::to_string(area.width()));
            Table t(area);
            t.start(game, 7);
            t.table.refreshPictures();
            const double s = t.table.scale();
            // The largest that fits the piles: one side of their box meets the area's edge.
            const QRectF box = t.table.pileBox();
            const double w = box.width() / kTwipsPerPixel * s, h = box.height() / kTwipsPerPixel * s;
            EXPECT_LE(w, area.width() + 0.01);
            EXPECT_LE(h, area.height() + 0.01);
            EXPECT_TRUE(w > area.width() - 1 || h > area.height() - 1);
            // Larger than the whole design table would allow, which is mostly empty.
            EXPECT_GT(s, CardTable::scaleFor(area) * 1.2);
            const QRect inside = t.table.rect();
            int shown = 0;
            for (TavCard *c : t.table.PicCards) {
                if (c->isHidden())
                    continue;
                ++shown;
                EXPECT_TRUE(inside.contains(c->geometry())) << c->objectName().toStdString();
                // Drawn at the size shown, at the screen's ratio: copied pixel for pixel.
                const qreal dpr = t.table.devicePixelRatioF();
                EXPECT_EQ(c->shownPicture().width(), qRound(c->width() * dpr));
                EXPECT_NEAR(c->shownPicture().height(), c->height() * dpr, dpr);
            }
            EXPECT_GT(shown, 50);
            for (QVector<TavEmpty *> *arr : {&t.table.PicHome, &t.table.PicRight, &t.table.PicWaste})
                for (TavEmpty *m : *arr) {
                    if (!m->isHidden()) {
                        EXPECT_TRUE(inside.contains(m->geometry())) << m->objectName().toStdString();
                    }
                }
            EXPECT_NEAR(t.table.cardSize().width(), 71 * s, 1.0);
        }
    }
}

TEST(TableFit, StackedFaceDownCardsShowTheirBackPattern)
{
    // A face-down card in a stacked pile shows 60 twips (4 design pixels) of its top.
    for (int id : deckIds()) {
        for (double scale : {0.6, 1.0, 2.0}) {
            const qreal r = cardPictureRatio(qRound(71 * scale), 1);
            const QImage back = GetPic(id, r).convertToFormat(QImage::Format_ARGB32);
            const int strip = static_cast<int>(4 * r);
            // Some row of the strip is mostly not the white rim.
            int best = 0;
            for (int y = 0; y < strip; ++y) {
                int coloured = 0, total = 0;
                for (int x = back.width() / 5; x < back.width() * 4 / 5; ++x, ++total) {
                    const QColor c = back.pixelColor(x, y);
                    if (c.alpha() > 200 && std::min({c.red(), c.green(), c.blue()}) < 225)
                        ++coloured;
                }
                best = std::max(best, coloured * 100 / total);
            }
            EXPECT_GE(best, 60) << "back " << id << " at scale " << scale;
        }
    }
}

namespace
{

struct Window : tess::testing::MainWindow {
    explicit Window(QSize size) : MainWindow(size) { settle(); }
    QWidget *picMain() const { return w->findChild<QWidget *>("PicMain"); }
};

} // namespace

TEST(TableFitWindow, TheGameMenuSwitchesBetweenFittedAndScrollingDesignLayout)
{
    Window t(QSize(1500, 1000));
    auto *item = t.w->findChild<QAction *>("mGame_10");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), "Fit Table to Window");
    EXPECT_EQ(menuItem(t.w, "mGame", 9)->text(), "View Toolbar");
    EXPECT_TRUE(item->isCheckable());
    t.w->RefreshMenus();
    EXPECT_TRUE(item->isChecked()); // on by default
    CardTable *table = t.w->table();
    EXPECT_EQ(table->geometry(), t.picMain()->rect());
    EXPECT_GT(table->scale(), 1.2);

    item->trigger();
    EXPECT_EQ(t.d().FitTable(), 0);
    EXPECT_EQ(table->size(), QSize(1032, 747));
    EXPECT_DOUBLE_EQ(table->scale(), 1.0);

    // A small window scrolls: at the bars' two ends both far corners of the table show.
    t.w->resize(500, 400);
    Window::settle();
    auto *h = t.w->findChild<QScrollBar *>("hsbTable");
    auto *v = t.w->findChild<QScrollBar *>("vsbTable");
    ASSERT_TRUE(h && v);
    ASSERT_TRUE(h->isVisible() && v->isVisible());
    // Both bars lie inside the play area, and the view is what they leave.
    EXPECT_TRUE(t.picMain()->rect().contains(h->geometry()));
    EXPECT_TRUE(t.picMain()->rect().contains(v->geometry()));
    const QRect view(0, 0, v->x(), h->y());
    h->setValue(h->minimum());
    v->setValue(v->minimum());
    EXPECT_EQ(table->pos(), QPoint(0, 0));
    h->setValue(h->maximum());
    v->setValue(v->maximum());
    EXPECT_EQ(table->geometry().bottomRight(), view.bottomRight());
    // The wheel over the table scrolls it too: up and down, and sideways with Shift.
    auto wheel = [&](QPoint delta, Qt::KeyboardModifiers mods) {
        const QPointF at(table->width() / 2.0, table->height() / 2.0);
        QWheelEvent ev(at, table->mapToGlobal(at), QPoint(), delta, Qt::NoButton, mods, Qt::NoScrollPhase,
                       false);
        QApplication::sendEvent(table, &ev);
    };
    wheel(QPoint(0, 120), Qt::NoModifier);
    EXPECT_LT(v->value(), v->maximum());
    EXPECT_EQ(h->value(), h->maximum());
    wheel(QPoint(0, 120), Qt::ShiftModifier);
    EXPECT_LT(h->value(), h->maximum());

    t.w->resize(1500, 1000);
    Window::settle();
    EXPECT_FALSE(h->isVisible());
    EXPECT_FALSE(v->isVisible());
    item->trigger();
    EXPECT_EQ(t.d().FitTable(), 1);
    EXPECT_EQ(table->geometry(), t.picMain()->rect());
}

TEST(TableFitWindow, AllSevenMenusStayVisibleInANarrowWindow)
{
    Window t(QSize(640, 480));
    t.w->session().StartNewGame("Klondike", GameNumber::number(5));
    t.w->RefreshStatus();
    Window::settle();
    QMenuBar *bar = t.w->menuBar();
    const QWidget *corner = bar->cornerWidget(Qt::TopRightCorner);
    for (const char *name : {"mnuFile", "mnuGame", "mnuReplay", "mnufav", "mnustat", "mnuTools", "mnuHelp"}) {
        auto *menu = t.w->findChild<QMenu *>(name);
        ASSERT_NE(menu, nullptr) << name;
        const QRect r = bar->actionGeometry(menu->menuAction());
        EXPECT_FALSE(r.isEmpty()) << name;
        EXPECT_LE(r.right(), corner->x()) << name;
    }
    auto *more = bar->findChild<QToolButton *>("qt_menubar_ext_button");
    EXPECT_TRUE(!more || !more->isVisible());
    // With room to spare the captions read in full.
    t.w->resize(1400, 600);
    Window::settle();
    EXPECT_GE(caption(t.w, "mTime")->width(),
              caption(t.w, "mTime")->fontMetrics().horizontalAdvance(caption(t.w, "mTime")->text()));
}

TEST(TableFitWindow, AnEmptyTableSaysWhatToDo)
{
    Window t(QSize(1000, 700));
    t.w->RefreshMenus();
    EXPECT_EQ(t.w->table()->hint(), "Press F2 for a new game or F3 to choose one");
    t.w->session().StartNewGame("Klondike", GameNumber::number(5));
    t.w->RefreshMenus();
    EXPECT_TRUE(t.w->table()->hint().isEmpty());
    menuItem(t.w, "mFile", 5)->trigger(); // Close Game
    t.w->RefreshMenus();
    EXPECT_FALSE(t.w->table()->hint().isEmpty());
}

TEST(TableFit, PicturesBelowDesignSizeShowTheWholeCard)
{
    // A small table draws its cards below one picture pixel per design pixel; the whole
    // card must shrink, not be cut at its right and bottom.
    for (qreal r : {0.6, 0.9, 1.37}) {
        SCOPED_TRACE(r);
        for (const QImage &small : {MainPic(1, r), MainPic(25, r), DeckPic(531, r)}) {
            const QImage a = small.convertToFormat(QImage::Format_ARGB32);
            // The card's outline runs down its right edge: the last columns are darker
            // than the white just inside.
            int x = a.width() - 1;
            while (x > 0 && qAlpha(a.pixel(x, a.height() / 2)) < 128)
                --x;
            EXPECT_GE(x, a.width() - 3);
            int y = a.height() - 1;
            while (y > 0 && qAlpha(a.pixel(a.width() / 2, y)) < 128)
                --y;
            EXPECT_GE(y, a.height() - 3);
            const QColor edge = a.pixelColor(x, a.height() / 2);
            EXPECT_LT(edge.red() + edge.green() + edge.blue(), 3 * 235);
        }
    }
}

namespace
{

// Every card shown lies whole inside the table, where the mapping the hit tests read says.
void expectInside(const Table &t, const std::string &where)
{
    const QRect inside = t.table.rect();
    for (int i = 0; i < t.e.Games.TotalCards(); ++i) {
        const TavCard *c = t.table.PicCards[i];
        if (c->isHidden())
            continue;
        const CardState &s = t.e.card(i);
        ASSERT_TRUE(inside.contains(c->geometry()))
            << where << ": card " << i << " at " << s.Cell << "/" << s.Pile << "/" << s.Pos;
        if (s.Cell == Home || s.Cell == Goal || s.Cell == Res) {
            ASSERT_EQ(c->pos(), t.slot(s.Cell, s.Pile, s.Pos))
                << where << ": card " << i << " at " << s.Cell << "/" << s.Pile << "/" << s.Pos << " twips "
                << s.Left << "," << s.Top << " cord " << t.e.Array.CordX(s.Cell, s.Pile, s.Pos) << ","
                << t.e.Array.CordY(s.Cell, s.Pile, s.Pos) << " face " << s.FaceMode;
        }
    }
}

bool sanitized()
{
#if defined(__SANITIZE_ADDRESS__)
    return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return true;
#endif
#endif
    return false;
}

} // namespace

TEST(TableFitEveryGame, DealtAndPlayedTablesStayInsideAtEverySize)
{
    const int steps = sanitized() ? 12 : 40;
    for (QSize area :
         {QSize(640, 480), QSize(800, 600), QSize(1024, 768), QSize(1600, 1000), QSize(2560, 1440)}) {
        Table t(area);
        for (int id = 1; id <= kGameCount; ++id) {
            const std::string where = std::string(catalogue::GameName(id)) + " at " +
                                      std::to_string(area.width()) + "x" + std::to_string(area.height());
            t.start(catalogue::GameName(id), 1000 + id);
            expectInside(t, where + " dealt");
            randomplay::Player player(static_cast<std::uint64_t>(id) * 31 +
                                      static_cast<std::uint64_t>(area.width()));
            for (int s = 0; s < steps && t.host.running; ++s) {
                player.step(t.e);
                expectInside(t, where + " step " + std::to_string(s));
                if (::testing::Test::HasFatalFailure())
                    return;
            }
        }
    }
}

TEST(TableFitEveryGame, KlondikeCardsFillABigWindow)
{
    // The window of a large screen, not a bare table: the menus, toolbar and status line
    // take their share.
    Window w(QSize(1600, 1000));
    w.w->session().StartNewGame("Klondike", GameNumber::number(5));
    Window::settle();
    EXPECT_GE(w.w->table()->cardSize().width(), 150)
        << "play area " << w.w->table()->width() << "x" << w.w->table()->height();
}

TEST(TableFit, ALongFanClosesUpAndOpensAgain)
{
    Table t(QSize(1024, 768));
    t.start("Klondike", 3);
    // The last pile, with its face-down cards: stock cards piled on it, face up, far past
    // the bottom of the window.
    const int P = t.e.Games.Piles(Home) - 1;
    const int bottom = t.table.height();
    const int dealt = t.e.Array.GetTop(Home, P);
    const int closedStep = t.slot(Home, P, 1).y() - t.slot(Home, P, 0).y();
    const QPoint dealtAt = t.table.PicCards[t.e.Array.GetTopPicID(Home, P)]->pos();
    // With room to spare, each back shows a band a player can count, not a sliver.
    EXPECT_GE(closedStep, t.table.cardSize().height() / 10);
    int added = 0;
    while (t.e.Array.GetTop(Stock, 0) >= 0 && added < 20) {
        i32 mod = tmod::Replayed;
        t.e.Array.MoveCard(t.e.Array.GetTopPicID(Stock, 0), Home, P, t.e.Array.GetTop(Home, P) + 1, mod, 0, 0,
                           kFaceUp);
        ++added;
        EXPECT_LE(t.table.PicCards[t.e.Array.GetTopPicID(Home, P)]->geometry().bottom(), bottom) << added;
        expectInside(t, "adding " + std::to_string(added));
    }
    ASSERT_EQ(added, 20);
    const int top = t.e.Array.GetTop(Home, P);
    const QPoint unclosed = t.table.toWidget(t.e.Array.CordX(Home, P, top), t.e.Array.CordY(Home, P, top));
    EXPECT_GT(unclosed.y() + t.table.cardSize().height(), bottom + 100);
    // The face-down cards closed first, to a sliver.
    const int closedNow = t.slot(Home, P, 1).y() - t.slot(Home, P, 0).y();
    EXPECT_LT(closedNow, closedStep);
    EXPECT_GE(closedNow, 2);

    // Carried over the closed-up fan's top card as shown, a card hits it there.
    const int id = t.e.Array.GetTopPicID(Home, 0);
    TavCard *w = t.table.PicCards[id];
    const QPoint grab(w->width() / 2, w->height() / 5);
    QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, grab);
    moveTo(w, &t.table, t.slot(Home, P, top) + grab);
    EXPECT_LE((w->pos() - t.slot(Home, P, top)).manhattanLength(), 1);
    EXPECT_TRUE(HitTest(t.e, id, Home, P, top, kPointTest));
    QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, grab);

    // Animated onto the closed-up fan, a card travels to where it comes to rest: the last step
    // drawn in flight is where it lies, with no jump once it lands.
    {
        const int id2 = t.e.Array.GetTopPicID(Stock, 0);
        ASSERT_GE(id2, 0);
        TavCard *flying = t.table.PicCards[id2];
        PaintedAt painted(flying);
        t.table.setAnimated(true);
        t.table.stepMillis = 0;
        i32 mod = tmod::Replayed;
        t.e.Array.MoveCard(static_cast<i16>(id2), Home, P, t.e.Array.GetTop(Home, P) + 1, mod, 8, 0, kFaceUp);
        t.table.setAnimated(false);
        ASSERT_FALSE(painted.at.empty());
        EXPECT_LE((painted.at.back() - flying->pos()).manhattanLength(), 2)
            << "drawn last at " << painted.at.back().y() << ", lies at " << flying->pos().y();
        EXPECT_LE(flying->geometry().bottom(), bottom);
    }

    // Taken off again, the fan opens back to its dealt spacing.
    while (t.e.Array.GetTop(Home, P) > dealt) {
        i32 mod = tmod::Replayed;
        t.e.Array.MoveCard(t.e.Array.GetTopPicID(Home, P), Stock, 0, t.e.Array.GetTop(Stock, 0) + 1, mod, 0,
                           0, kFaceDown);
    }
    EXPECT_EQ(t.slot(Home, P, 1).y() - t.slot(Home, P, 0).y(), closedStep);
    EXPECT_EQ(t.table.PicCards[t.e.Array.GetTopPicID(Home, P)]->pos(), dealtAt);
}
