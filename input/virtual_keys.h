#pragma once

namespace oriwen::vk {

// Windows virtual-key codes the key hooks treat on their own. The thread hook
// and window messages carry the generic modifier codes; the low-level hook
// carries the left and right ones.
inline constexpr int kEnter = 13;
inline constexpr int kShift = 16;
inline constexpr int kCtrl = 17;
inline constexpr int kAlt = 18;
inline constexpr int kCapsLock = 20;
inline constexpr int kSpace = 32;
inline constexpr int kF10 = 121;
inline constexpr int kNumLock = 144;
inline constexpr int kScrollLock = 145;
inline constexpr int kLeftShift = 160;
inline constexpr int kRightShift = 161;
inline constexpr int kLeftCtrl = 162;
inline constexpr int kRightCtrl = 163;
inline constexpr int kLeftAlt = 164;
inline constexpr int kRightAlt = 165;

}  // namespace oriwen::vk
