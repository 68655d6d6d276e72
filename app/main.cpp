#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "app/application.h"
#include "app/single_instance.h"
#include "app/start_options.h"
#include "settings/settings_file.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR command_line, int) {
    const vantero::StartOptions options = vantero::parse_start_options(command_line);
    // Before any window or icon exists: a second copy leaves nothing behind.
    vantero::SingleInstance instance(options.after_restart);
    if (!instance.is_first()) {
        if (!options.in_tray) vantero::show_first_copy();
        return 0;
    }

    ::CoInitializeEx(nullptr,
                     COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);  // for ShellExecute
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);

    int exit_code = 1;
    {
        // set.ini beside the program, decided here once for every part that reads or writes it.
        vantero::Application app(
            vantero::locate_beside(vantero::program_path(), vantero::kSettingsFileName),
            [&instance] { instance.release(); }, options.in_tray);
        if (app.start()) exit_code = app.run();
    }
    ::CoUninitialize();
    return exit_code;
}
