#include "ui/frmSetup.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <chrono>

#include "app/module1.h"
#include "ui/accessibility.h"
#include "ui/drawn_items.h"
#include "ui/frmDovrel.h"
#include "ui/help.h"
#include "ui/language.h"
#include "ui/pictures.h"
#include "ui/style.h"
#include "ui/twips.h"

namespace dovrel {

namespace {
const QString NoClick = QStringLiteral("NO CLICK");
}  // namespace

frmSetup::frmSetup() : Form(FormKind::Setup, nullptr, Qt::Tool | Qt::FramelessWindowHint)
{
    setHelpContext(2000);
    createControls();
    connect(Option1, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Option1_Click();
    });
    connect(Option2, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Option2_Click();
    });
    for (TextBox* box : {txtPlayer1, txtPlayer2})
        connect(box, &TextBox::gotFocus, box, &QLineEdit::selectAll);
    connect(cmdDone, &QPushButton::clicked, this, &frmSetup::cmdDone_Click);
    connect(cmdInstructions, &QPushButton::clicked, this, &frmSetup::cmdInstructions_Click);
    Form_Load();
}

void frmSetup::createControls()
{
    setFont(windowFont());
    setFixedSize(px(4140), px(4020));
    const QFont bold = boldFont(SansFamily, 8.25);

    Image1 = new PictureBox(this, false);
    Image1->setGeometry(twipsRect(840, 240, 2295, 615));
    Image1->setPicture(picture(QStringLiteral(":/pictures/logo.gif")));
    accessibility::setName(Image1, QStringLiteral("Dovrel"));
    Shape1 = new ShapeItem(this, ShapeItem::Form::Rectangle, QColor(0x0000FF), 3);
    Shape1->setGeometry(twipsRect(15, 15, 4110, 3990));

    Frame1 = new QGroupBox(this);
    Frame1->setGeometry(twipsRect(225, 885, 3660, 990));
    //: An option, 188 pixels wide with its round button, in bold.
    Option1 = new QRadioButton(tr("&Two Players"), Frame1);
    Option1->setGeometry(twipsRect(420, 270, 2820, 195));
    Option1->setFont(bold);
    //: An option, 194 pixels wide with its round button (about 177 for the text), in bold.
    Option2 = new QRadioButton(tr("&One Player vs The Computer"), Frame1);
    Option2->setGeometry(twipsRect(420, 585, 2910, 240));
    Option2->setFont(bold);

    Frame2 = new QGroupBox(this);
    Frame2->setGeometry(twipsRect(225, 2025, 3660, 1200));
    //: Before the first name's box: 60 pixels, in bold.
    Label1 = new QLabel(tr("Player &1:"), Frame2);
    Label1->setGeometry(twipsRect(300, 315, 900, 315));
    //: Before the second name's box: 60 pixels, in bold.
    Label2 = new QLabel(tr("Player &2:"), Frame2);
    Label2->setGeometry(twipsRect(285, 690, 900, 315));
    txtPlayer1 = new TextBox(Frame2);
    txtPlayer1->setGeometry(twipsRect(1275, 255, 1800, 300));
    txtPlayer2 = new TextBox(Frame2);
    txtPlayer2->setGeometry(twipsRect(1275, 660, 1800, 300));
    for (QLabel* label : {Label1, Label2}) {
        label->setFont(bold);
        label->setAlignment(Qt::AlignRight | Qt::AlignTop);
    }
    for (TextBox* box : {txtPlayer1, txtPlayer2})
        box->setMaxCharacters(10);
    Label1->setBuddy(txtPlayer1);
    Label2->setBuddy(txtPlayer2);

    //: Starts the match: a button 102 pixels wide.
    cmdDone = new QPushButton(tr("&Done"), this);
    cmdDone->setGeometry(twipsRect(240, 3405, 1530, 420));
    cmdDone->setDefault(true);
    //: Opens the help at the rules: a button 102 pixels wide.
    cmdInstructions = new QPushButton(tr("&View Game Rules"), this);
    cmdInstructions->setGeometry(twipsRect(2355, 3405, 1530, 420));
    // Enter presses the focused button, and Done from anywhere else.
    cmdDone->setAutoDefault(true);
    cmdInstructions->setAutoDefault(true);

    // The dialog and its frames have no caption to read out; a screen reader
    // is given names for them.
    //: The setup dialog's name, for a screen reader.
    accessibility::setName(this, tr("Dovrel: new match"));
    //: The frame of the two options who plays, for a screen reader.
    accessibility::setName(Frame1, tr("Players"));
    //: The frame of the two name boxes, for a screen reader.
    accessibility::setName(Frame2, tr("Names"));

    setTabOrder(Option1, Option2);
    setTabOrder(Option2, txtPlayer1);
    setTabOrder(txtPlayer1, txtPlayer2);
    setTabOrder(txtPlayer2, cmdDone);
    setTabOrder(cmdDone, cmdInstructions);
}

