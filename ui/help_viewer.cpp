#include "ui/help_viewer.h"

#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBlock>
#include <QVBoxLayout>

#include "ui/help.h"
#include "ui/help_file.h"
#include "ui/style.h"

namespace dovrel {

QVariant HelpBrowser::loadResource(int type, const QUrl& name)
{
    if (type == QTextDocument::ImageResource && name.scheme() == QLatin1String("qrc") &&
        name.path().startsWith(QLatin1String("/pictures/"))) {
        const QImage picture(QLatin1Char(':') + name.path());
        if (!picture.isNull())
            return picture;
    }
    // Never empty-handed: on a null answer the document, and on a picture it
    // cannot use the image handler, would read the name from disk by itself.
    if (type == QTextDocument::ImageResource) {
        QImage nothing(1, 1, QImage::Format_ARGB32);
        nothing.fill(Qt::transparent);
        return nothing;
    }
    return QByteArray("");
}

namespace {

struct TopicButton {
    const char* caption;
    int context;
};
// The help's three topics, as its buttons name them; the help file's headings
// use the same words.
const TopicButton TopicButtons[] = {
    //: A help topic's button: the same words as that topic's heading in the help file.
    {QT_TRANSLATE_NOOP("dovrel::HelpViewer", "The Game &Window"), 1000},
    //: A help topic's button: the same words as that topic's heading in the help file.
    {QT_TRANSLATE_NOOP("dovrel::HelpViewer", "&Starting a Match"), 2000},
    //: A help topic's button: the same words as that topic's heading in the help file.
    {QT_TRANSLATE_NOOP("dovrel::HelpViewer", "&Rules of the Game"), 3000},
};

// The window's title, with the heading of the topic on show when there is one.
QString viewerTitle(const QString& heading = QString())
{
    //: The help window's title.
    return heading.isEmpty() ? HelpViewer::tr("Dovrel Help")
                             //: The help window's title with a topic shown: %1 is the topic's heading.
                             : HelpViewer::tr("Dovrel Help - %1").arg(heading);
}

// The first main heading of the page names the topic.
QString headingOf(const QTextDocument& page)
{
    for (QTextBlock block = page.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 1)
            return block.text().simplified();
    }
    return QString();
}

}  // namespace

HelpViewer::HelpViewer() : QWidget(nullptr, Qt::Window)
{
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(viewerTitle());
    setWindowIcon(QIcon(QStringLiteral(":/pictures/dovrel.ico")));

    //: Goes back to the page shown before.
    back_ = new QPushButton(tr("< &Back"), this);
    back_->setEnabled(false);
    connect(back_, &QPushButton::clicked, this, &HelpViewer::goBack);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back_);
    buttons->addSpacing(8);
    for (const TopicButton& t : TopicButtons) {
        auto* button = new QPushButton(tr(t.caption), this);
        const int context = t.context;
        connect(button, &QPushButton::clicked, this, [this, context] { go(context, QString(), true); });
        buttons->addWidget(button);
    }
    buttons->addStretch();
    auto* close = new QPushButton(tr("&Close"), this);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    buttons->addWidget(close);

    browser_ = new HelpBrowser(this);
    browser_->setOpenLinks(false);
    browser_->setOpenExternalLinks(false);
    QFont text(QString::fromLatin1(SansFamily));
    text.setPointSizeF(10);
    browser_->setFont(text);
    browser_->document()->setDocumentMargin(12);
    connect(browser_, &QTextBrowser::anchorClicked, this, &HelpViewer::followLink);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    layout->addLayout(buttons);
    layout->addWidget(browser_, 1);

    auto* back = new QShortcut(QKeySequence::Back, this);
    connect(back, &QShortcut::activated, this, &HelpViewer::goBack);
    resize(600, 640);
    browser_->setFocus();
}

void HelpViewer::showTopic(int context)
{
    go(context, QString(), true);
}

void HelpViewer::followLink(const QUrl& link)
{
    // Only links to a place in the help file lead anywhere: "#2000", or
    // "#3000-keys" for a mark inside a topic. Other files and the web do not.
    if (!link.scheme().isEmpty() || !link.host().isEmpty() || !link.path().isEmpty() || !link.hasFragment())
        return;
    static const QRegularExpression place(QStringLiteral("^(\\d{1,9})(-[\\w-]+)?$"));
    const QString fragment = link.fragment();
    const QRegularExpressionMatch m = place.match(fragment);
    if (!m.hasMatch())
        return;
    go(m.captured(1).toInt(), m.captured(2).isEmpty() ? QString() : fragment, true);
}

void HelpViewer::goBack()
{
    if (history_.isEmpty())
        return;
    const Place place = history_.takeLast();
    go(place.topic, QString(), false);
    if (topic_ == place.topic)
        browser_->verticalScrollBar()->setValue(place.scroll);
}

void HelpViewer::go(int context, const QString& anchor, bool remember)
{
    const Place from{topic_, browser_->verticalScrollBar()->value()};
    const help::Topic found = help::readTopic(help::file(), context);
    if (found.found) {
        problem_.clear();
        topic_ = context;
        browser_->setHtml(found.html);
        setWindowTitle(viewerTitle(headingOf(*browser_->document())));
        if (!anchor.isEmpty())
            browser_->scrollToAnchor(anchor);
    } else {
        showProblem(found.problem);
    }
    if (remember && from.topic != 0 && (from.topic != topic_ || !anchor.isEmpty()))
        history_.append(from);
    back_->setEnabled(canGoBack());
}

void HelpViewer::showProblem(const QString& problem)
{
    problem_ = problem;
    topic_ = 0;
    browser_->setHtml(QStringLiteral("<h2>") + tr("The help cannot be shown").toHtmlEscaped()
                      + QStringLiteral("</h2><p>") + problem.toHtmlEscaped() + QStringLiteral("</p>"));
    setWindowTitle(viewerTitle());
}

void HelpViewer::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace dovrel
