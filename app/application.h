#pragma once
// The running program: the tray window first, then the main window it shows.
#include <functional>
#include <memory>

#include "app/frmSet.h"
#include "app/tray.h"

namespace vantero {

class Application {
public:
    // release_instance: lets another copy start once this one's settings are saved.
    explicit Application(std::function<void()> release_instance);
    ~Application();

    // The tray window adds its icon and shows the main window.
    bool Start();
    frmSet& Main() { return *main_; }
    cd& Tray() { return tray_; }

private:
    cd tray_;
    std::function<void()> release_instance_;
    std::unique_ptr<frmSet> main_;
};

// Runs the thread's message loop until the program ends; returns the exit code.
int RunMessageLoop();

}  // namespace vantero