void frmSetup::Form_Load()
{
    Module1& m = Module1::instance();
    m.SoundDir = withTrailingSeparator(QCoreApplication::applicationDirPath());
    help::setFile(m.SoundDir + language::helpFileName(m.SoundDir));
    centreOnScreen();
}

void frmSetup::showModeless()
{
    showActive();
}

void frmSetup::Form_Activate()
{
    if (!loaded())
        return;
    if (Module1::instance().VsComputer)
        Option2->setChecked(true);
    else
        Option1->setChecked(true);
}

void frmSetup::Option1_Click()
{
    Module1& m = Module1::instance();
    if (m.CloseReason == NoClick)
        m.CloseReason.clear();
    else
        txtPlayer2->clear();
    txtPlayer2->setReadOnly(false);
    txtPlayer1->setFocus(Qt::OtherFocusReason);
}

void frmSetup::Option2_Click()
{
    //: The computer's name as a player: at most 10 characters, shown in a
    //: box 120 pixels wide and on the scoreboard in 80 pixels, in bold.
    txtPlayer2->setText(tr("Computer"));
    txtPlayer2->setReadOnly(true);
    txtPlayer1->setFocus(Qt::OtherFocusReason);
}

void frmSetup::cmdDone_Click()
{
    // A screen reader can still press the buttons of a dialog that lingers
    // after Done; closed, it takes no more orders.
    if (!loaded())
        return;
    Module1& m = Module1::instance();
    m.PlayerName[1] = txtPlayer1->text().isEmpty() ? defaultName(1) : txtPlayer1->text();
    m.PlayerName[2] = txtPlayer2->text().isEmpty() ? defaultName(2) : txtPlayer2->text();
    m.VsComputer = Option1->isChecked() ? False : True;
    unload();
    forms::main().showWindow();
}

QString frmSetup::defaultName(int player)
{
    //: The name of a player who gave none: shown on the scoreboard in 80
    //: pixels, in bold, and on the take panel.
    return player == 1 ? tr("Player 1")
                       //: The name of a player who gave none, as "Player 1".
                       : tr("Player 2");
}

void frmSetup::cmdInstructions_Click()
{
    setHelpContext(3000);
    help::show(helpContext());
}

void frmSetup::unload()
{
    markUnloaded();
    hide();
    if (!QAccessible::isActive()) {
        deleteLater();
        return;
    }
    // A screen reader asks about the dialog's closing (its hiding, the focus
    // leaving) a little later: it gets answers, not objects gone. It goes
    // with the program at the latest.
    QTimer::singleShot(std::chrono::seconds(5), this, &QObject::deleteLater);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &QObject::deleteLater);
}

void frmSetup::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (cmdDone->isEnabled())
            cmdDone->click();
        return;
    case Qt::Key_Escape:
        return;  // there is no cancel
    default:
        Form::keyPressEvent(event);
    }
}

void frmSetup::closeEvent(QCloseEvent* event)
{
    // The dialog has no close box; a close from outside (the window manager's
    // keys, the session ending) ends the program like Exit.
    event->accept();
    if (loaded())
        unload();
}

}  // namespace dovrel
