// The Players window and the name dialog, driven through their own buttons; the players'
// score files follow every change, or nothing changes.
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include "app/players.h"
#include "gui/frmMain.h"
#include "gui/frmPlayers.h"
#include "gui/selectDialogs.h"
#include "tests/support/mainParts.h"
#include "tests/support/tempShared.h"

using namespace tess;
using tess::testing::action;
using tess::testing::caption;
using tess::testing::menuItem;

namespace
{

struct Players : tess::testing::TempShared {
    std::unique_ptr<frmPlayers> w;

    explicit Players(QStringList names = {"A", "B", "C"}, const QString &current = "A")
    {
        shared.createGameObjects();
        QDir().mkpath(d().AppDir());
        for (int i = 0; i < names.size(); ++i)
            d().SetPlayer(static_cast<i16>(i + 1), names[i], false);
        d().SetCurPlayer(current);
        open();
    }
    void open()
    {
        w = std::make_unique<frmPlayers>(d(), *shared.Score);
        w->show();
    }
    QString file(const QString &name) { return d().AppDir() + name + ".sre"; }
    void writeFile(const QString &name, const QByteArray &text)
    {
        QFile f(file(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    QByteArray readFile(const QString &name)
    {
        QFile f(file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QStringList slotNames()
    {
        QStringList s;
        for (int i = 1; i <= kMaxPlayers; ++i)
            s << d().GetPlayer(static_cast<i16>(i));
        while (!s.isEmpty() && s.last().isEmpty())
            s.removeLast();
        return s;
    }
    QStringList listed()
    {
        QStringList s;
        for (int i = 0; i < w->lvPlayer->count(); ++i)
            s << w->lvPlayer->item(i)->text();
        return s;
    }
    void pick(const QString &name)
    {
        const auto found = w->lvPlayer->findItems(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        w->lvPlayer->setCurrentItem(found[0]);
        emit w->lvPlayer->itemClicked(found[0]);
    }
    // Types into the open name dialog and presses OK; returns the refusal shown, if any.
    QString confirm(const QString &text)
    {
        dlGInput *in = w->input();
        if (!in)
            return "<no dialog>";
        in->Text1->setText(text);
        in->OKButton->setFocus(); // as a click on it would
        in->OKButton->click();
        QMessageBox *box = in->refusal();
        if (!box || !box->isVisible())
            return QString();
        const QString said = box->text();
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        EXPECT_EQ(box->windowTitle(), "Tessaline");
        box->button(QMessageBox::Ok)->click();
        EXPECT_EQ(in->focusWidget(), in->Text1);
        return said;
    }
    QString add(const QString &name)
    {
        w->cmdAdd->click();
        return confirm(name);
    }
    QString rename(const QString &from, const QString &to)
    {
        pick(from);
        w->cmdEdit->click();
        if (w->input()) {
            EXPECT_EQ(w->input()->Text1->text(), from);
        }
        return confirm(to);
    }
    // Deletes after answering the question; returns the failure message, if any.
    QString remove(const QString &name)
    {
        pick(name);
        if (!w->cmdDelete->isEnabled())
            return "<disabled>";
        w->cmdDelete->click();
        QMessageBox *ask = w->message();
        EXPECT_EQ(ask->text(), "Are you sure you want to delete this player");
        EXPECT_EQ(ask->icon(), QMessageBox::Critical);
        ask->button(QMessageBox::Yes)->click();
        QMessageBox *after = nullptr;
        (void)QTest::qWaitFor([&] { return (after = w->message()) != ask && after; }, 200);
        if (!after || after == ask)
            return QString();
        const QString said = after->text();
        after->button(QMessageBox::Ok)->click();
        return said;
    }
};

// Makes the data folder refuse renames and deletions, also for root; undone on leaving.
struct LockedFolder {
    QString dir;
    bool chattr = false;
    bool locked = false;
    explicit LockedFolder(const QString &path) : dir(path)
    {
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner);
        if (probeRefused()) {
            locked = true;
            return;
        }
        chattr = QProcess::execute("chattr", {"+i", dir}) == 0;
        locked = chattr && probeRefused();
    }
    bool probeRefused()
    {
        QFile f(dir + "/probe");
        const bool refused = !f.open(QIODevice::WriteOnly);
        if (!refused)
            f.remove();
        return refused;
    }
    ~LockedFolder()
    {
        if (chattr)
            QProcess::execute("chattr", {"-i", dir});
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

} // namespace

TEST(Players, DeletingBClosesTheGapAndRemovesItsScoreFile)
{
    Players t;
    t.writeFile("B", "b's games\r\n");
    t.writeFile("C", "c's games\r\n");
    EXPECT_FALSE(t.w->cmdDelete->isEnabled()); // the current player is selected at load
    EXPECT_EQ(t.w->lvPlayer->currentItem()->text(), "A");
    EXPECT_EQ(t.remove("B"), "");
    EXPECT_EQ(t.slotNames(), QStringList({"A", "C"}));
    EXPECT_EQ(t.listed(), QStringList({"A", "C"}));
    EXPECT_FALSE(QFile::exists(t.file("B")));
    EXPECT_EQ(t.readFile("C"), "c's games\r\n");
    // A player with no score file goes without a word; the current one never goes.
    EXPECT_EQ(t.remove("C"), "");
    EXPECT_EQ(t.slotNames(), QStringList({"A"}));
    EXPECT_EQ(t.remove("A"), "<disabled>");
    EXPECT_EQ(t.slotNames(), QStringList({"A"}));
}

TEST(Players, NoEnterOrEscapeOnDeleteKeepsThePlayer)
{
    Players t;
    t.pick("C");
    t.w->cmdDelete->click();
    t.w->message()->button(QMessageBox::No)->click();
    EXPECT_EQ(t.slotNames(), QStringList({"A", "B", "C"}));
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        t.w->cmdDelete->click();
        QTest::keyClick(t.w->message(), key);
        QCoreApplication::processEvents();
        EXPECT_EQ(t.slotNames(), QStringList({"A", "B", "C"})) << key;
    }
}

TEST(Players, RenamingTheCurrentPlayerRenamesTheScoreFile)
{
    Players t({"Player1"}, "Player1");
    t.writeFile("Player1", "games\r\n");
    EXPECT_EQ(t.rename("Player1", "Ann"), "");
    EXPECT_EQ(t.d().CurPlayer(), "Ann");
    EXPECT_EQ(t.slotNames(), QStringList({"Ann"}));
    EXPECT_EQ(t.listed(), QStringList({"Ann"}));
    EXPECT_FALSE(QFile::exists(t.file("Player1")));
    EXPECT_EQ(t.readFile("Ann"), "games\r\n");
    // Names are compared case-sensitively.
    EXPECT_EQ(t.rename("Ann", "ann"), "");
    EXPECT_EQ(t.d().CurPlayer(), "ann");
    EXPECT_EQ(t.readFile("ann"), "games\r\n");
    // Confirming a name unchanged is a name that exists.
    EXPECT_EQ(t.rename("ann", "ann"), "Player Exists !");
    EXPECT_EQ(t.add("ann"), "Player Exists !");
    EXPECT_TRUE(t.w->input()->isVisible()); // the dialog stays open
}

TEST(Players, TheTwentyFirstPlayerIsRefused)
{
    QStringList twenty;
    for (int i = 1; i <= 20; ++i)
        twenty << QString("P%1").arg(i);
    Players t(twenty, "P1");
    t.w->cmdAdd->click();
    ASSERT_NE(t.w->message(), nullptr);
    EXPECT_EQ(t.w->message()->text(), "Maximum 20 Players Only!");
    EXPECT_EQ(t.w->message()->icon(), QMessageBox::Information);
    EXPECT_EQ(t.w->input(), nullptr);
    t.w->message()->button(QMessageBox::Ok)->click();
    EXPECT_EQ(t.slotNames(), twenty);
}

TEST(Players, NamesThatCannotBeSafeFileNamesAreRefusedAndNothingIsWritten)
{
    Players t;
    const QStringList before = t.slotNames();
    const QString conf = t.dir.filePath("t.conf");
    for (const QString &bad :
         {QString("../x"), QString("a/b"), QString("a\\b"), QString(), QString(".."), QString("..."),
          QString("tab\there"), QString("nul") + QChar(0), QString("say \"hi\""), QString(65, 'x')}) {
        EXPECT_EQ(t.add(bad), "Please Enter a Valid Name") << bad.toStdString();
        EXPECT_TRUE(t.w->input()->isVisible());
        EXPECT_EQ(t.slotNames(), before);
        t.w->input()->CancelButton->click();
    }
    EXPECT_EQ(t.rename("B", "a/b"), "Please Enter a Valid Name");
    t.w->input()->CancelButton->click();
    t.d().sync();
    QFile store(conf);
    ASSERT_TRUE(store.open(QIODevice::ReadOnly));
    EXPECT_FALSE(store.readAll().contains("a/b"));
    EXPECT_FALSE(QFile::exists(t.dir.filePath("x.sre")));
    EXPECT_FALSE(QFile::exists(t.d().AppDir() + "a"));
    // Spaces only, and 64 characters, are names.
    EXPECT_EQ(t.add("   "), "");
    EXPECT_EQ(t.add(QString(64, 'y')), "");
    EXPECT_EQ(t.slotNames(), QStringList({"A", "B", "C", "   ", QString(64, 'y')}));
}

TEST(Players, AnExistingPlayerWithAnUnusualNameKeepsWorking)
{
    // Written by hand into the store: too long for a new name, still a player.
    const QString old(70, 'z');
    Players t({"A", old}, "A");
    EXPECT_EQ(t.listed(), QStringList({"A", old}));
    EXPECT_EQ(t.rename(old, "Zed"), "");
    EXPECT_EQ(t.slotNames(), QStringList({"A", "Zed"}));
}

TEST(Players, RenamingOntoALeftoverScoreFileIsRefusedAndKeepsBothFiles)
{
    Players t({"A", "Ann"}, "A");
    t.writeFile("Ann", "ann's games\r\n");
    t.writeFile("Bob", "a player removed by hand\r\n");
    const QString said = t.rename("Ann", "Bob");
    EXPECT_TRUE(said.contains("Bob.sre")) << said.toStdString();
    EXPECT_EQ(t.slotNames(), QStringList({"A", "Ann"}));
    EXPECT_EQ(t.readFile("Ann"), "ann's games\r\n");
    EXPECT_EQ(t.readFile("Bob"), "a player removed by hand\r\n");
}

TEST(Players, AScoreFileThatCannotChangeLeavesThePlayersAsTheyAre)
{
    Players t;
    t.writeFile("B", "b\r\n");
    t.writeFile("C", "c\r\n");
    {
        LockedFolder lock(t.d().AppDir());
        if (!lock.locked)
            GTEST_SKIP() << "no way to make a folder read-only here";
        const QString del = t.remove("B");
        EXPECT_TRUE(del.contains("B.sre") && del.contains("unchanged")) << del.toStdString();
        EXPECT_EQ(t.slotNames(), QStringList({"A", "B", "C"}));
        EXPECT_EQ(t.listed(), QStringList({"A", "B", "C"}));
        const QString ren = t.rename("C", "Cy");
        EXPECT_TRUE(ren.contains("C.sre")) << ren.toStdString();
        EXPECT_EQ(t.slotNames(), QStringList({"A", "B", "C"}));
        t.w->input()->CancelButton->click();
    }
    EXPECT_EQ(t.readFile("B"), "b\r\n");
    EXPECT_EQ(t.readFile("C"), "c\r\n");
}

TEST(Players, SelectMakesThePlayerCurrentAndCancelChangesNothing)
{
    Players t;
    t.pick("C");
    t.w->cmdCancel->click();
    EXPECT_EQ(t.d().CurPlayer(), "A");
    t.open();
    t.pick("C");
    EXPECT_TRUE(t.w->cmdDelete->isEnabled());
    t.w->cmdSelect->click();
    EXPECT_EQ(t.d().CurPlayer(), "C");
    EXPECT_FALSE(t.w->isVisible());
}

TEST(Players, PlayersInSlotsOneAndSevenAreListedEverywhere)
{
    tess::testing::TempShared t;
    t.shared.createGameObjects();
    t.d().SetPlayer(1, "Ann", true);
    t.d().SetPlayer(7, "Zoe", false);
    const QStringList both{"Ann", "Zoe"};
    auto combo = [](QComboBox *c) {
        QStringList s;
        for (int i = 0; i < c->count(); ++i)
            s << c->itemText(i);
        return s;
    };
    frmSelect select(t.d(), [](const QString &) {});
    EXPECT_EQ(combo(select.imcPlayer), both);
    frmChoose choose(t.d(), [](const QString &, const GameNumber &) {});
    EXPECT_EQ(combo(choose.imcPlayer), both);
    frmPlayers players(t.d(), *t.shared.Score);
    ASSERT_EQ(players.lvPlayer->count(), 2);
    EXPECT_EQ(players.lvPlayer->item(1)->text(), "Zoe");
    EXPECT_EQ(t.shared.Score->Players(), both);
    const QString report = t.dir.filePath("report.txt");
    t.shared.Score->WriteReport(report);
    QFile f(report);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    const QString stats = text.mid(text.indexOf("Player Statistics"));
    EXPECT_TRUE(stats.contains("Ann")) << stats.toStdString();
    EXPECT_TRUE(stats.contains("Zoe")) << stats.toStdString();
    // A slot outside 1..20 is refused before anything is written.
    EXPECT_THROW(t.d().SetPlayer(21, "Out", false), std::out_of_range);
    EXPECT_THROW(t.d().SetPlayer(0, "Out", true), std::out_of_range);
    EXPECT_EQ(t.d().CurPlayer(), "Ann");
    EXPECT_EQ(t.d().PlayerList(), both);
}

TEST(Players, OpensFromTheToolsMenu)
{
    tess::testing::TempShared t;
    frmMain w(t.shared);
    w.RefreshMenus();
    ASSERT_TRUE(menuItem(w, "mTools", 3)->isEnabled());
    w.onTools(3);
    auto *p = w.findChild<frmPlayers *>();
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(p->isModal());
    EXPECT_EQ(p->windowTitle(), "Players");
    EXPECT_EQ(p->lvPlayer->count(), 1); // the session's first player
    p->cmdCancel->click();
    QTRY_VERIFY_WITH_TIMEOUT(w.findChild<frmPlayers *>() == nullptr, 2000);
}

// The caption names the player the game's score goes to: renaming that player shows at once.
TEST(Players, RenamingTheCurrentPlayerShowsInTheCaption)
{
    tess::testing::TempShared t;
    frmMain w(t.shared);
    w.startGame("Klondike", GameNumber::number(123));
    ASSERT_EQ(w.windowTitle(), "Tessaline [Klondike] [Player1] [123]");
    ASSERT_TRUE(RenamePlayer(t.d(), *t.shared.Score, "Player1", "Ann").ok());
    EXPECT_EQ(w.windowTitle(), "Tessaline [Klondike] [Ann] [123]");
    // Another player's rename leaves it alone.
    ASSERT_TRUE(AddPlayer(t.d(), "Bo").ok());
    ASSERT_TRUE(RenamePlayer(t.d(), *t.shared.Score, "Bo", "Cy").ok());
    EXPECT_EQ(w.windowTitle(), "Tessaline [Klondike] [Ann] [123]");
}

// A rename that reached the score file but not the settings would leave the player without
// their games, and the name back would be refused as taken.
TEST(Players, ChangesTheSettingsFileCannotTakeAreUndoneWholeAndSaidSo)
{
    Players t({"Player1", "B"}, "Player1");
    t.writeFile("Player1", "games\r\n");
    t.writeFile("B", "b's games\r\n");
    const QString conf = t.dir.filePath("t.conf");
    {
        tess::testing::StoreOutOfReach away(conf);
        const QString ren = t.rename("Player1", "Ann");
        EXPECT_TRUE(ren.contains(QDir::toNativeSeparators(conf)) && ren.contains("unchanged"))
            << ren.toStdString();
        EXPECT_EQ(t.readFile("Player1"), "games\r\n");
        EXPECT_FALSE(QFile::exists(t.file("Ann")));
        EXPECT_EQ(t.slotNames(), QStringList({"Player1", "B"}));
        EXPECT_EQ(t.d().CurPlayer(), "Player1");
        t.w->input()->CancelButton->click();
        const QString del = t.remove("B");
        EXPECT_TRUE(del.contains(QDir::toNativeSeparators(conf))) << del.toStdString();
        EXPECT_EQ(t.readFile("B"), "b's games\r\n");
        EXPECT_EQ(t.listed(), QStringList({"Player1", "B"}));
        EXPECT_TRUE(t.add("Cy").contains("unchanged"));
        EXPECT_EQ(t.slotNames(), QStringList({"Player1", "B"}));
        t.w->input()->CancelButton->click();
    }
    EXPECT_EQ(QDir(t.d().AppDir()).entryList(QDir::Files), QStringList({"B.sre", "Player1.sre"}));
    // Once the file can be written, the same rename goes through, file and slots together.
    EXPECT_EQ(t.rename("Player1", "Ann"), "");
    EXPECT_EQ(t.readFile("Ann"), "games\r\n");
    EXPECT_EQ(t.remove("B"), "");
    EXPECT_EQ(QDir(t.d().AppDir()).entryList(QDir::Files), QStringList({"Ann.sre"}));
    cData fresh(conf, t.dir.filePath("data"));
    EXPECT_EQ(fresh.PlayerList(), QStringList({"Ann"}));
    EXPECT_EQ(fresh.CurPlayer(), "Ann");
}
