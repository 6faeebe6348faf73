#pragma once
// The match winner dialog: the winner's name blinks over the result, and the
// players go on to a new match or leave.
#include "ui/forms.h"

class QLabel;
class QPushButton;
class QTimer;

namespace dovrel {

class ShapeItem;

class frmWinner final : public Form {
    Q_OBJECT
public:
    frmWinner();

    // Shows the dialog modeless over the main window. Shown again while it is
    // still open, it names the winner of the moment.
    void showOverMainWindow();

    // The handlers, public so that a test can press a tick of the blink.
    void Timer1_Timer();
    void cmdNew_Click();
    void cmdExit_Click();

    QTimer* Timer1 = nullptr;
    QPushButton* cmdExit = nullptr;
    QPushButton* cmdNew = nullptr;
    QLabel* lblMessage = nullptr;
    QLabel* lblWinner = nullptr;
    ShapeItem* Shape1 = nullptr;

public slots:
    void Form_Activate() override {}

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void Form_Load();
    void unload();

    bool nameShown_ = true;
};

}  // namespace dovrel
