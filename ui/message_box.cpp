#include "ui/message_box.h"

#include <QMessageBox>
#include <QPushButton>

namespace dovrel {

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
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return style == MsgStyle::OkOnly ? Answer::Ok : Answer::No;
    }
}

}  // namespace dovrel
