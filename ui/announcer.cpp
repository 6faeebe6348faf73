#include "ui/announcer.h"

#include <QLabel>

#include "ui/accessibility.h"

namespace dovrel {

Announcer::Announcer(QWidget* parent) : QWidget(parent), notice_(new QWidget(this)), words_(new QLabel(notice_))
{
    // Nothing of it is seen: a sighted player reads the same news off the board.
    setGeometry(0, 0, 0, 0);
    notice_->setGeometry(0, 0, 0, 0);
    words_->setGeometry(0, 0, 0, 0);
    words_->setTextFormat(Qt::PlainText);  // player names as typed
    accessibility::readAsStatusLine(this, notice_);
    notice_->hide();
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
    words_->setText(queued_.join(QLatin1Char(' ')));
    queued_.clear();
    // A screen reader speaks a notification when it appears, not when its
    // words change.
    notice_->hide();
    notice_->show();
}

QString Announcer::lastTold() const
{
    return words_->text();
}

}  // namespace dovrel
