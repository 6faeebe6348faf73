#include "ui/language.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace dovrel::language {

namespace {

QString chosen;
// Installed on the application, which owns them.
QPointer<QTranslator> plurals, own, qt;

void drop(QPointer<QTranslator>& t)
{
    if (t) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
}

QTranslator* loaded(const QString& name, const QString& folder)
{
    auto* t = new QTranslator(QCoreApplication::instance());
    // A file that cannot be read, or is no translation, leaves the texts as they were.
    if (QFileInfo(QDir(folder), name + QStringLiteral(".qm")).isReadable() && t->load(name, folder)
        && QCoreApplication::installTranslator(t))
        return t;
    delete t;
    return nullptr;
}

// "de_DE", then "de": the codes to look for, most particular first.
QStringList codesFor(const QString& uiLanguage)
{
    QString tag = uiLanguage;
    tag.replace(QLatin1Char('-'), QLatin1Char('_'));
    QStringList codes{tag};
    const qsizetype cut = tag.indexOf(QLatin1Char('_'));
    if (cut > 0)
        codes << tag.left(cut);
    return codes;
}

QtMessageHandler beforeQuiet = nullptr;

void withoutLocaleSwitch(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("Detected locale \"")))
        return;
    if (beforeQuiet)
        beforeQuiet(type, context, message);
}

}  // namespace

QuietLocaleSwitch::QuietLocaleSwitch()
{
    beforeQuiet = qInstallMessageHandler(withoutLocaleSwitch);
}

QuietLocaleSwitch::~QuietLocaleSwitch()
{
    qInstallMessageHandler(beforeQuiet);
}

QString install(const QLocale& locale, const QString& folder)
{
    drop(plurals);
    drop(own);
    drop(qt);
    chosen.clear();
    // English, too, has a translation: only its plural forms ("1 Win", "2 Wins").
    plurals = loaded(QStringLiteral("dovrel_en"), BuiltIn);
    for (const QString& uiLanguage : locale.uiLanguages()) {
        const QLocale::Language language = QLocale(uiLanguage).language();
        if (language == QLocale::English || language == QLocale::C)
            break;
        for (const QString& code : codesFor(uiLanguage)) {
            if ((own = loaded(QStringLiteral("dovrel_") + code, folder))) {
                chosen = code;
                break;
            }
        }
        if (own)
            break;
    }
    if (own) {
        const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        for (const QString& code : codesFor(chosen)) {
            if ((qt = loaded(QStringLiteral("qtbase_") + code, qtFolder)))
                break;
        }
    }
    return chosen;
}

QString current()
{
    return chosen;
}

QString helpFileName(const QString& programFolder)
{
    const QString translated = QStringLiteral("Dovrel_%1.hlp").arg(chosen);
    if (!chosen.isEmpty() && QFileInfo(QDir(programFolder), translated).isFile())
        return translated;
    return QStringLiteral("Dovrel.hlp");
}

}  // namespace dovrel::language
