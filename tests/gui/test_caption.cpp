// The caption as the window system shows it: the platform may add to the window's own title,
// so it is read back from the X server (this test runs under a virtual X display).
#include <QApplication>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include "gui/frmMain.h"
#include "gui/program.h"
#include "tests/support/tempShared.h"

using namespace tess;

namespace
{

// The title the X server holds for the window, as a window manager would show it.
QString serverTitle(QWidget *w)
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(w->winId()),
                                          QStringLiteral("-notype"), QStringLiteral("_NET_WM_NAME")});
    if (!xprop.waitForFinished(5000))
        return QStringLiteral("(xprop did not answer)");
    // _NET_WM_NAME = "title"
    const QString out = QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
    const auto first = out.indexOf(QLatin1Char('"'));
    return first < 0 ? out : out.mid(first + 1, out.lastIndexOf(QLatin1Char('"')) - first - 1);
}

} // namespace

TEST(Caption, TheWindowSystemShowsExactlyTheProgramsCaption)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X display; ctest runs this one under xvfb-run";
    QTemporaryDir dir;
    Program p(std::make_unique<cData>(dir.filePath("t.conf"), dir.filePath("data")));
    p.StartApplication();
    p.ShowMainWindow();
    frmMain *w = p.mainWindow();
    ASSERT_NE(w, nullptr);
    QString title;
    // The server learns the title through the event loop: wait on it, bounded.
    EXPECT_TRUE(QTest::qWaitFor([&] { return (title = serverTitle(w)) == QLatin1String("Tessaline"); }, 5000))
        << title.toStdString();
    w->startGame(QStringLiteral("Klondike"), GameNumber::number(123));
    EXPECT_EQ(w->windowTitle(), "Tessaline [Klondike] [Player1] [123]");
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return (title = serverTitle(w)) == QLatin1String("Tessaline [Klondike] [Player1] [123]"); },
        5000))
        << title.toStdString();
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top != w)
            top->close();
}
