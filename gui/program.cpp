#include "gui/program.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>

#include "gui/frmMain.h"
#include "gui/frmSplash.h"
#include "gui/selectDialogs.h"
#include "solve/winnableKeys.h"

namespace tess
{

GuardedApplication::GuardedApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &ex) {
        report(QString::fromStdString(ex.what()));
    } catch (...) {
        report(QStringLiteral("an unknown failure"));
    }
    return false;
}

void GuardedApplication::report(const QString &what)
{
    if (box_)
        return;
    // Not exec(): no nested event loop inside the delivery of an event.
    box_ = new QMessageBox(QMessageBox::Critical, QStringLiteral("Tessaline"),
                           QStringLiteral("This could not be done:\n%1\n\nTessaline goes on.").arg(what),
                           QMessageBox::Ok);
    box_->setAttribute(Qt::WA_DeleteOnClose);
    box_->setWindowModality(Qt::ApplicationModal);
    box_->show();
}

Program::Program(std::unique_ptr<cData> data) : shared_(std::move(data))
{
    shared_.Winnable = &solve::WinnableKeys::shipped();
}

Program::~Program()
{
    delete main_;
}

bool Program::StartApplication()
{
    const cData &d = *shared_.Data;
    // A folder where no lock can be made cannot take scores either: each failed write is
    // reported where it happens, so the copy runs on without the guard.
    lock_.emplace(d.AppDir());
    if (lock_->state() == DataFolderLock::State::InUse) {
        auto *box = new QMessageBox(QMessageBox::Information, d.ProdName(),
                                    secondCopyMessage(d.ProdName(), lock_->folder()), QMessageBox::Ok);
        box->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(box, &QMessageBox::finished, box, [this] { endRefused(); });
        refusal_ = box;
        box->show();
        return false;
    }
    // No application display name: the platform would append it to every caption,
    // and the captions already carry the program's name.
    auto *splash = new frmSplash(shared_.Data->ProdName());
    splash->onClose = [this] { ShowMainWindow(); };
    splash->show();
    return true;
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
