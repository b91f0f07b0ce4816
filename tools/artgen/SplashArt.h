// The splash picture (Splash/Splash.bmp) and its five-frame animation (Splash/Anim.bmp).
#pragma once

#include <QImage>

// Where the game draws an animation frame on the 480 x 272 splash picture, and its size.
constexpr int kAnimX = 158;
constexpr int kAnimY = 83;
constexpr int kFrameWidth = 176;
constexpr int kFrameHeight = 165;
constexpr int kFrameCount = 5;

// 480 x 272: the title over a dark night-blue field, with frame 0 in place.
QImage MakeSplash();
// 176 x 825: five frames one under the other. Each frame's background is the splash picture
// under it, so the frames blend with the picture when copied opaquely at (158, 83).
QImage MakeAnim();
