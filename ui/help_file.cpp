#include "ui/help_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace dovrel::help {

namespace {

// Far beyond any help file; it stops a wrong file (or a device) from being
// read without end.
constexpr qint64 MaxFileSize = 4 * 1024 * 1024;

class Words {
    Q_DECLARE_TR_FUNCTIONS(Help)
};

Topic failure(QString problem)
{
    return Topic{false, QString(), std::move(problem)};
}

}  // namespace

Topic readTopic(const QString& path, int context)
{
    if (path.isEmpty())
        return failure(Words::tr("No help file has been named."));
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return failure(Words::tr("The help file %1 could not be opened: it is not a file.").arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(Words::tr("The help file %1 could not be opened: %2").arg(path, file.errorString()));
    const QByteArray bytes = file.read(MaxFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        return failure(Words::tr("The help file %1 could not be read: %2").arg(path, file.errorString()));
    if (bytes.size() > MaxFileSize)
        return failure(Words::tr("The help file %1 could not be read: it is too large to be a help file.").arg(path));
    const QString text = QString::fromUtf8(bytes);

    static const QRegularExpression marker(QStringLiteral("<!--\\s*topic\\s+(\\d+)\\s*-->"));
    static const QRegularExpression style(QStringLiteral("<style[^>]*>.*?</style>"),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption);
    qsizetype preambleEnd = -1;
    for (auto it = marker.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (preambleEnd < 0)
            preambleEnd = m.capturedStart();
        if (m.captured(1).toInt() != context)
            continue;
        const qsizetype start = m.capturedEnd();
        const QRegularExpressionMatch next = marker.match(text, start);
        const qsizetype end = next.hasMatch() ? next.capturedStart() : text.size();
        const QString sheet = style.match(text.left(preambleEnd)).captured(0);
        return Topic{true,
                     QStringLiteral("<html><head>") + sheet + QStringLiteral("</head><body>") +
                         text.mid(start, end - start) + QStringLiteral("</body></html>"),
                     QString()};
    }
    return failure(Words::tr("The help file %1 has no topic %2.").arg(path, QString::number(context)));
}

}  // namespace dovrel::help
