// Window layouts are given in twips, 1440 to the inch: 15 to a logical pixel.
#pragma once

#include <QRect>
#include <cmath>

namespace vitayear::ui {

inline constexpr int kTwipsPerPixel = 15;

constexpr int Pixels(int twips) { return twips / kTwipsPerPixel; }

inline QRect PixelRect(int left, int top, int width, int height) {
  return {Pixels(left), Pixels(top), Pixels(width), Pixels(height)};
}

// The same rectangle drawn smaller by `scale`. Edges are rounded rather than
// sizes, so controls that were apart stay apart; at 1 it is PixelRect.
inline QRect ScaledPixelRect(int left, int top, int width, int height, double scale) {
  const auto edge = [scale](int twips) { return static_cast<int>(std::lround(twips * scale / kTwipsPerPixel)); };
  return {QPoint(edge(left), edge(top)), QPoint(edge(left + width) - 1, edge(top + height) - 1)};
}

}  // namespace vitayear::ui
