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
    void announce(const QString& words);

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    // Before Qt 6.8 the words go out as a notification, which a screen reader
    // speaks when it appears. Notifications take turns: a screen reader that
    // has fallen behind skips one that has appeared again before it got to
    // it, so one comes round again only after all the others.
    static constexpr int Notices = 8;
    QWidget* notices_[Notices];
    QLabel* words_[Notices];
    int current_ = 0;
#else
    QLabel* words_;  // the last words told, for the reader's review
#endif
    QStringList queued_;
};

}  // namespace dovrel
