#include "ui/announcer.h"

#include <QAccessible>
#include <QLabel>

#include "ui/accessibility.h"

namespace dovrel {

namespace {

QLabel* wordsIn(QWidget* parent)
{
    auto* words = new QLabel(parent);
    words->setGeometry(0, 0, 0, 0);
    words->setTextFormat(Qt::PlainText);  // player names as typed
    return words;
}

}  // namespace

Announcer::Announcer(QWidget* parent) : QWidget(parent)
{
    setGeometry(0, 0, 0, 0);
    accessibility::readAsStatusLine(this);
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    for (int i = 0; i < Notices; ++i) {
        notices_[i] = new QWidget(this);
        notices_[i]->setGeometry(0, 0, 0, 0);
        words_[i] = wordsIn(notices_[i]);
        accessibility::readAsNotice(notices_[i]);
        notices_[i]->hide();
    }
#else
    words_ = wordsIn(this);
#endif
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
    const QString words = queued_.join(QLatin1Char(' '));
    queued_.clear();
    announce(words);
    emit told(words);
}

void Announcer::announce(const QString& words)
{
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    QWidget* last = notices_[current_];
    current_ = (current_ + 1) % Notices;
    words_[current_]->setText(words);
    // A screen reader speaks a notification when it appears, not when its
    // words change.
    last->hide();
    notices_[current_]->show();
#else
    // The words themselves go to the screen reader, which speaks them without
    // the role of a notification before each.
    words_->setText(words);
    QAccessibleAnnouncementEvent event(this, words);
    QAccessible::updateAccessibility(&event);
#endif
}

}  // namespace dovrel
