#pragma once
// Fonts and colours shared by the windows.
#include <QColor>
#include <QFont>

class QWidget;

namespace dovrel {

inline const char* const SansFamily = "MS Sans Serif";
inline const char* const SerifFamily = "Times New Roman";

// Maps the design's font names onto the metric-compatible free fonts and makes
// "MS Sans Serif" 8.25 the program's font. Call once after the application exists.
void installFonts();

QFont windowFont();
QFont boldFont(const char* family, double points);

QColor buttonFace();
// Colour as the game writes it: RRGGBB, or the system's button face.
QColor toColor(uint32_t color);

void setBackground(QWidget* w, QColor color);
void setTextColor(QWidget* w, QColor color);

}  // namespace dovrel
