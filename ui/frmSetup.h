#pragma once
// The first window: two players or one against the computer, and their names.
#include "ui/forms.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace dovrel {

class PictureBox;
class ShapeItem;
class TextBox;

class frmSetup final : public Form {
    Q_OBJECT
public:
    frmSetup();
    // Shown without waiting for it, as the active window.
    void showModeless();
    // The name of a player who gives none.
    static QString defaultName(int player);

    QPushButton* cmdInstructions = nullptr;
    QPushButton* cmdDone = nullptr;
    QGroupBox* Frame2 = nullptr;
    TextBox* txtPlayer2 = nullptr;
    TextBox* txtPlayer1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option1 = nullptr;
    ShapeItem* Shape1 = nullptr;
    PictureBox* Image1 = nullptr;

public slots:
    void Form_Activate() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void Form_Load();
    void Option1_Click();
    void Option2_Click();
    void cmdDone_Click();
    void cmdInstructions_Click();
    void unload();
};

}  // namespace dovrel
