#include "ui/help.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>

#include "ui/help_viewer.h"

namespace dovrel::help {

namespace {

QString helpFile;
QPointer<HelpViewer> viewer;

// Beside the window the player asked from, where there is room; otherwise at
// the top right of the screen, where it hides the least of the board.
void placeBesideActiveWindow(HelpViewer& v)
{
    const QWidget* from = QApplication::activeWindow();
    const QScreen* screen = from ? from->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    const int gap = 12;
    const int titleBar = 32;  // the frame is not known before the first show
    v.resize(v.size().boundedTo(QSize(room.width() - 2 * gap, room.height() - 2 * gap - titleBar)));
    int x = room.right() - v.width() - gap;
    int y = room.top() + gap;
    if (from) {
        const QRect beside = from->frameGeometry();
        const bool right = beside.right() + gap + v.width() <= room.right();
        const bool left = beside.left() - gap - v.width() >= room.left();
        if (right || left) {
            x = right ? beside.right() + gap : beside.left() - gap - v.width();
            y = qBound(room.top(), beside.top(), room.bottom() - v.height() - titleBar);
        }
    }
    v.move(qMax(room.left(), x), qMax(room.top(), y));
}

}  // namespace

void setFile(const QString& path)
{
    helpFile = path;
}

QString file()
{
    return helpFile;
}

void show(int context)
{
    if (!viewer) {
        viewer = new HelpViewer;
        placeBesideActiveWindow(*viewer);
        // The viewer belongs to no window of the game, so it goes with the
        // application itself.
        static bool deletedAtQuit = false;
        if (!deletedAtQuit) {
            deletedAtQuit = true;
            QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp, [] { delete viewer.data(); });
        }
    }
    viewer->showTopic(context);
    if (viewer->isMinimized())
        viewer->showNormal();
    else
        viewer->show();
    viewer->raise();
    viewer->activateWindow();
}

HelpViewer* viewerIfOpen()
{
    return viewer.data();
}

}  // namespace dovrel::help
