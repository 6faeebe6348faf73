#pragma once
// The layouts are written in twips; 15 twips make one pixel at 96 dots per inch.
#include <QPoint>
#include <QRect>
#include <cmath>

namespace dovrel {

constexpr int TwipsPerPixel = 15;

inline int px(int twips)
{
    return static_cast<int>(std::lround(static_cast<double>(twips) / TwipsPerPixel));
}

inline QRect twipsRect(int left, int top, int width, int height)
{
    return {px(left), px(top), px(width), px(height)};
}

inline QPoint twipsPoint(int x, int y)
{
    return {px(x), px(y)};
}

}  // namespace dovrel
