#include "ui/activation.h"

#include <QEvent>
#include <QMetaObject>

namespace dovrel {

bool ActivationTracker::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::WindowActivate)
        return false;
    auto* form = qobject_cast<Form*>(watched);
    if (!form || !form->loaded() || !form->isVisible())
        return false;
    const bool cameFromElsewhere = last_ != form;
    last_ = form;
    if (cameFromElsewhere) {
        // Queued: the handler that caused the switch runs to its end first.
        QMetaObject::invokeMethod(form, &Form::Form_Activate, Qt::QueuedConnection);
    }
    return false;
}

}  // namespace dovrel
