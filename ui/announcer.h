#pragma once
// What happens on the board, told to a screen reader as it happens, through a
// status line that takes no room on screen. A sighted player reads the same
// news off the board.
#include <QStringList>
#include <QWidget>

class QLabel;

namespace dovrel {

class Announcer final : public QWidget {
    Q_OBJECT
public:
    explicit Announcer(QWidget* parent);

    // Keeps the words until the next tell(), so that they follow whatever the
    // same step of the game does to the focus: a focus change is spoken at
    // once and would cut them off.
    void queue(const QString& words);
    // Tells what is queued, in one go.
    void tell();

signals:
    void told(const QString& words);

private:
    // The words go out from notifications that take turns. A screen reader
    // that has fallen behind passes over news from an object that has news
    // again before it got to the first, and over news from one object that
    // comes thick and fast; from one notification to the next it passes over
    // nothing.
    static constexpr int Notices = 8;
    QWidget* notices_[Notices];
    QLabel* words_[Notices];
    int current_ = 0;
    QStringList queued_;
};

}  // namespace dovrel
