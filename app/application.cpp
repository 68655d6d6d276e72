#include "app/application.h"

namespace vantero {

Application::Application(std::function<void()> release_instance)
    : tray_(TrayActions{
          [this] {
              if (main_) main_->show_topmost();
          },
          [this] {
              if (main_) main_->exit_program();
          },
          [this]() -> DWORD {
              // Windows is ending the session: keep the triggers as the exit sequence would.
              return main_ ? main_->save_triggers() : ERROR_SUCCESS;
          },
          [this](std::function<void()> action) {
              if (main_) {
                  main_->after_sends(std::move(action));
              } else {
                  action();
              }
          },
      }),
      release_instance_(std::move(release_instance)) {}

Application::~Application() {
    main_.reset();
    tray_.delete_icon();
}

bool Application::start() {
    if (!tray_.load()) return false;
    main_ =
        std::make_unique<MainWindow>(ExitSteps{release_instance_, [this] { tray_.delete_icon(); }});
    if (!main_->open()) return false;
    main_->show();
    return true;
}

int run_message_loop() {
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace vantero
