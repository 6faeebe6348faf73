#include "ui/announcer.h"

#include <QLabel>

#include "ui/accessibility.h"

namespace dovrel {

Announcer::Announcer(QWidget* parent) : QWidget(parent)
{
    // Nothing of it is seen: a sighted player reads the same news off the board.
    setGeometry(0, 0, 0, 0);
    for (int i = 0; i < Notices; ++i) {
        notices_[i] = new QWidget(this);
        notices_[i]->setGeometry(0, 0, 0, 0);
        words_[i] = new QLabel(notices_[i]);
        words_[i]->setGeometry(0, 0, 0, 0);
        words_[i]->setTextFormat(Qt::PlainText);  // player names as typed
        accessibility::readAsNotice(notices_[i]);
        notices_[i]->hide();
    }
    accessibility::readAsStatusLine(this);
}

void Announcer::queue(const QString& words)
{
    if (!words.isEmpty())
        queued_ << words;
}

void Announcer::tell()
{
    if (queued_.isEmpty())
        return;
    QWidget* last = notices_[current_];
    current_ = (current_ + 1) % Notices;
    words_[current_]->setText(queued_.join(QLatin1Char(' ')));
    queued_.clear();
    // A screen reader speaks a notification when it appears, not when its
    // words change.
    last->hide();
    notices_[current_]->show();
}

QString Announcer::lastTold() const
{
    return words_[current_]->text();
}

}  // namespace dovrel
