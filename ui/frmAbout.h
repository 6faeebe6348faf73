#pragma once
// The About box: the title, the emblem and the notice, with a Close button.
#include "ui/forms.h"

class QLabel;
class QPushButton;

namespace dovrel {

class PictureBox;
class ShapeItem;

class frmAbout final : public Form {
    Q_OBJECT
public:
    frmAbout();
    ~frmAbout() override;

    // Shows the box modal to the main window and returns once it has been
    // unloaded. The box may already be deleted by then: do not touch it after.
    void showModal();

    QPushButton* cmdOK = nullptr;
    PictureBox* imgLogo = nullptr;
    QLabel* Label1 = nullptr;
    PictureBox* Image1 = nullptr;
    ShapeItem* Shape1 = nullptr;

signals:
    void unloaded();

public slots:
    void Form_Activate() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void Form_Load();
    void cmdOK_Click();
    void unload();
};

}  // namespace dovrel
