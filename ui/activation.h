#pragma once
#include <QObject>

#include "ui/forms.h"

namespace dovrel {

// Decides when a form's Form_Activate runs. Only the program's own forms are
// tracked, so message boxes, menus, the help viewer and other programs drop out
// by themselves: returning from any of them finds the same form still recorded
// as the last active one, and nothing happens.
class ActivationTracker final : public QObject {
public:
    using QObject::QObject;
    FormKind lastActive() const { return last_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FormKind last_ = FormKind::None;
};

}  // namespace dovrel
