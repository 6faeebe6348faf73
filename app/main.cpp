// Dovrel: start-up. The setup dialog comes first; it opens the main window.
#include <QApplication>
#include <QStyleFactory>

#include "ui/forms.h"
#include "ui/frmSetup.h"
#include "ui/language.h"
#include "ui/program_end.h"
#include "ui/sound.h"
#include "ui/style.h"

int main(int argc, char* argv[])
{
    int exitCode = 0;
    {
        const dovrel::language::QuietLocaleSwitch quiet;
        QApplication app(argc, argv);
        QApplication::setApplicationName(QStringLiteral("Dovrel"));
        // The desktop matches the window to its menu entry, and so to its icon, by this name.
        QGuiApplication::setDesktopFileName(QStringLiteral(DOVREL_APP_ID));
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
        dovrel::language::install();
        dovrel::installFonts();
        dovrel::forms::install();

        dovrel::forms::setup().showModeless();
        exitCode = dovrel::stopCuesForExit(QApplication::exec());
    }
    return dovrel::awaitQtThreads(exitCode);
}
