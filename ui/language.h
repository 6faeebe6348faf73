#pragma once
// The language the game speaks: the desktop's, when the game has a
// translation for it, and English otherwise.
#include <QLocale>
#include <QString>

namespace dovrel::language {

// Where the game's translations lie: built into the program.
inline const QString BuiltIn = QStringLiteral(":/i18n");

// Puts the game's texts, and Qt's own (Yes, No, the standard dialogs), into
// the first of the locale's languages that the game has a translation for in
// the folder; stops at English, and keeps English when none is found. It
// prints nothing and saves nothing. Returns the translation's code ("de",
// "pt_BR"), empty for English. A later call replaces what an earlier one put in.
QString install(const QLocale& locale = QLocale::system(), const QString& folder = BuiltIn);

// While it lives, Qt's notice that it switched a locale missing here, or one
// without UTF-8, to a UTF-8 one is not printed: the desktop may name a
// language this system lacks, and the game then simply speaks English. Make it
// before the application, which is when Qt gives the notice.
class QuietLocaleSwitch {
public:
    QuietLocaleSwitch();
    ~QuietLocaleSwitch();
    QuietLocaleSwitch(const QuietLocaleSwitch&) = delete;
    QuietLocaleSwitch& operator=(const QuietLocaleSwitch&) = delete;
};

// The code that install() returned last.
QString current();

// The help file to open from the program's folder: the one in the game's
// language where the folder has it, else the English one.
QString helpFileName(const QString& programFolder);

}  // namespace dovrel::language
