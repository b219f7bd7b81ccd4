// The program as a whole: a second copy on the same data folder, the last guard for failures
// no handler caught, and a settings file that cannot be written.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "app/dataLock.h"
#include "gui/frmMain.h"
#include "gui/frmSplash.h"
#include "gui/program.h"
#include "tests/support/tempShared.h"

using namespace tess;

namespace
{

// The message boxes on show whose text holds part.
QList<QMessageBox *> boxesSaying(const QString &part)
{
    QList<QMessageBox *> found;
    for (QWidget *w : QApplication::allWidgets())
        if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible() && box->text().contains(part))
            found << box;
    return found;
}

} // namespace

TEST(Program, ASecondCopyOnTheSameDataFolderSaysSoAndTouchesNoFile)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("data/Tessaline/");
    DataFolderLock first(folder);
    ASSERT_EQ(first.state(), DataFolderLock::State::Held);
    int ended = 0;
    {
        Program second(std::make_unique<cData>(dir.filePath("t.conf"), dir.filePath("data")));
        second.endRefused = [&] { ++ended; };
        EXPECT_FALSE(second.StartApplication());
        QMessageBox *box = second.refusal();
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(box->isVisible());
        EXPECT_EQ(box->icon(), QMessageBox::Information);
        EXPECT_EQ(box->windowTitle(), "Tessaline");
        EXPECT_TRUE(box->text().contains(QDir::toNativeSeparators(folder))) << box->text().toStdString();
        EXPECT_EQ(second.mainWindow(), nullptr);
        for (QWidget *w : QApplication::topLevelWidgets())
            EXPECT_FALSE(qobject_cast<frmSplash *>(w) && w->isVisible());
        box->button(QMessageBox::Ok)->click();
        EXPECT_EQ(ended, 1);
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("t.conf")));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{kLockFileName});
}

TEST(Program, TheFirstCopyHoldsItsDataFolder)
{
    QTemporaryDir dir;
    Program p(std::make_unique<cData>(dir.filePath("t.conf"), dir.filePath("data")));
    ASSERT_TRUE(p.StartApplication());
    EXPECT_EQ(DataFolderLock(dir.filePath("data/Tessaline/")).state(), DataFolderLock::State::InUse);
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *splash = qobject_cast<frmSplash *>(w)) {
            splash->onClose = nullptr;
            delete splash;
        }
}

TEST(Program, AnExceptionOutOfAnEventIsShownAndTheProgramGoesOn)
{
    QObject target;
    bool after = false;
    QMetaObject::invokeMethod(
        &target, [] { throw std::runtime_error("the deck slipped off the table"); }, Qt::QueuedConnection);
    QMetaObject::invokeMethod(
        &target, [&] { after = true; }, Qt::QueuedConnection);
    EXPECT_TRUE(QTest::qWaitFor([&] { return after && !boxesSaying("deck slipped").isEmpty(); }, 5000));
    const auto shown = boxesSaying("deck slipped");
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0]->icon(), QMessageBox::Critical);
    shown[0]->button(QMessageBox::Ok)->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return boxesSaying("deck slipped").isEmpty(); }, 2000));
}

TEST(Program, TheMainWindowTellsOfASettingsFileItCannotWriteOncePerFailure)
{
    tess::testing::TempShared t;
    frmMain w(t.shared);
    w.show();
    const QString conf = QDir::toNativeSeparators(t.d().storeFile());
    auto told = [&] { return w.findChildren<QMessageBox *>().size(); };
    {
        tess::testing::StoreOutOfReach away(t.d().storeFile());
        t.d().SetAutoplay(0);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !boxesSaying(conf).isEmpty(); }, 2000));
        QMessageBox *box = boxesSaying(conf)[0];
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        EXPECT_TRUE(box->text().contains("directory")) << box->text().toStdString(); // the reason
        box->button(QMessageBox::Ok)->click();
        EXPECT_TRUE(QTest::qWaitFor([&] { return told() == 0; }, 2000));
        t.d().SetShowToolbar(0);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        EXPECT_EQ(told(), 0); // the same failure, not told again
    }
    t.d().SetShowToolbar(1);
    QCoreApplication::processEvents();
    EXPECT_EQ(told(), 0);
    tess::testing::StoreOutOfReach again(t.d().storeFile());
    t.d().SetAutoplay(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !boxesSaying(conf).isEmpty(); }, 2000));
}
