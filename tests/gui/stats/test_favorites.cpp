// Organize Favorites and Play from Favorites over a real favourites file and main window.
#include <QFile>

#include <gtest/gtest.h>

#include "gui/frmMain.h"
#include "gui/stats/frmOrgFav.h"
#include "gui/stats/frmPlayFav.h"
#include "gui/table/cardTable.h"
#include "tests/support/answer.h"
#include "tests/support/mainParts.h"
#include "tests/support/tempShared.h"

using namespace tess;
using tess::testing::action;
using tess::testing::caption;
using tess::testing::menuItem;
using namespace tess::testing;

namespace
{

struct Favs : TempShared {
    std::unique_ptr<frmMain> w;
    Favs()
    {
        w = std::make_unique<frmMain>(shared);
        w->table()->setAnimated(false);
        w->show();
    }
    QString favFile() { return shared.Score->FavFile(); }
    void writeFavs(const QByteArray &bytes)
    {
        QFile f(favFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
};

QStringList rows(const QTreeWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        out << list->topLevelItem(i)->text(0);
    return out;
}

void chooseGame(QTreeWidget *games, const QString &name)
{
    const auto found = games->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name.toStdString();
    games->setCurrentItem(found.first());
}

} // namespace

TEST(OrganizeFavorites, ListsEachGamesNumbersInFileOrderDuplicatesIncluded)
{
    Favs t;
    t.shared.Score->AddFav("Klondike", GameNumber::number(123));
    t.shared.Score->AddFav("Klondike", GameNumber::number(123));
    t.shared.Score->AddFav("Canister", GameNumber::text("77"));
    t.shared.Score->AddFav("No Such Game", GameNumber::number(5));
    t.shared.Score->AddFav("Klondike", GameNumber::text("9"));
    t.d().SetCurGName("Klondike");

    frmOrgFav dlg(t.shared, t.w.get());
    EXPECT_EQ(dlg.windowTitle(), "Organize Favorites");
    EXPECT_EQ(t.shared.Score->FavTop(), 5); // the unknown game's favourite is loaded
    ASSERT_EQ(dlg.lvGames->topLevelItemCount(), 33);
    EXPECT_EQ(dlg.lvGames->currentItem()->text(0), "Klondike");
    EXPECT_EQ(rows(dlg.lvFav), (QStringList{"123", "123", "9"}));
    chooseGame(dlg.lvGames, "Canister");
    EXPECT_EQ(rows(dlg.lvFav), QStringList{"77"});
    // ...but no game lists it.
    for (int i = 0; i < dlg.lvGames->topLevelItemCount(); ++i) {
        dlg.lvGames->setCurrentItem(dlg.lvGames->topLevelItem(i));
        EXPECT_FALSE(rows(dlg.lvFav).contains("5")) << dlg.lvGames->topLevelItem(i)->text(0).toStdString();
    }
}

TEST(OrganizeFavorites, ClearDeletesTheFileAndTheButtonFollowsOnTheNextTick)
{
    Favs t;
    t.shared.Score->AddFav("Klondike", GameNumber::number(1));
    t.shared.Score->AddFav("Canister", GameNumber::number(2));
    t.d().SetCurGName("Klondike");
    frmOrgFav dlg(t.shared, t.w.get());
    EXPECT_EQ(dlg.Timer1.interval(), 500);
    EXPECT_TRUE(dlg.Timer1.isActive());
    ASSERT_TRUE(dlg.cmdClear->isEnabled());
    dlg.cmdClear->click();
    EXPECT_FALSE(QFile::exists(t.favFile()));
    EXPECT_EQ(dlg.lvFav->topLevelItemCount(), 0);
    chooseGame(dlg.lvGames, "Canister");
    EXPECT_EQ(dlg.lvFav->topLevelItemCount(), 0);
    EXPECT_TRUE(dlg.cmdClear->isEnabled()); // until the timer looks
    dlg.Tick();
    EXPECT_FALSE(dlg.cmdClear->isEnabled());
}

TEST(OrganizeFavorites, NoFileMeansEmptyListsAndNothingToClear)
{
    Favs t;
    frmOrgFav dlg(t.shared, t.w.get());
    EXPECT_EQ(dlg.lvGames->currentItem()->text(0), "Blind Alleys");
    EXPECT_EQ(dlg.lvFav->topLevelItemCount(), 0);
    EXPECT_FALSE(dlg.cmdClear->isEnabled());
}

TEST(OrganizeFavorites, AFileOfOnlyUnreadableLinesCanStillBeCleared)
{
    Favs t;
    t.writeFavs("nonsense\r\n\"Klon\"dike\",2\r\n");
    frmOrgFav dlg(t.shared, t.w.get());
    EXPECT_EQ(t.shared.Score->FavTop(), 0);
    ASSERT_TRUE(dlg.cmdClear->isEnabled());
    dlg.cmdClear->click();
    EXPECT_FALSE(QFile::exists(t.favFile()));
    dlg.Tick();
    EXPECT_FALSE(dlg.cmdClear->isEnabled());
}

TEST(OrganizeFavorites, EnterClosesTheWindowAndClearsNothing)
{
    Favs t;
    t.shared.Score->AddFav("Klondike", GameNumber::number(1));
    t.d().SetCurGName("Klondike");
    frmOrgFav dlg(t.shared, t.w.get());
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    EXPECT_FALSE(dlg.cmdClear->isDefault());
    EXPECT_FALSE(dlg.cmdClear->autoDefault());
    // Focus on the button itself does not make it the one Enter presses.
    dlg.cmdClear->setFocus();
    QTest::keyClick(dlg.cmdClear, Qt::Key_Return);
    EXPECT_TRUE(QFile::exists(t.favFile()));
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
}

TEST(Favorites, The32767thOpensBothWindowsAndTheNextIsRefusedWithTheLimit)
{
    Favs t;
    QByteArray file;
    for (int i = 1; i <= 32767; ++i)
        file += (i % 2 ? "\"Klondike\"," : "\"Canister\",") + QByteArray::number(i) + "\r\n";
    t.writeFavs(file);
    t.d().SetCurGName("Canister");
    {
        frmOrgFav org(t.shared, t.w.get());
        EXPECT_EQ(org.lvFav->topLevelItemCount(), 16383);
        EXPECT_EQ(org.lvFav->topLevelItem(16382)->text(0), "32766");
    }
    {
        frmPlayFav play(
            t.shared, [](const QString &, const GameNumber &) {}, t.w.get());
        EXPECT_EQ(play.lvFav->currentItem()->text(0), "32766");
        play.imcGames->setCurrentText("Klondike");
        EXPECT_EQ(play.lvFav->topLevelItemCount(), 16384);
        EXPECT_EQ(play.lvFav->currentItem()->text(0), "32767");
    }
    t.w->session().StartNewGame("Klondike", GameNumber::number(40000));
    t.w->RefreshMenus();
    ASSERT_TRUE(menuItem(t.w, "mFav", 1)->isEnabled());
    Shown why;
    answerBox(&why);
    menuItem(t.w, "mFav", 1)->trigger();
    EXPECT_EQ(why.count, 1);
    EXPECT_NE(why.icon, QMessageBox::Question);
    EXPECT_TRUE(why.text.contains("32767")) << why.text.toStdString();
    EXPECT_FALSE(why.text.contains("Successfully")) << why.text.toStdString();
    QFile f(t.favFile());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), file);
}

