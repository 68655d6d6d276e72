#pragma once
// The running program: the tray window first, then the main window it shows.
#include <functional>
#include <memory>

#include "app/main_window.h"
#include "app/tray_icon.h"

namespace vantero {

class Application {
public:
    // settings: where set.ini is. release_instance: lets another copy start once this one's
    // settings are saved. in_tray: the main window stays hidden until the tray icon shows it.
    Application(IniLocation settings, std::function<void()> release_instance, bool in_tray = false);
    ~Application();

    // The tray window adds its icon and shows the main window.
    bool start();
    MainWindow& main_window() { return *main_; }
    // The program's message loop, until it ends; returns the exit code.
    int run();

private:
    IniLocation settings_;
    TrayIcon tray_;
    std::function<void()> release_instance_;
    bool in_tray_;
    std::unique_ptr<MainWindow> main_;
};

}  // namespace vantero
