#pragma once
// The program's own windows: created on first use, and the program ends when
// the last of them is unloaded.
#include <QWidget>

class QScreen;

namespace dovrel {

class frmDovrel;
class frmSetup;
class frmWinner;

enum class FormKind { None, Main, Setup, Winner, About };

// A window of the program's own. It is told when it becomes the active window
// coming from another of the program's windows (or from none at all) - not
// when a message box, a menu or another program hands the activation back.
class Form : public QWidget {
    Q_OBJECT
public:
    Form(FormKind kind, QWidget* parent, Qt::WindowFlags flags);
    FormKind kind() const { return kind_; }
    bool loaded() const { return loaded_; }

    // The help topic that F1 opens while this form is the active window.
    int helpContext() const { return helpContext_; }
    void setHelpContext(int context) { helpContext_ = context; }

    // Makes the form the current one again after a return the program has
    // settled itself, so that the desktop's activation, late or never, starts nothing.
    void returnedTo();

public slots:
    virtual void Form_Activate() = 0;

protected:
    // Call when the form has closed for good.
    void markUnloaded();
    // Puts the form's outer frame in the middle of the screen (the primary one
    // when none is given).
    void centreOnScreen(const QScreen* screen = nullptr);
    // Shows the form in front, as the active window. A form that appears
    // counts as activated whether or not the desktop activates it.
    void showActive();

    // F1 opens the help at this form's topic; other keys go on as usual.
    void keyPressEvent(QKeyEvent* event) override;

private:
    FormKind kind_;
    bool loaded_ = true;
    int helpContext_ = 1000;
};

namespace forms {

// Watches activations from start-up on; call once the application exists.
void install();

// Touching a form that is not loaded loads it, as the first use of a control does.
frmSetup& setup();
frmDovrel& main();
frmDovrel* mainIfLoaded();
frmSetup* setupIfLoaded();
frmWinner& winner();
frmWinner* winnerIfLoaded();

// The way back into a new match: the setup dialog, loaded if need be, with the
// players' current names written into its boxes.
frmSetup& setupWithNames();

}  // namespace forms
}  // namespace dovrel