TEST(PlayFavorites, PlayIsOfferedOnlyForAGameWithFavouritesAndSelectsTheLast)
{
    Favs t;
    t.writeFavs("\"Klondike\",5\r\n\"Klondike\",\"66\"\r\n");
    int started = 0;
    frmPlayFav dlg(
        t.shared, [&](const QString &, const GameNumber &) { ++started; }, t.w.get());
    EXPECT_EQ(dlg.windowTitle(), "Play from Favorites");
    EXPECT_EQ(dlg.imcGames->currentText(), "Blind Alleys");
    EXPECT_FALSE(dlg.cmdPlay->isEnabled());
    dlg.imcGames->setCurrentText("Klondike");
    EXPECT_EQ(rows(dlg.lvFav), (QStringList{"5", "66"}));
    EXPECT_EQ(dlg.lvFav->currentItem()->text(0), "66");
    EXPECT_TRUE(dlg.cmdPlay->isEnabled());
    dlg.imcGames->setCurrentText("Canister");
    EXPECT_FALSE(dlg.cmdPlay->isEnabled());
    EXPECT_EQ(started, 0);
}

TEST(PlayFavorites, AGameStartedFromAFavouriteRecordsItsNumberQuoted)
{
    Favs t;
    t.shared.Score->AddFav("Klondike", GameNumber::number(123));
    t.w->RefreshMenus();
    ASSERT_TRUE(menuItem(t.w, "mFav", 4)->isEnabled());
    ASSERT_TRUE(menuItem(t.w, "mFav", 2)->isEnabled());
    whenModal([](QWidget *m) {
        auto *dlg = qobject_cast<frmPlayFav *>(m);
        if (!dlg)
            return false;
        dlg->imcGames->setCurrentText("Klondike");
        dlg->cmdPlay->click();
        return true;
    });
    menuItem(t.w, "mFav", 4)->trigger();
    ASSERT_TRUE(t.d().GameRunning);
    EXPECT_EQ(t.d().CurGName(), "Klondike");
    EXPECT_TRUE(t.d().CurGNo.isText());
    t.w->session().EndGame(0);
    const QStringList lines = t.scoreLines();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].contains(",\"123\",")) << lines[0].toStdString();

    // Added again from that game, the favourite is written quoted too.
    t.w->session().StartNewGame("Klondike", GameNumber::text("123"));
    t.shared.Score->AddFav(t.d().CurGName(), t.d().CurGNo);
    QFile f(t.favFile());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("\"Klondike\",123\r\n\"Klondike\",\"123\"\r\n"));
}

TEST(PlayFavorites, ANumberTheGameCannotDealIsShownAndChangesNothing)
{
    Favs t;
    t.w->session().StartNewGame("Canister", GameNumber::number(7));
    t.writeFavs("\"Klondike\",\"12x\"\r\n");
    Shown why;
    answerBox(&why);
    whenModal([](QWidget *m) {
        auto *dlg = qobject_cast<frmPlayFav *>(m);
        if (!dlg)
            return false;
        dlg->imcGames->setCurrentText("Klondike");
        dlg->cmdPlay->click();
        return true;
    });
    menuItem(t.w, "mFav", 4)->trigger();
    EXPECT_EQ(why.icon, QMessageBox::Critical);
    EXPECT_TRUE(why.text.contains("12x")) << why.text.toStdString();
    EXPECT_EQ(t.d().CurGName(), "Canister");
    EXPECT_EQ(t.d().CurGNo, GameNumber::number(7));
    EXPECT_TRUE(t.d().GameRunning);
    EXPECT_TRUE(t.scoreLines().isEmpty()); // the running game was not given up
    EXPECT_EQ(t.d().GetRecent(1), "Canister");
}
