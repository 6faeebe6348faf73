// Every test program speaks the game's English, whatever the machine's locale,
// with its plural forms ("1 Win") as the game has them.
#include <QCoreApplication>
#include <QLocale>

#include "ui/language.h"

namespace {

void speakEnglish()
{
    dovrel::language::install(QLocale(QLocale::English));
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(speakEnglish)
