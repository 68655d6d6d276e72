#pragma once
// Child-window ids of the editor window; tests find the controls by them too.

namespace vantero::editor_ids {

inline constexpr int kFirstKeyList = 101;      // first key
inline constexpr int kSecondKeyList = 102;     // second key
inline constexpr int kThirdKeyList = 103;      // third key
inline constexpr int kSaveKeysButton = 110;    // "添加": save keys
inline constexpr int kCloseButton = 111;       // close picture
inline constexpr int kRemarkPanel = 120;       // remark panel, parent of the next two
inline constexpr int kRemarkBox = 121;         // remark box
inline constexpr int kSaveRemarkButton = 122;  // "添加": save the remark

}  // namespace vantero::editor_ids
