#include "app/application.h"

#include "app/integrity.h"
#include "app/message_loop.h"

namespace vantero {

Application::Application(IniLocation settings, std::function<void()> release_instance, bool in_tray)
    : settings_(std::move(settings)),
      tray_(TrayActions{
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
          [this] {
              if (main_) main_->end_sends();
          },
          [this](bool paused) {
              if (main_) main_->set_paused(paused);
          },
          [this] {
              // The new copy waits until this one has saved and let go of the instance mark.
              if (main_ && start_as_administrator(tray_.hwnd())) main_->exit_program(false);
          },
          settings_,
      }),
      release_instance_(std::move(release_instance)),
      in_tray_(in_tray) {}

Application::~Application() {
    main_.reset();
    tray_.delete_icon();
}

bool Application::start() {
    if (!tray_.load()) return false;
    main_ = std::make_unique<MainWindow>(
        settings_, ExitSteps{release_instance_, [this] { tray_.delete_icon(); }},
        [this](const std::wstring& title, const std::wstring& text) { tray_.notify(title, text); });
    if (!main_->open()) return false;
    if (!in_tray_) main_->show();
    return true;
}

int Application::run() {
    SystemSender& sender = main_->sender();
    return run_message_loop(sender.timer(), [&sender] { sender.wake(); });
}

}  // namespace vantero
