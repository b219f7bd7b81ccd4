// The statistics export and clearing as the buttons run them: the save dialog, the report,
// the messages, and what is left on disk when something goes wrong.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "gui/stats/exportStat.h"
#include "tests/support/answer.h"
#include "tests/support/tempShared.h"

using namespace tess;
using namespace tess::testing;

namespace
{

struct Export : TempShared {
    Export()
    {
        shared.createGameObjects();
        d().SetPlayer(1, QStringLiteral("Ann"), true);
    }
    // One finished game of the current player in the score file.
    void recordGame(const QString &game, i16 won)
    {
        d().SetCurGName(game);
        d().CurGNo = GameNumber::number(42);
        d().CurTime = 65;
        d().CurMoves = 10;
        d().CurScore = 7;
        shared.Score->AddScore(won);
    }
    QString out(const QString &name) const { return dir.filePath(name); }
};

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(ExportStat, TheChosenFileGetsTheReportAndTheUserIsTold)
{
    Export t;
    t.recordGame(QStringLiteral("Klondike"), 1);
    const QString path = t.out(QStringLiteral("report.txt"));
    QString proposed;
    QStringList filters;
    Shown msg;
    answerSaveDialog(path, &proposed, &filters);
    answerBox(&msg);
    EXPECT_TRUE(ExportStat(nullptr, t.shared));

    EXPECT_EQ(proposed, QStringLiteral("Scoreboard"));
    EXPECT_EQ(filters, QStringList{QStringLiteral("Text File (*.txt)")});
    EXPECT_EQ(msg.count, 1);
    EXPECT_EQ(msg.icon, QMessageBox::Information);
    EXPECT_EQ(msg.title, QStringLiteral("Tessaline"));
    EXPECT_EQ(msg.text,
              QStringLiteral("Statistics Successfully Exported to ") + QDir::toNativeSeparators(path));
    const QByteArray report = contents(path);
    EXPECT_TRUE(report.startsWith("Tessaline Score Board\r\n"));
    EXPECT_TRUE(report.contains("Klondike")) << report.constData();
    // The export leaves nothing loaded behind.
    EXPECT_EQ(t.shared.Score->ScoreTop(), 0);
}

TEST(ExportStat, ReplacingAnExistingReportIsConfirmedFirst)
{
    Export t;
    const QString path = t.out(QStringLiteral("old.txt"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old report");
    }
    Shown asked, msg;
    answerSaveDialog(path, nullptr, nullptr, QMessageBox::Yes, &asked);
    answerBox(&msg);
    EXPECT_TRUE(ExportStat(nullptr, t.shared));
    EXPECT_EQ(asked.count, 1);
    EXPECT_TRUE(asked.text.contains(QStringLiteral("old.txt"))) << asked.text.toStdString();
    EXPECT_TRUE(contents(path).startsWith("Tessaline Score Board"));
}

TEST(ExportStat, CancelWritesNothingAndSaysNothing)
{
    Export t;
    t.recordGame(QStringLiteral("Klondike"), 0);
    const QStringList before = QDir(t.dir.path()).entryList(QDir::Files);
    answerSaveDialog(QString());
    EXPECT_FALSE(ExportStat(nullptr, t.shared));
    EXPECT_EQ(QDir(t.dir.path()).entryList(QDir::Files), before);
    EXPECT_FALSE(QFile::exists(t.dir.filePath(QStringLiteral("Scoreboard"))));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(ExportStat, AnUnwritableTargetIsReportedAndLeavesNoFile)
{
    Export t;
    t.recordGame(QStringLiteral("Klondike"), 1);
    // The tests may run as root, which writes anywhere: a folder that cannot exist stands in for
    // one the user may not write to.
    const QString blocker = t.out(QStringLiteral("plain-file"));
    {
        QFile f(blocker);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const QString inFile = blocker + QStringLiteral("/report.txt");
    Shown msg;
    answerBox(&msg);
    EXPECT_FALSE(ExportStatTo(nullptr, t.shared, inFile));
    EXPECT_EQ(msg.count, 1);
    EXPECT_EQ(msg.icon, QMessageBox::Critical);
    EXPECT_FALSE(msg.text.contains(QStringLiteral("Successfully")));
    EXPECT_FALSE(QFileInfo::exists(inFile));

    // A folder standing where the report should go stays a folder.
    const QString folder = t.out(QStringLiteral("taken.txt"));
    ASSERT_TRUE(QDir().mkpath(folder));
    Shown again;
    answerBox(&again);
    EXPECT_FALSE(ExportStatTo(nullptr, t.shared, folder));
    EXPECT_EQ(again.icon, QMessageBox::Critical);
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(t.shared.Score->ScoreTop(), 0);
}

TEST(ExportStat, AnUnreadableScoreFileIsNamedAndTheReportHoldsTheOthers)
{
    Export t;
    t.recordGame(QStringLiteral("Klondike"), 1);
    const QString path = t.out(QStringLiteral("report.txt"));
    // A second player whose score file is a folder: it cannot be read.
    t.d().SetPlayer(2, QStringLiteral("Bob"), false);
    ASSERT_TRUE(QDir().mkpath(t.d().AppDir() + QStringLiteral("Bob.sre")));
    QList<Shown> shown;
    answerBoxes(&shown, 2);
    EXPECT_TRUE(ExportStatTo(nullptr, t.shared, path));
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0].icon, QMessageBox::Information);
    EXPECT_TRUE(shown[0].text.contains(QStringLiteral("Bob.sre\": it is a folder")))
        << shown[0].text.toStdString();
    EXPECT_TRUE(shown[1].text.startsWith(QStringLiteral("Statistics Successfully Exported to ")));
    const QByteArray report = contents(path);
    EXPECT_TRUE(report.contains("\r\nAnn" + QByteArray(11, ' ') + " 1 ")) << report.constData();
    EXPECT_TRUE(report.contains("\r\nBob" + QByteArray(11, ' ') + " 0 ")) << report.constData();
}

TEST(ExportStat, AFileWhoseTotalsLeave32BitsIsLeftOutAndNamed)
{
    Export t;
    // Seventy games of nearly a year each: every line possible, their times together leave 32 bits.
    ScoreRecord r;
    r.DateText = QStringLiteral("2026-01-01 10:00:00");
    r.GameName = QStringLiteral("Klondike");
    r.GameNo = GameNumber::number(1);
    r.Time = kMaxGameSeconds;
    r.Won = 1;
    QDir().mkpath(t.d().AppDir());
    {
        QFile f(t.d().AppDir() + QStringLiteral("Ann.sre"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        for (int i = 0; i < 70; ++i)
            f.write(formatScoreLine(r));
    }
    t.d().SetPlayer(2, QStringLiteral("Bob"), false);
    t.d().SetCurPlayer(QStringLiteral("Bob"));
    t.recordGame(QStringLiteral("Canister"), 0);
    const QString path = t.out(QStringLiteral("report.txt"));
    QList<Shown> shown;
    answerBoxes(&shown, 2);
    EXPECT_TRUE(ExportStatTo(nullptr, t.shared, path));
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0].icon, QMessageBox::Information);
    EXPECT_TRUE(
        shown[0].text.contains(QStringLiteral("Ann.sre\": its games would carry the totals past 2147483647")))
        << shown[0].text.toStdString();
    const QByteArray report = contents(path);
    EXPECT_TRUE(report.contains("\r\nAnn" + QByteArray(11, ' ') + " 0 ")) << report.constData();
    EXPECT_TRUE(report.contains("\r\nBob" + QByteArray(11, ' ') + " 1 ")) << report.constData();
}

TEST(ClearStatistics, AsksWithAQuestionAndDeletesOnlyOnYes)
{
    Export t;
    t.recordGame(QStringLiteral("Klondike"), 1);
    const QString file = t.d().AppDir() + QStringLiteral("Ann.sre");
    ASSERT_TRUE(QFile::exists(file));

    Shown asked;
    answerBox(&asked, QMessageBox::No);
    EXPECT_FALSE(ClearStat(nullptr, t.shared));
    EXPECT_EQ(asked.icon, QMessageBox::Question);
    EXPECT_EQ(asked.title, QStringLiteral("Tessaline"));
    EXPECT_TRUE(asked.text.startsWith(QStringLiteral("Are you sure you want to clear the Statistics")));
    EXPECT_TRUE(QFile::exists(file));

    Shown yes, told;
    answerBox(&yes, QMessageBox::Yes);
    answerBox(&told, QMessageBox::Ok);
    EXPECT_TRUE(ClearStat(nullptr, t.shared));
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(yes.count, 1);
    EXPECT_EQ(told.icon, QMessageBox::Information);
    EXPECT_EQ(told.text, QStringLiteral("Statistics, High Score and Log have been Cleared."));
}

TEST(ClearStatistics, ReturnAndEscapeAnswerNo)
{
    Export t;
    t.recordGame(QStringLiteral("Klondike"), 1);
    const QString file = t.d().AppDir() + QStringLiteral("Ann.sre");
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        // Every box is answered with the key alone; what the question offered is kept.
        QStringList seen;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            seen << box->text();
            if (box->button(QMessageBox::No)) {
                if (box->defaultButton() != box->button(QMessageBox::No))
                    seen << "default is not No";
                if (box->escapeButton() != box->button(QMessageBox::No))
                    seen << "Escape is not No";
            }
            QTest::keyClick(box, key);
        });
        poll.start(10);
        EXPECT_FALSE(ClearStat(nullptr, t.shared)) << key;
        ASSERT_FALSE(seen.isEmpty());
        EXPECT_EQ(seen.size(), 1) << seen.join(" | ").toStdString();
        EXPECT_TRUE(seen[0].startsWith(QStringLiteral("Are you sure"))) << seen[0].toStdString();
        EXPECT_TRUE(QFile::exists(file)) << key;
    }
}

TEST(ClearStatistics, AFileThatStaysIsShownNotAnnounced)
{
    Export t;
    ASSERT_TRUE(QDir().mkpath(t.d().AppDir() + QStringLiteral("Ann.sre/stuck")));
    Shown yes, failed;
    answerBox(&yes, QMessageBox::Yes);
    answerBox(&failed, QMessageBox::Ok);
    EXPECT_FALSE(ClearStat(nullptr, t.shared));
    EXPECT_EQ(failed.icon, QMessageBox::Critical);
    EXPECT_FALSE(failed.text.contains(QStringLiteral("have been Cleared")));
}
