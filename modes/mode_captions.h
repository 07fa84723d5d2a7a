#pragma once

// The captions of the two mode buttons are the only record of which mode runs: the button of
// the running mode reads kRunning, the other its own name. Compared by exact whole-text equality.
namespace mode_captions {

inline constexpr const char* kCameraIdle = "カメラ";
inline constexpr const char* kVideoIdle = "ビデオ";
inline constexpr const char* kRunning = "作動中";

}  // namespace mode_captions
