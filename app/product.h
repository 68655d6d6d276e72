#pragma once
// The maker's name and texts.
namespace vantero::product {

inline constexpr const wchar_t* kMakerName = L"万特罗";
inline constexpr const wchar_t* kMakerSlogan = L"万特罗工作室 · 让每一个按键都顺手";
inline constexpr const wchar_t* kTrayTip = L"Vantero:左击显示 右击退出";
inline constexpr const wchar_t* kTrayTipPaused = L"Vantero（已暂停）:左击显示 右击退出";

}  // namespace vantero::product
