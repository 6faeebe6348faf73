#include "ui/pictures.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <cmath>

#include "ui/language.h"

namespace dovrel {

namespace {

// Pictures with words in them are drawn again for each translation, by
// assets/make_pictures.py, which takes their words from the translations:
// those of the key (the "Key" texts) and this one.
//: The word over the start arrow's picture, in capitals, as large as fits.
[[maybe_unused]] const char* const StartWord = QT_TRANSLATE_NOOP("Key", "START");

}  // namespace

QString pictureFileFor(const QString& path, qreal devicePixelRatio)
{
    // At 1.5 the doubled drawing shrinks better than the plain one grows; Qt's
    // image reader knows densities up to 9 from the "@Nx" in the name.
    const int wanted = std::min(9, static_cast<int>(std::ceil(devicePixelRatio - 0.001)));
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    const QString stem = dot > slash ? path.left(dot) : path;
    const QString suffix = dot > slash ? path.mid(dot) : QString();
    for (int n = wanted; n >= 2; --n) {
        const QString dense = stem + QStringLiteral("@%1x").arg(n) + suffix;
        if (QFileInfo::exists(dense))
            return dense;
    }
    return path;
}

QPixmap picture(const QString& path)
{
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    const QString code = language::current();
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const QString translated = path.left(slash + 1) + code + path.mid(slash);
    // Loading sets the device pixel ratio from the "@2x" in the name.
    return QPixmap(pictureFileFor(!code.isEmpty() && QFileInfo::exists(translated) ? translated : path, ratio));
}

}  // namespace dovrel
