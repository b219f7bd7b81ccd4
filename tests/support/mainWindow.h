// The main window over throw-away program-wide objects, shown, animation off, with the won-game
// window counted instead of opened.
#pragma once

#include <memory>

#include <QCoreApplication>
#include <QSize>

#include "gui/frmMain.h"
#include "gui/table/cardTable.h"
#include "tests/support/tempShared.h"

namespace tess::testing
{

struct MainWindow : TempShared {
    std::unique_ptr<frmMain> w;
    int won = 0;

    explicit MainWindow(QSize size = QSize(1200, 900))
    {
        w = std::make_unique<frmMain>(shared);
        w->exitNow = [] {};
        w->openGameWon = [this] { ++won; };
        w->table()->setAnimated(false);
        w->resize(size);
        w->show();
    }
    // Layout and resize events are posted: deliver them now instead of waiting.
    static void settle()
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
};

} // namespace tess::testing
