#pragma once
// The game's pictures, taken from its resources at the density of the screen.
#include <QPixmap>
#include <QString>

namespace dovrel {

// The picture at `path` (":/pictures/logo.gif"), or its drawing for a dense
// screen ("logo@2x.gif") when the densest screen has use for it. Either way
// its logical size (deviceIndependentSize) is the picture's own size.
QPixmap picture(const QString& path);

// Which file picture() reads for a screen of the given device pixel ratio.
QString pictureFileFor(const QString& path, qreal devicePixelRatio);

}  // namespace dovrel
