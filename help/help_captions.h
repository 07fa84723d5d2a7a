#pragma once

// The help button's captions: its own name while the help is hidden, "OK" while it is shown.
namespace help {

inline constexpr const char* kHelpCaption = "ヘルプ";
inline constexpr const char* kCloseHelpCaption = "ＯＫ";

}  // namespace help
