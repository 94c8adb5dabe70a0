#pragma once

// The size of a radical panel, shared by the program and the data generator: the drawings, the
// fill points and the window all depend on it, so it is defined once.
namespace tessivo::panel {

inline constexpr int TwipsPerPixel = 15;
inline constexpr int WidthTwips = 1680;
inline constexpr int HeightTwips = 1695;
inline constexpr int WidthPixels = WidthTwips / TwipsPerPixel;    // 112
inline constexpr int HeightPixels = HeightTwips / TwipsPerPixel;  // 113

static_assert(WidthPixels == 112 && HeightPixels == 113);

}  // namespace tessivo::panel
