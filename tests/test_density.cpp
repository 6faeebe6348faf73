// The main window at the screen density of the run (QT_SCALE_FACTOR 1, 1.5 or
// 2): on a dense screen the pictures come from their doubled drawings, sharp,
// in the same logical room, and the tokens still tell their kind by the
// picture they share.
#include <QApplication>
#include <QImage>
#include <QTest>
#include <cmath>

#include "app/module1.h"
#include "gui_support.h"
#include "ui/drawn_items.h"
#include "ui/frmDovrel.h"
#include "ui/pictures.h"

using namespace dovrel;
using namespace dovrel::testing;

namespace {

// What a picture with a transparent colour shows on the board: its own
// pixels, and the board's grey where it is transparent.
QImage onBoard(const QString& file)
{
    QImage picture = QImage(file).convertToFormat(QImage::Format_ARGB32);
    QImage shown(picture.size(), QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb p = picture.pixel(x, y);
            shown.setPixel(x, y, qAlpha(p) == 0 ? qRgb(0xE0, 0xE0, 0xE0) : (p | 0xFF000000));
        }
    }
    return shown;
}

// The first pixel where two pictures differ, or an empty string.
QString firstDifference(const QImage& drawn, const QImage& expected)
{
    if (drawn.size() != expected.size())
        return QStringLiteral("size %1x%2, expected %3x%4")
            .arg(drawn.width()).arg(drawn.height()).arg(expected.width()).arg(expected.height());
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            if (drawn.pixel(x, y) != expected.pixel(x, y))
                return QStringLiteral("pixel (%1, %2) is %3, expected %4")
                    .arg(x).arg(y).arg(drawn.pixel(x, y), 8, 16).arg(expected.pixel(x, y), 8, 16);
        }
    }
    return QString();
}

// The picture file a dense screen should show: "name@2x.gif" for "name.gif".
QString drawingFor(const QString& file, qreal ratio)
{
    if (ratio <= 1)
        return file;
    const int dot = file.lastIndexOf(QLatin1Char('.'));
    return file.left(dot) + QStringLiteral("@2x") + file.mid(dot);
}

}  // namespace

class DensityTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void picturesComeFromTheirDoubledDrawings();
    void tokensKeepTheirKindAtThisDensity();
    void naturalSizePicturesAreDrawnPixelForPixel();

private:
    frmDovrel& openMainWindow();
    std::unique_ptr<FreshProgram> program_;
};

void DensityTest::init()
{
    program_ = std::make_unique<FreshProgram>();
}

void DensityTest::cleanup()
{
    program_.reset();
}

frmDovrel& DensityTest::openMainWindow()
{
    Module1& m = Module1::instance();
    m.PlayerName[1] = QStringLiteral("Player 1");
    m.PlayerName[2] = QStringLiteral("Player 2");
    frmDovrel& w = forms::main();
    [&] { QTRY_VERIFY(w.tokenKind(73) != Kind::None); }();
    [&] { QTRY_VERIFY(!w.busy()); }();
    return w;
}

void DensityTest::picturesComeFromTheirDoubledDrawings()
{
    frmDovrel& w = openMainWindow();
    const qreal expected = w.devicePixelRatio() > 1 ? 2.0 : 1.0;
    for (PictureBox* box : {w.imgPos, w.imgNeg, w.imgNeutral, w.imgLogo, w.imgKey})
        QCOMPARE(box->picture().devicePixelRatio(), expected);
    // In the logical room of the plain pictures, so the board's geometry holds.
    QCOMPARE(w.imgPos->picture().deviceIndependentSize(), QSizeF(28, 28));
    QCOMPARE(w.imgLogo->picture().deviceIndependentSize(), QSizeF(153, 41));
    QCOMPARE(w.board->size(), QSize(619, 394));
    // Denser screens than the drawings take the densest there is; a picture
    // without a doubled drawing is read as it is.
    QCOMPARE(pictureFileFor(QStringLiteral(":/pictures/logo.gif"), 3.0), QStringLiteral(":/pictures/logo@2x.gif"));
    QCOMPARE(pictureFileFor(QStringLiteral(":/pictures/start.gif"), 2.0), QStringLiteral(":/pictures/start.gif"));
}

void DensityTest::tokensKeepTheirKindAtThisDensity()
{
    frmDovrel& w = openMainWindow();
    for (int k = 0; k <= 73; ++k)
        QVERIFY(w.tokenKind(k) != Kind::None);
    for (Kind kind : {Kind::Positive, Kind::Negative, Kind::Neutral}) {
        w.showToken(5, kind);
        QCOMPARE(w.tokenKind(5), kind);
    }
    // Painting at this density must leave the shared picture alone.
    w.showToken(5, Kind::Positive);
    w.imgImage[5]->repaint();
    QCOMPARE(w.imgImage[5]->picture().cacheKey(), w.imgPos->picture().cacheKey());
    QCOMPARE(w.tokenKind(5), Kind::Positive);
}

void DensityTest::naturalSizePicturesAreDrawnPixelForPixel()
{
    frmDovrel& w = openMainWindow();
    const qreal ratio = w.board->devicePixelRatio();
    if (ratio != std::floor(ratio))
        QSKIP("a fractional density resamples every picture");

    const struct {
        Kind kind;
        const char* file;
    } badges[] = {{Kind::Positive, ":/pictures/positive.gif"},
                  {Kind::Negative, ":/pictures/negative.gif"},
                  {Kind::Neutral, ":/pictures/neutral.gif"}};
    const auto check = [&](QWidget* item, const QString& file) {
        const QImage drawn = w.board->grab(item->geometry()).toImage().convertToFormat(QImage::Format_RGB32);
        const QString difference = firstDifference(drawn, onBoard(drawingFor(file, ratio)));
        QVERIFY2(difference.isEmpty(), qPrintable(file + QStringLiteral(": ") + difference));
    };
    for (const auto& badge : badges) {
        w.showToken(0, badge.kind);
        check(w.imgImage[0], QString::fromLatin1(badge.file));
    }
    check(w.imgLogo, QStringLiteral(":/pictures/logo.gif"));
}

QTEST_MAIN(DensityTest)
#include "test_density.moc"
