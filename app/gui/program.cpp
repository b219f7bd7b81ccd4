#include "app/gui/program.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>

#include "app/gui/frmMain.h"
#include "app/gui/frmSplash.h"
#include "app/gui/selectDialogs.h"

namespace tess
{

Program::Program(std::unique_ptr<cData> data) : shared_(std::move(data)) {}

Program::~Program()
{
    delete main_;
}

void Program::StartApplication()
{
    // No application display name: the platform would append it to every caption,
    // and the captions already carry the program's name.
    auto *splash = new frmSplash(shared_.Data->ProdName());
    splash->onClose = [this] { ShowMainWindow(); };
    splash->show();
}

void Program::ShowMainWindow()
{
    if (main_)
        return;
    main_ = new frmMain(shared_);
    main_->exitNow = [] { QCoreApplication::exit(0); };
    main_->onClosed = [this] { QTimer::singleShot(0, [this] { ShutDown(); }); };
    // Without a window manager there is nobody to maximise: take the screen ourselves.
    if (QScreen *screen = QGuiApplication::primaryScreen())
        main_->setGeometry(screen->availableGeometry());
    main_->showMaximized();
    main_->activateWindow();
    // The catalogue opens beside the table, modeless and with no owner.
    auto *select = new frmSelect(*shared_.Data, [this](const QString &n) { main_->startDrawnGame(n); });
    select->setAttribute(Qt::WA_DeleteOnClose);
    select->show();
    select->raise();
    select->activateWindow();
}

void Program::ShutDown()
{
    if (down_)
        return;
    down_ = true;
    shared_.release();
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w != main_)
            w->close();
    QCoreApplication::quit();
}

} // namespace tess
