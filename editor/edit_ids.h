#pragma once
// Child-window ids of the editor window; tests find the controls by them too.

namespace vantero::edit_ids {

inline constexpr int kLovea = 101;     // first key
inline constexpr int kLovek = 102;     // second key
inline constexpr int kLovem = 103;     // third key
inline constexpr int kLabel1 = 110;    // "添加": save keys
inline constexpr int kImage2 = 111;    // close picture
inline constexpr int kPicture2 = 120;  // remark panel, parent of the next two
inline constexpr int kText1 = 121;     // remark box
inline constexpr int kLabel4 = 122;    // "添加": save the remark

}  // namespace vantero::edit_ids
