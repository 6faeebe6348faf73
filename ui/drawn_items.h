#pragma once
// Shapes, lines and pictures: painted items that take no input and stack
// behind the windowed controls.
#include <QColor>
#include <QLineEdit>
#include <QPixmap>
#include <QWidget>

namespace dovrel {

class DrawnItem : public QWidget {
public:
    explicit DrawnItem(QWidget* parent);
};

class ShapeItem final : public DrawnItem {
public:
    enum class Form { Rectangle, RoundedRectangle, Oval };
    enum class Fill { None, Solid, HorizontalLines };

    ShapeItem(QWidget* parent, Form form, QColor border, int borderWidth);
    void setFill(Fill fill, QColor fillColor, QColor backColor = QColor());

protected:
    void paintEvent(QPaintEvent*) override;

private:
    Form form_;
    QColor border_;
    int borderWidth_;
    Fill fill_ = Fill::None;
    QColor fillColor_;
    QColor backColor_;
};

class LineItem final : public DrawnItem {
public:
    // End points in the parent's pixels.
    LineItem(QWidget* parent, QPoint from, QPoint to, QColor color, int width);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QPoint from_;
    QPoint to_;
    QColor color_;
    int width_;
};

// A picture at its natural size from the top-left corner, or stretched to the
// item. The pixmap is shared, never copied, so two items showing the same
// picture hold the same picture (same cacheKey). The natural size is the
// logical one, so a picture drawn for a dense screen takes the same room.
class PictureBox final : public DrawnItem {
public:
    PictureBox(QWidget* parent, bool stretch);
    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    const QPixmap& forScreen(QSize logical, qreal devicePixelRatio);

    QPixmap picture_;
    bool stretch_;
    QPixmap resampled_;  // picture_ at the screen's pixels, when they differ
};

// A text box that reports when it has taken the focus, after its own handling.
// Its length limit counts characters as a reader sees them, so it never keeps
// half of one made of several code units (an emoji, a letter with its accent).
class TextBox final : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;
    // Typing into a full box is refused; pasted text is cut to fit.
    void setMaxCharacters(int count);

signals:
    void gotFocus();

protected:
    void focusInEvent(QFocusEvent* e) override;
};

}  // namespace dovrel
