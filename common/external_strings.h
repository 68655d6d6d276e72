#pragma once
// Every string the outside world sees or relies on: window classes and captions, what set.ini and
// the registry hold, window properties, the single-instance mutex, and the messages the user
// reads. Tests include this instead of copying the strings.
namespace vantero::external {

// Windows: class names and captions.
inline constexpr const wchar_t* kMainClass = L"VanteroMain";
inline constexpr const wchar_t* kMainCaption = L"设置";
inline constexpr const wchar_t* kTrayClass = L"VanteroTray";
inline constexpr const wchar_t* kTrayCaption = L"Form1";
inline constexpr const wchar_t* kEditorClass = L"VanteroEdit";
inline constexpr const wchar_t* kEditorCaption = L"编辑";
inline constexpr const wchar_t* kRemarkClass = L"VanteroRemark";
inline constexpr const wchar_t* kKeyLatchClass = L"VanteroKeyLatch";
// The hidden window that holds a hotkey box's registration: a dialog-class window.
inline constexpr const wchar_t* kHotkeyWindowClass = L"#32770";

// The hotkey box's window properties: the replaced window procedure, the control's address.
inline constexpr const wchar_t* kWinProcProperty = L"WinProc";
inline constexpr const wchar_t* kObjectProperty = L"Object";

inline constexpr const wchar_t* kSingleInstanceMutex =
    L"Local\\Vantero.SingleInstance.{5B0C7E1A-3F2D-4C8B-9E61-7A4D2B9F0C33}";

// Posted by a second copy to the first one's tray window: show the main window.
inline constexpr const wchar_t* kShowMainMessage = L"Vantero.ShowMainWindow";
// The command line: start hidden in the tray; wait for the copy that restarts this one.
inline constexpr const wchar_t* kStartInTrayArgument = L"/tray";
inline constexpr const wchar_t* kAfterRestartArgument = L"/restarted";
// Start with Windows: a value of HKEY_CURRENT_USER\<this>.
inline constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const wchar_t* kRunValueName = L"Vantero";

// The tray menu's items beyond "Display", "关于本软件" and "退出".
inline constexpr const wchar_t* kPauseItem = L"暂停";
inline constexpr const wchar_t* kStartWithWindowsItem = L"开机自动启动";
inline constexpr const wchar_t* kRunAsAdministratorItem = L"以管理员身份运行";
// Before the system's reason, when the Run value cannot be written or removed.
inline constexpr const wchar_t* kRunValueFailed =
    L"无法更改开机自动启动：写入注册表 "
    L"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run "
    L"失败。\n\n原因：";

// set.ini: the rows' sections (keyed "0" to "8") and the hotkey boxes' section and key suffixes.
inline constexpr const wchar_t* kDisplayTextSection = L"conftext";
inline constexpr const wchar_t* kKeySequenceSection = L"conftooltip";
inline constexpr const wchar_t* kRemarkSection = L"remark";
// Which rows were left started: "1" started, keyed "0" to "8".
inline constexpr const wchar_t* kRowSwitchSection = L"running";
inline constexpr const wchar_t* kHotkeySection = L"KeyLatch";
inline constexpr const wchar_t* kTextKey = L"Text";
inline constexpr const wchar_t* kKeyCodeKey = L"KeyCode";
inline constexpr const wchar_t* kModKeyCodeKey = L"ModKeyCode";
// The hotkey box's registry mode: HKEY_CURRENT_USER\<this>\<app>\<section>.
inline constexpr const wchar_t* kRegistrySettingsRoot = L"Software\\VB and VBA Program Settings";

// Shown in a hotkey box while nothing is captured (UTF-8: the capture's text is UTF-8).
inline constexpr const char* kHotkeyPlaceholder = "按下快捷键";

// The hotkey box's messages, and the error number of a design-time property written at run time.
inline constexpr const wchar_t* kErrorCaption = L"error";
inline constexpr const wchar_t* kNotSetHotkey = L"Not set hotkey";
inline constexpr const wchar_t* kHotkeyTaken = L"Hotkey already exists, please change a hotkey.";
inline constexpr int kSetNotSupportedAtRunTime = 382;

// The main window's and the editor's messages.
inline constexpr const wchar_t* kSaveFailedCaption = L"保存失败";
inline constexpr const wchar_t* kReadFailedCaption = L"读取设置失败";
inline constexpr const wchar_t* kRemarkRefusedCaption = L"备注不能保存";
// After the reason a save failed, at the exit:
inline constexpr const wchar_t* kExitRetryOrQuit =
    L"\n\n本次运行中设置的热键还没有保存。点“重试”再保存一次；点“取消”不保存，直接退出。";
// After the reason a save failed, told to Windows while it ends the session:
inline constexpr const wchar_t* kSessionEndUnsaved =
    L"\n\n本次运行中设置的热键还没有保存。可以先取消，关闭占用文件的程序后再注销或关机；仍要继续，"
    L"这些"
    L"热键可能会丢失。";
// After the reason a save failed, in the editor:
inline constexpr const wchar_t* kEditorRetryOrKeep =
    L"\n\n这一行的更改在本次运行中有效，但没有保存，下次启动时就没有了。点“重试”再保存一次；点“取消"
    L"”不保存。";
// When the program's own page could not be written to any folder, before the folders tried:
inline constexpr const wchar_t* kPageFailedCaption = L"无法打开页面";
inline constexpr const wchar_t* kPageNotWritten = L"无法把这个页面写到以下文件夹，所以没有打开它：";
inline constexpr const wchar_t* kNoTargetKeys =
    L"这一行还没有设置要发送的按键（旧的热键），不能启动。\n\n请先点击这一行的按键栏，在编辑窗口里"
    L"选好按键。";
inline constexpr const wchar_t* kConfirmCaption = L"请确认";
// %ls: the trigger as the hotkey box shows it.
inline constexpr const wchar_t* kTypingTriggerQuestion =
    L"“%"
    L"ls”是打字时要用的键。\n\n启动这一行后，在任何程序里按它都不会再输入它本身，而是发送这一行的按"
    L"键，"
    L"直到取消“启动”。\n\n仍要启动这一行吗？";

// After the reason a save failed, when a tick or a captured trigger could not be kept:
inline constexpr const wchar_t* kStartedNotKept =
    L"\n这一行的“启动”没有保存，下次启动程序时不会自动恢复。";
inline constexpr const wchar_t* kTriggerNotKept =
    L"\n刚设置的热键还没有保存，程序退出时会再保存一次。";

// Tray balloons.
inline constexpr const wchar_t* kBalloonTitle = L"Vantero";
// Then one line a row: "第 2 行：热键已被其他程序占用".
inline constexpr const wchar_t* kRowsNotStarted = L"上次启动的这些行这次没能启动，设置保持不变：\n";
inline constexpr const wchar_t* kRowsNotResumed =
    L"暂停结束时这些行没能恢复，已取消“启动”，设置保持不变：\n";
// %ls: the focused program's exe name.
inline constexpr const wchar_t* kElevatedWindow =
    L"“%ls”以管理员身份运行，Windows 不让 Vantero 向它发送按键，这次没有发送。要在其中使用热键，"
    L"请在托盘菜单里选择“以管理员身份运行”。";
// %ls: the focused program's exe name, at a level no restart reaches.
inline constexpr const wchar_t* kSystemWindow =
    L"“%ls”运行在比 Vantero 更高的权限级别，Windows 不让 Vantero 向它发送按键，这次没有发送。";

}  // namespace vantero::external
