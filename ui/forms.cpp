#include "ui/forms.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QPointer>
#include <QTimer>

#include "app/module1.h"
#include "ui/accessibility.h"
#include "ui/activation.h"
#include "ui/drawn_items.h"
#include "ui/frmDovrel.h"
#include "ui/frmSetup.h"
#include "ui/frmWinner.h"
#include "ui/help.h"

// Resources linked from a static library must be registered by hand.
static void initResources()
{
    Q_INIT_RESOURCE(assets);
}

namespace dovrel {

namespace {

QPointer<ActivationTracker> tracker;
QPointer<frmSetup> setupForm;
QPointer<frmDovrel> mainForm;
QPointer<frmWinner> winnerForm;
int loadedForms = 0;

// The program ends when no form is loaded any more. Checked a turn later,
// because a handler may unload one form before it loads the next.
void endIfNoFormLeft()
{
    QTimer::singleShot(0, qApp, [] {
        if (loadedForms == 0)
            QCoreApplication::quit();
    });
}

}  // namespace

Form::Form(FormKind kind, QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags), kind_(kind)
{
    ++loadedForms;
}

void Form::markUnloaded()
{
    if (!loaded_)
        return;
    loaded_ = false;
    --loadedForms;
    endIfNoFormLeft();
}

void Form::centreOnScreen(const QScreen* screen)
{
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

void Form::showActive()
{
    const bool appearing = !isVisible();
    show();
    raise();
    activateWindow();
    if (appearing && tracker)
        tracker->appeared(this);
}

void Form::returnedTo()
{
    if (tracker)
        tracker->returnedTo(this);
}

void Form::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        help::show(helpContext_);
        return;
    }
    QWidget::keyPressEvent(event);
}

namespace forms {

void install()
{
    initResources();
    accessibility::install();
    if (!tracker) {
        tracker = new ActivationTracker(qApp);
        qApp->installEventFilter(tracker);
    }
    QApplication::setQuitOnLastWindowClosed(false);
}

namespace {

// A form is loaded on first use, and again once it has been unloaded.
template <class F>
F& loadedForm(QPointer<F>& form)
{
    if (!form || !form->loaded())
        form = new F;
    return *form;
}

template <class F>
F* formIfLoaded(const QPointer<F>& form)
{
    return form && form->loaded() ? form.data() : nullptr;
}

}  // namespace

frmSetup& setup() { return loadedForm(setupForm); }
frmSetup* setupIfLoaded() { return formIfLoaded(setupForm); }
frmDovrel& main() { return loadedForm(mainForm); }
frmDovrel* mainIfLoaded() { return formIfLoaded(mainForm); }
frmWinner& winner() { return loadedForm(winnerForm); }
frmWinner* winnerIfLoaded() { return formIfLoaded(winnerForm); }

frmSetup& setupWithNames()
{
    const Module1& m = Module1::instance();
    frmSetup& s = setup();
    s.txtPlayer1->setText(m.PlayerName[1]);
    s.txtPlayer2->setText(m.PlayerName[2]);
    return s;
}

}  // namespace forms
}  // namespace dovrel
