// The main window at the screen density of the run (QT_SCALE_FACTOR 1, 1.5 or
// 2): on a dense screen the pictures come from their doubled drawings, drawn
// sharp in the same logical room, and tokens still tell their kind.
#include <QPainter>
#include <QTest>
#include <cmath>

#include "gui_support.h"
#include "ui/drawn_items.h"
#include "ui/frmDovrel.h"
#include "ui/pictures.h"

using namespace dovrel;
using namespace dovrel::testing;

class DensityTest : public WindowTest {
    Q_OBJECT
private slots:
    void picturesComeFromTheirDoubledDrawings();
    void tokensKeepTheirKind();
    void naturalSizePicturesAreDrawnPixelForPixel();
};

void DensityTest::picturesComeFromTheirDoubledDrawings()
{
    frmDovrel& w = openMainWindow();
    const qreal expected = w.devicePixelRatio() > 1 ? 2.0 : 1.0;
    for (PictureBox* box : {w.imgPos, w.imgNeg, w.imgNeutral, w.imgLogo, w.imgKey})
        QCOMPARE(box->picture().devicePixelRatio(), expected);
    // In the room of the plain pictures, so the board keeps its geometry.
    QCOMPARE(w.imgPos->picture().deviceIndependentSize(), QSizeF(28, 28));
    QCOMPARE(w.board->size(), QSize(619, 394));
    // Denser screens take the densest drawing there is, pictures without one their only one.
    QCOMPARE(pictureFileFor(QStringLiteral(":/pictures/logo.gif"), 3.0), QStringLiteral(":/pictures/logo@2x.gif"));
    QCOMPARE(pictureFileFor(QStringLiteral(":/pictures/start.gif"), 2.0), QStringLiteral(":/pictures/start.gif"));
}

void DensityTest::tokensKeepTheirKind()
{
    frmDovrel& w = openMainWindow();
    for (Kind kind : {Kind::Positive, Kind::Negative, Kind::Neutral}) {
        w.showToken(5, kind);
        w.imgImage[5]->repaint();  // painting at this density leaves the shared picture alone
        QCOMPARE(w.tokenKind(5), kind);
    }
}

void DensityTest::naturalSizePicturesAreDrawnPixelForPixel()
{
    frmDovrel& w = openMainWindow();
    const qreal ratio = w.board->devicePixelRatio();
    if (ratio != std::floor(ratio))
        QSKIP("a fractional density resamples every picture");
    const QString dense = ratio > 1 ? QStringLiteral("@2x") : QString();

    // What the board shows: the picture file over the board's grey.
    const auto check = [&](QWidget* item, const QString& name) {
        QImage picture(QStringLiteral(":/pictures/%1%2.gif").arg(name, dense));
        picture.setDevicePixelRatio(1);  // compare pixels, not logical sizes
        QImage expected(picture.size(), QImage::Format_RGB32);
        expected.fill(QColor(0xE0E0E0));
        QPainter(&expected).drawImage(0, 0, picture);
        QImage drawn = w.board->grab(item->geometry()).toImage().convertToFormat(QImage::Format_RGB32);
        drawn.setDevicePixelRatio(1);
        QVERIFY2(drawn == expected, qPrintable(name));
    };
    const std::pair<Kind, QString> badges[] = {{Kind::Positive, QStringLiteral("positive")},
                                               {Kind::Negative, QStringLiteral("negative")},
                                               {Kind::Neutral, QStringLiteral("neutral")}};
    for (const auto& [kind, name] : badges) {
        w.showToken(0, kind);
        check(w.imgImage[0], name);
    }
    check(w.imgLogo, QStringLiteral("logo"));
}

QTEST_MAIN(DensityTest)
#include "test_density.moc"
