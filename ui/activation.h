#pragma once
#include <QObject>
#include <QPointer>

#include "ui/forms.h"

namespace dovrel {

// Decides when a form's Form_Activate runs: when it becomes active and the form
// active before it was another one (or none). Only the program's own forms are
// tracked, so message boxes, menus, the help viewer and other programs drop out
// by themselves: returning from any of them finds the same form still recorded
// as the last active one, and nothing happens.
//
// The desktop's activation is not waited for where the program knows the answer
// itself: a form that appears counts as activated at once, and a return the
// program settles (leaving the About box) makes its form the current one. Some
// compositors activate a new window only much later, or never; the activation
// that does come then finds the form already current and changes nothing.
class ActivationTracker final : public QObject {
public:
    using QObject::QObject;

    // The form has just appeared: its Form_Activate runs, unless it is the
    // current form already.
    void appeared(Form* form);
    // The form is the current one again, with nothing to run.
    void returnedTo(Form* form) { last_ = form; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<Form> last_;
};

}  // namespace dovrel
