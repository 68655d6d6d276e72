#pragma once
// Messages the program shows the user, beyond those of the hotkey box.
namespace vantero::text {

inline constexpr const wchar_t* kSaveFailedCaption = L"保存失败";
// After the reason a save failed, at the exit:
inline constexpr const wchar_t* kExitRetryOrQuit =
    L"\n\n本次运行中设置的热键还没有保存。点“重试”再保存一次；点“取消”不保存，直接退出。";
// After the reason a save failed, in the editor:
inline constexpr const wchar_t* kEditorRetryOrKeep =
    L"\n\n这一行的更改在本次运行中有效，但没有保存，下次启动时就没有了。点“重试”再保存一次；点“取消”不保存。";

inline constexpr const wchar_t* kNoTargetKeys =
    L"这一行还没有设置要发送的按键（旧的热键），不能启动。\n\n请先点击这一行的按键栏，在编辑窗口里选好按键。";

inline constexpr const wchar_t* kConfirmCaption = L"请确认";
// %ls: the trigger as the hotkey box shows it.
inline constexpr const wchar_t* kTypingTriggerQuestion =
    L"“%ls”是打字时要用的键。\n\n启动这一行后，在任何程序里按它都不会再输入它本身，而是发送这一行的按键，"
    L"直到取消“启动”。\n\n仍要启动这一行吗？";

}  // namespace vantero::text
