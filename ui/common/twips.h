// Window layouts are given in twips, 1440 to the inch: 15 to a logical pixel.
#pragma once

#include <QRect>

namespace vitayear::ui {

inline constexpr int kTwipsPerPixel = 15;

constexpr int Pixels(int twips) { return twips / kTwipsPerPixel; }

inline QRect PixelRect(int left, int top, int width, int height) {
  return {Pixels(left), Pixels(top), Pixels(width), Pixels(height)};
}

}  // namespace vitayear::ui
