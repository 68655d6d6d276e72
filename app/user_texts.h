#pragma once
// Messages the main window shows the user.
namespace vantero::text {

inline constexpr const wchar_t* kNoTargetKeys =
    L"这一行还没有设置要发送的按键（旧的热键），不能启动。\n\n请先点击这一行的按键栏，在编辑窗口里选好按键。";

inline constexpr const wchar_t* kConfirmCaption = L"请确认";
// %ls: the trigger as the hotkey box shows it.
inline constexpr const wchar_t* kTypingTriggerQuestion =
    L"“%ls”是打字时要用的键。\n\n启动这一行后，在任何程序里按它都不会再输入它本身，而是发送这一行的按键，"
    L"直到取消“启动”。\n\n仍要启动这一行吗？";

}  // namespace vantero::text
