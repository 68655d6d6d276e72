#include "app/application.h"

namespace vantero {

Application::Application(std::function<void()> release_instance)
    : tray_(TrayActions{
          [this] {
              if (main_) main_->ShowTopmost();
          },
          [this] {
              if (main_) main_->Image4_Click();
          },
          [this] {
              // Windows is ending the session: keep the triggers as the exit sequence would.
              if (main_) main_->SaveTriggers();
              tray_.DeleteIcon();
          },
          [this](std::function<void()> action) {
              if (main_) {
                  main_->AfterSends(std::move(action));
              } else {
                  action();
              }
          },
      }),
      release_instance_(std::move(release_instance)) {}

Application::~Application() {
    main_.reset();
    tray_.DeleteIcon();
}

bool Application::Start() {
    if (!tray_.Load()) return false;
    main_ = std::make_unique<frmSet>(ExitSteps{release_instance_, [this] { tray_.DeleteIcon(); }});
    if (!main_->Create()) return false;
    main_->Show();
    return true;
}

int RunMessageLoop() {
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace vantero
