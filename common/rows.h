#pragma once

namespace vantero {

// The main window's rows, each joining a trigger to target keys and a remark; row index 0 to 8.
inline constexpr int kRowCount = 9;

}  // namespace vantero
