#include "ui/drawn_items.h"

#include <QAccessible>

#include <QPainter>
#include <QTextBoundaryFinder>
#include <QValidator>
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
    resampled_ = QPixmap();
    update();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    if (picture_.isNull())
        return;
    const QSize logical = stretch_ ? size() : picture_.deviceIndependentSize().toSize();
    QPainter p(this);
    // One picture pixel to each screen pixel: no filtering, no blur.
    p.drawPixmap(QPoint(0, 0), forScreen(logical, p.device()->devicePixelRatio()));
}

// The picture as it is when its pixels fit the screen's; otherwise resampled
// once, averaging, so a shrunk picture keeps its thin lines and a grown one its
// shape, where the painter would sample a few pixels afresh at every paint.
const QPixmap& PictureBox::forScreen(QSize logical, qreal devicePixelRatio)
{
    const QSize pixels(qRound(logical.width() * devicePixelRatio), qRound(logical.height() * devicePixelRatio));
    if (picture_.size() == pixels && qFuzzyCompare(picture_.devicePixelRatio(), devicePixelRatio))
        return picture_;
    if (resampled_.size() != pixels || !qFuzzyCompare(resampled_.devicePixelRatio(), devicePixelRatio)) {
        resampled_ = QPixmap::fromImage(
            picture_.toImage().scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        resampled_.setDevicePixelRatio(devicePixelRatio);
    }
    return resampled_;
}

namespace {

int characters(const QString& text)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    int count = 0;
    while (finder.toNextBoundary() != -1)
        ++count;
    return count;
}

// Takes characters away just before the cursor, where the edit ended, until
// the text fits.
class CharacterLimit final : public QValidator {
public:
    CharacterLimit(int limit, QObject* parent) : QValidator(parent), limit_(limit) {}

    State validate(QString& input, int& pos) const override
    {
        while (pos > 0 && characters(input) > limit_) {
            QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, input);
            finder.setPosition(pos);
            const auto start = finder.toPreviousBoundary();
            input.remove(start, pos - start);
            pos = static_cast<int>(start);
        }
        return characters(input) > limit_ ? Invalid : Acceptable;
    }

private:
    int limit_;
};

}  // namespace

void TextBox::setMaxCharacters(int count)
{
    setValidator(new CharacterLimit(count, this));
}

void TextBox::focusInEvent(QFocusEvent* e)
{
    // Qt tells a screen reader of the focus only after this handler, whose
    // selection moves the caret first: the reader then follows the caret
    // without a word and takes the focus for old news. Told first, it speaks
    // the box.
    QAccessibleEvent focus(this, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
    QLineEdit::focusInEvent(e);
    emit gotFocus();
}

}  // namespace dovrel
