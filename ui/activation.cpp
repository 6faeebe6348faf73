#include "ui/activation.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMetaObject>
#include <QWindow>

namespace dovrel {

namespace {

// True while a modal box stands over the form and holds its input, as the
// About box holds the main window's.
bool heldByModalBox(const Form* form)
{
    const QWindow* modal = QGuiApplication::modalWindow();
    const QWindow* window = form->windowHandle();
    if (!modal || !window || modal == window || modal->isAncestorOf(window, QWindow::IncludeTransients))
        return false;
    if (modal->modality() == Qt::ApplicationModal)
        return true;
    for (const QWindow* w = modal->transientParent(); w; w = w->transientParent()) {
        if (w == window)
            return true;
    }
    return false;
}

}  // namespace

bool ActivationTracker::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::WindowActivate)
        return false;
    auto* form = qobject_cast<Form*>(watched);
    if (!form)
        return false;
    // An activation that comes round after its form has closed is stale: the
    // form counted from its appearing, and its closing settled the way back.
    if (!form->loaded() || !form->isVisible())
        return false;
    // A click on a window held by a modal box activates it for a moment before
    // the box takes the activation back: that is no return to the window.
    if (heldByModalBox(form))
        return false;
    appeared(form);
    return false;
}

void ActivationTracker::appeared(Form* form)
{
    if (last_ == form)
        return;
    last_ = form;
    // Queued: the handler that caused the switch runs to its end first.
    QMetaObject::invokeMethod(form, &Form::Form_Activate, Qt::QueuedConnection);
}

}  // namespace dovrel
