#pragma once
#include <QObject>
#include <QPointer>

#include "ui/forms.h"

namespace dovrel {

// Decides when a form's Form_Activate runs: when it becomes active and the form
// active before it was another one (or none, or one since closed). Only the
// program's own forms are tracked, so message boxes, menus, the help viewer and
// other programs drop out by themselves: returning from any of them finds the
// same form still recorded as the last active one, and nothing happens.
class ActivationTracker final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<Form> last_;
};

}  // namespace dovrel
