#pragma once
// What happens on the board, told to a screen reader as it happens: a status
// line that takes no room on screen, whose notification the screen reader
// speaks (and shows on a braille display) the moment it appears.
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
    // Tells what is queued, as one notification.
    void tell();
    // The last words told, as a screen reader's review finds them.
    QString lastTold() const;

private:
    // Notifications take turns: a screen reader that has fallen behind skips
    // a notification that has appeared again before it got to it, so one
    // comes round again only after all the others.
    static constexpr int Notices = 8;
    QWidget* notices_[Notices];
    QLabel* words_[Notices];
    int current_ = 0;
    QStringList queued_;
};

}  // namespace dovrel
