// Start-up and shut-down of the whole program.
#pragma once

#include <memory>

#include "app/shared.h"

namespace tess
{

class frmMain;

class Program
{
  public:
    explicit Program(std::unique_ptr<cData> data);
    ~Program();

    void StartApplication();
    void ShowMainWindow();
    // Releases the shared objects and every window, then ends the event loop.
    void ShutDown();

    Shared &shared() { return shared_; }
    frmMain *mainWindow() const { return main_; }

  private:
    Shared shared_;
    frmMain *main_ = nullptr;
    bool down_ = false;
};

} // namespace tess
