#include "ui/announcer.h"

#include <QAccessible>
#include <QLabel>

#include "ui/accessibility.h"

namespace dovrel {

Announcer::Announcer(QWidget* parent) : QWidget(parent)
{
    setGeometry(0, 0, 0, 0);
    accessibility::readAs(this, QAccessible::StatusBar);
    for (int i = 0; i < Notices; ++i) {
        notices_[i] = new QWidget(this);
        notices_[i]->setGeometry(0, 0, 0, 0);
        accessibility::readAs(notices_[i], QAccessible::Notification);
        notices_[i]->hide();
        words_[i] = new QLabel(notices_[i]);
        words_[i]->setGeometry(0, 0, 0, 0);
        words_[i]->setTextFormat(Qt::PlainText);  // player names as typed
    }
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
    QWidget* last = notices_[current_];
    current_ = (current_ + 1) % Notices;
    words_[current_]->setText(words);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // The words themselves go to the screen reader, which speaks them without
    // the role of a notification before each.
    Q_UNUSED(last);
    QAccessibleAnnouncementEvent event(notices_[current_], words);
    QAccessible::updateAccessibility(&event);
#else
    // A screen reader speaks a notification when it appears, not when its
    // words change.
    last->hide();
    notices_[current_]->show();
#endif
    emit told(words);
}

}  // namespace dovrel
