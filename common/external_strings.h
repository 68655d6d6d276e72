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

// set.ini: the rows' sections (keyed "0" to "8") and the hotkey boxes' section and key suffixes.
inline constexpr const wchar_t* kDisplayTextSection = L"conftext";
inline constexpr const wchar_t* kKeySequenceSection = L"conftooltip";
inline constexpr const wchar_t* kRemarkSection = L"remark";
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
// The wait's error descriptions start with this.
inline constexpr const char* kWaitErrorPrefix = "[clsWaitableTimer.Wait]";

// The main window's and the editor's messages.
inline constexpr const wchar_t* kSaveFailedCaption = L"保存失败";
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

}  // namespace vantero::external
