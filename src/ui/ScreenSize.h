#pragma once

// Every screen fits the handheld's portrait window, in logical pixels.
inline constexpr int kScreenWidth = 240;
inline constexpr int kScreenHeight = 320;
