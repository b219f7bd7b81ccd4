// Start-up and shut-down of the whole program.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

#include "app/dataLock.h"
#include "app/shared.h"

namespace tess
{

class frmMain;

// The program's application object: the last guard for a failure that no handler caught.
// The failure is shown and the program goes on, as after a refused action.
class GuardedApplication : public QApplication
{
  public:
    GuardedApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;

  private:
    void report(const QString &what);
    // One message at a time: a failure repeated on every paint must not pile up boxes.
    QPointer<QMessageBox> box_;
};

class Program
{
  public:
    explicit Program(std::unique_ptr<cData> data);
    ~Program();

    // False when another running copy holds the data folder: this copy then touches no file,
    // says so, and ends when the message is answered.
    bool StartApplication();
    void ShowMainWindow();
    // Releases the shared objects and every window, then ends the event loop.
    void ShutDown();

    Shared &shared() { return shared_; }
    frmMain *mainWindow() const { return main_; }
    QMessageBox *refusal() const { return refusal_; }

    // Ends the event loop of a copy that was refused.
    std::function<void()> endRefused = [] { QCoreApplication::exit(0); };

  private:
    Shared shared_;
    std::optional<DataFolderLock> lock_;
    frmMain *main_ = nullptr;
    QPointer<QMessageBox> refusal_;
    bool down_ = false;
};

} // namespace tess
