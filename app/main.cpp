#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "app/application.h"
#include "app/single_instance.h"
#include "settings/settings_file.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Before any window or icon exists: a second copy leaves nothing behind.
    vantero::SingleInstance instance;
    if (!instance.is_first()) return 0;
    vantero::use_settings_file(vantero::kSettingsFileName);

    ::CoInitializeEx(nullptr,
                     COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);  // for ShellExecute
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);

    int exit_code = 1;
    {
        vantero::Application app([&instance] { instance.release(); });
        if (app.start()) exit_code = vantero::run_message_loop();
    }
    ::CoUninitialize();
    return exit_code;
}
