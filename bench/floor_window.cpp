// The toolkit's floor: the least a Qt Widgets program does to show a window.
// Start-up and memory of the game are measured against this.
//   floor_window        an empty window, as bare as Qt allows
//   floor_window text   the same window with one line of text, which makes Qt
//                       read the system's font configuration before it shows
#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstring>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget w;
    w.resize(320, 240);
    if (argc > 1 && std::strcmp(argv[1], "text") == 0)
        (new QLabel(QStringLiteral("Player 1:"), &w))->move(20, 20);
    w.show();
    return QApplication::exec();
}
