#include "ui/message_box.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

namespace dovrel {

namespace {

// Where Qt draws the title bar itself (Wayland, unless the compositor
// decorates windows), the title is centred on the whole bar, as laid out in the
// application's font but drawn 14 pixels high, and cut off where the three
// buttons at the right end begin (about 80 pixels). A box narrower than that
// cuts its title short: "Exit Check..." came out as "Exit Check.".
void makeRoomForTitle(QMessageBox& box, const QString& title)
{
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return;
    QFont drawn = QGuiApplication::font();
    drawn.setPixelSize(14);
    const int laidOut = QFontMetrics(QGuiApplication::font()).horizontalAdvance(title);
    const int shown = QFontMetrics(drawn).horizontalAdvance(title);
    const int buttons = 80;
    const int width = 2 * shown - laidOut + 2 * buttons;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0), grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace

QString displayText(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QString literalCaption(QString text)
{
    return text.replace(QLatin1Char('&'), QLatin1String("&&"));
}

Answer showMessageBox(QWidget* parent, const QString& text, MsgStyle style, const QString& title)
{
    QMessageBox box(parent);
    box.setTextFormat(Qt::PlainText);
    box.setWindowTitle(title);
    box.setText(displayText(text));
    switch (style) {
    case MsgStyle::OkOnly:
        box.setIcon(QMessageBox::NoIcon);
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    case MsgStyle::YesNoQuestionNoDefault:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);
        break;
    case MsgStyle::YesNoInformation:
        box.setIcon(QMessageBox::Information);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    }
    // The Escape key and the close box answer No, never Yes.
    if (style != MsgStyle::OkOnly)
        box.setEscapeButton(QMessageBox::No);
    // Last: setting the icon or the buttons lays the box out anew.
    makeRoomForTitle(box, title);
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return style == MsgStyle::OkOnly ? Answer::Ok : Answer::No;
    }
}

}  // namespace dovrel
