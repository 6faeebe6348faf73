#include "ui/drawn_items.h"

#include <QPainter>
#include <algorithm>

namespace dovrel {

DrawnItem::DrawnItem(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

ShapeItem::ShapeItem(QWidget* parent, Form form, QColor border, int borderWidth)
    : DrawnItem(parent), form_(form), border_(border), borderWidth_(borderWidth)
{
}

void ShapeItem::setFill(Fill fill, QColor fillColor, QColor backColor)
{
    fill_ = fill;
    fillColor_ = fillColor;
    backColor_ = backColor;
    update();
}

void ShapeItem::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, form_ != Form::Rectangle);
    // The border lies inside the item's bounds.
    const qreal half = borderWidth_ / 2.0;
    const QRectF r = QRectF(rect()).adjusted(half, half, -half, -half);
    const qreal radius = std::min(r.width(), r.height()) / 4.0;
    const auto drawForm = [&](QPainter& painter) {
        switch (form_) {
        case Form::Rectangle: painter.drawRect(r); break;
        case Form::RoundedRectangle: painter.drawRoundedRect(r, radius, radius); break;
        case Form::Oval: painter.drawEllipse(r); break;
        }
    };

    if (fill_ != Fill::None) {
        p.setPen(Qt::NoPen);
        if (fill_ == Fill::HorizontalLines) {
            if (backColor_.isValid()) {
                p.setBrush(backColor_);
                drawForm(p);
            }
            p.setBrush(QBrush(fillColor_, Qt::HorPattern));
        } else {
            p.setBrush(fillColor_);
        }
        drawForm(p);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(border_, borderWidth_));
    drawForm(p);
}

LineItem::LineItem(QWidget* parent, QPoint from, QPoint to, QColor color, int width)
    : DrawnItem(parent), color_(color), width_(width)
{
    const int grow = (width + 1) / 2;
    const QRect box = QRect(from, to).normalized().adjusted(-grow, -grow, grow + 1, grow + 1);
    setGeometry(box);
    from_ = from - box.topLeft();
    to_ = to - box.topLeft();
}

void LineItem::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(QPen(color_, width_, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(from_) + QPointF(0.5, 0.5), QPointF(to_) + QPointF(0.5, 0.5));
}

PictureBox::PictureBox(QWidget* parent, bool stretch) : DrawnItem(parent), stretch_(stretch)
{
}

void PictureBox::setPicture(const QPixmap& picture)
{
    picture_ = picture;
    update();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    if (picture_.isNull())
        return;
    QPainter p(this);
    if (stretch_) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawPixmap(rect(), picture_);
    } else {
        p.drawPixmap(0, 0, picture_);
    }
}

void TextBox::focusInEvent(QFocusEvent* e)
{
    QLineEdit::focusInEvent(e);
    emit gotFocus();
}

}  // namespace dovrel
