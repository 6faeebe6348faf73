#include "ui/style.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

#include "game/view.h"

namespace dovrel {

void installFonts()
{
    QFont::insertSubstitution(QString::fromLatin1(SansFamily), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QString::fromLatin1(SerifFamily), QStringLiteral("Liberation Serif"));
    QApplication::setFont(windowFont());
}

QFont windowFont()
{
    QFont f(QString::fromLatin1(SansFamily));
    f.setPointSizeF(8.25);
    // Explicit, so a control in a bold frame does not inherit the frame's weight.
    f.setWeight(QFont::Normal);
    f.setItalic(false);
    return f;
}

QFont boldFont(const char* family, double points)
{
    QFont f(QString::fromLatin1(family));
    f.setPointSizeF(points);
    f.setBold(true);
    return f;
}

QColor buttonFace()
{
    return QApplication::palette().color(QPalette::Button);
}

QColor toColor(uint32_t color)
{
    return color == ButtonFace ? buttonFace() : QColor::fromRgb(color);
}

void setBackground(QWidget* w, QColor color)
{
    QPalette p = w->palette();
    p.setColor(w->backgroundRole(), color);  // buttons fill with Button, not Window
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void setTextColor(QWidget* w, QColor color)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, color);
    w->setPalette(p);
}

}  // namespace dovrel
