// The main window as it stands when it is created. Geometry is in twips.
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "game/game.h"
#include "ui/announcer.h"
#include "ui/drawn_items.h"
#include "ui/frmDovrel.h"
#include "ui/frmSetup.h"
#include "ui/pictures.h"
#include "ui/style.h"
#include "ui/twips.h"

namespace dovrel {

namespace {

// The grid's spacing is uneven, so every column and row is given.
constexpr int ColumnLeft[15] = {480, 1050, 1620, 2190, 2745, 3315, 3885, 4455,
                                5025, 5595, 6165, 6735, 7290, 7845, 8385};
constexpr int RowTop[5] = {180, 645, 1125, 1590, 2070};
constexpr int PointsLeft[7] = {0, 435, 1845, 3255, 4650, 6060, 7470};  // lblPoints(1..6)

QLabel* makeLabel(QWidget* parent, const QString& text, QRect geometry, Qt::Alignment align,
                  const QFont& font, QColor textColor)
{
    auto* l = new QLabel(parent);
    l->setTextFormat(Qt::PlainText);
    l->setText(text);
    l->setGeometry(geometry);
    l->setAlignment(align);
    l->setFont(font);
    setTextColor(l, textColor);
    l->setAttribute(Qt::WA_TransparentForMouseEvents);
    return l;
}

QRadioButton* makeOption(QWidget* parent, const QString& caption, QRect geometry, QColor back)
{
    auto* o = new QRadioButton(caption, parent);
    o->setGeometry(geometry);
    o->setFont(windowFont());
    setBackground(o, back);
    return o;
}

QPushButton* makeButton(QWidget* parent, const QString& caption, QRect geometry)
{
    auto* b = new QPushButton(caption, parent);
    b->setGeometry(geometry);
    b->setFont(windowFont());
    b->setAutoDefault(true);  // Enter presses the button that has the focus
    return b;
}

void setBorder(QLabel* l)
{
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setLineWidth(1);
}

}  // namespace

void frmDovrel::createControls()
{
    //: The main window's title; Qelvani is the maker's name and stays as it is.
    setWindowTitle(tr("Dovrel... A Strategy Game by Qelvani"));
    // QIcon takes dovrel@2x.ico along by itself when a screen is dense.
    setWindowIcon(QIcon(QStringLiteral(":/pictures/dovrel.ico")));
    setFont(windowFont());

    menuBar = new QMenuBar(this);
    // Access keys: the menu bar's share the board's (Take, OK, Speed, the speeds,
    // Quit, Continue); each menu's items share their menu.
    //: Menu bar. Its access key must differ from the board's controls' keys.
    mnuGame = menuBar->addMenu(tr("&Game"));
    //: Game menu: starts a new match.
    mnuNewGame = mnuGame->addAction(tr("&New Game"));
    mnuExit = mnuGame->addAction(tr("E&xit"));
    //: Menu bar. In English its key clashes with OK's; avoid that if you can.
    mnuOptions = menuBar->addMenu(tr("&Options"));
    //: Options menu: shows or hides the key under the board.
    mnuViewKey = mnuOptions->addAction(tr("&View Key"));
    mnuViewKey->setCheckable(true);
    mnuViewKey->setChecked(true);
    mnuSound = mnuOptions->addAction(Game::soundOnCaption());
    mnuSound->setProperty("caption", mnuSound->text());
    mnuOptions->addSeparator();
    //: Options menu: the submenu of speeds. In English its key clashes with
    //: "Turn &Sound On"; avoid that if you can.
    mnuSpeed = mnuOptions->addMenu(tr("&Speed"));
    //: Speed submenu.
    mnuNormalSpeed = mnuSpeed->addAction(tr("&Normal"));
    //: Speed submenu.
    mnuFasterSpeed = mnuSpeed->addAction(tr("&Faster"));
    //: Speed submenu.
    mnuFastestSpeed = mnuSpeed->addAction(tr("Fastes&t"));
    mnuHelp = menuBar->addMenu(tr("&Help"));
    //: Help menu: opens the help.
    mnuHelpTopics = mnuHelp->addAction(tr("&Topics"));
    mnuHelp->addSeparator();
    mnuAbout = mnuHelp->addAction(tr("&About"));

    board = new QWidget(this);
    board->setFixedSize(px(9285), px(5910));
    setBackground(board, QColor(0xE0E0E0));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar);
    layout->addWidget(board);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Drawn items, front to back as they stack.
    const QFont bold825 = boldFont(SansFamily, 8.25);
    const QFont bold975 = boldFont(SansFamily, 9.75);
    const QColor yellow(0xFFFF00);
    const QColor paleYellow(0xFFFF80);

    //: The penalty display's caption before its first use; it is never seen.
    lblImmed = makeLabel(board, tr("Ultimate Penalty"), twipsRect(2595, 810, 4140, 1950),
                         Qt::AlignHCenter | Qt::AlignTop, boldFont(SerifFamily, 14.25), yellow);
    lblImmed->setWordWrap(true);
    shpImmed = new ShapeItem(board, ShapeItem::Form::Oval, yellow, 4);
    shpImmed->setFill(ShapeItem::Fill::Solid, QColor(0xFF0000));
    shpImmed->setGeometry(twipsRect(2085, 450, 5160, 2880));

    // The row lies behind the penalty display and overlaps nothing else. Its
    // tokens stand in a layer of their own over the whole board, which a
    // screen reader reads as a list.
    row = new QWidget(board);
    row->setGeometry(board->rect());
    row->setAttribute(Qt::WA_TransparentForMouseEvents);
    for (int i = 0; i <= 73; ++i) {
        imgImage[i] = new PictureBox(row, false);
        const int cell = i + 1;
        imgImage[i]->setGeometry(px(ColumnLeft[cell % 15]), px(RowTop[cell / 15]), 28, 28);
    }

    imgNeg = new PictureBox(board, false);
    imgNeg->setGeometry(twipsRect(2865, 5115, 420, 420));
    imgNeg->setPicture(picture(QStringLiteral(":/pictures/negative.gif")));
    imgNeutral = new PictureBox(board, false);
    imgNeutral->setGeometry(twipsRect(6255, 4860, 420, 420));
    imgNeutral->setPicture(picture(QStringLiteral(":/pictures/neutral.gif")));
    imgPos = new PictureBox(board, false);
    imgPos->setGeometry(twipsRect(3405, 5400, 420, 420));
    imgPos->setPicture(picture(QStringLiteral(":/pictures/positive.gif")));

    for (int p : {2, 1}) {
        lblWins[p] = makeLabel(board, Game::winsText(0),
                               twipsRect(p == 2 ? 4725 : 3570, 4350, 900, 315), Qt::AlignCenter,
                               bold975, QColor(0x004000));
        setBackground(lblWins[p], paleYellow);
        setBorder(lblWins[p]);
    }
    Line3 = new LineItem(board, twipsPoint(3555, 4275), twipsPoint(5625, 4275), paleYellow, 1);
    imgStart = new PictureBox(board, true);
    imgStart->setGeometry(twipsRect(30, 120, 975, 675));
    imgStart->setPicture(picture(QStringLiteral(":/pictures/start.gif")));
    imgLogo = new PictureBox(board, false);
    imgLogo->setGeometry(twipsRect(3465, 5040, 2295, 615));
    imgLogo->setPicture(picture(QStringLiteral(":/pictures/logo.gif")));
    imgKey = new PictureBox(board, true);
    imgKey->setGeometry(twipsRect(450, 4980, 2490, 735));
    imgKey->setPicture(picture(QStringLiteral(":/pictures/key.bmp")));
    lblScore[2] = makeLabel(board, QStringLiteral("0"), twipsRect(4845, 3945, 615, 315), Qt::AlignHCenter | Qt::AlignTop,
                            bold975, yellow);
    lblScore[1] = makeLabel(board, QStringLiteral("0"), twipsRect(3705, 3945, 615, 360), Qt::AlignHCenter | Qt::AlignTop,
                            bold975, yellow);
    lblPlayer[2] = makeLabel(board, frmSetup::defaultName(2), twipsRect(4635, 3540, 1200, 240),
                             Qt::AlignHCenter | Qt::AlignTop, bold825, yellow);
    lblPlayer[1] = makeLabel(board, frmSetup::defaultName(1), twipsRect(3360, 3540, 1200, 240),
                             Qt::AlignHCenter | Qt::AlignTop, bold825, yellow);
    Line2 = new LineItem(board, twipsPoint(4590, 3525), twipsPoint(4590, 4665), paleYellow, 3);
    Line1 = new LineItem(board, twipsPoint(3435, 3855), twipsPoint(5760, 3855), paleYellow, 3);
    Shape2 = new ShapeItem(board, ShapeItem::Form::RoundedRectangle, paleYellow, 3);
    Shape2->setFill(ShapeItem::Fill::Solid, QColor(0x004000));
    Shape2->setGeometry(twipsRect(3315, 3405, 2580, 1425));
    for (int i = 6; i >= 1; --i) {
        lblPoints[i] = makeLabel(board, QString(), twipsRect(PointsLeft[i], 2790, 1350, 345),
                                 Qt::AlignCenter, bold825, QColor(0x0000C0));
        setBackground(lblPoints[i], buttonFace());
        setBorder(lblPoints[i]);
    }
    Shape1 = new ShapeItem(board, ShapeItem::Form::RoundedRectangle, QColor(0x0000FF), 3);
    Shape1->setFill(ShapeItem::Fill::Solid, QColor(0xC0FFFF));
    Shape1->setGeometry(twipsRect(330, 2700, 8595, 525));

    // Stack them: each raise puts an item in front of all before it.
    QList<QWidget*> backToFront = {Shape1};
    for (int i = 1; i <= 6; ++i)
        backToFront << lblPoints[i];
    backToFront << Shape2 << Line1 << Line2 << lblPlayer[1] << lblPlayer[2] << lblScore[1] << lblScore[2]
                << imgKey << imgLogo << imgStart << Line3 << lblWins[1] << lblWins[2] << imgPos << imgNeutral
                << imgNeg;
    backToFront << row << shpImmed << lblImmed;
    for (QWidget* w : backToFront)
        w->raise();

    // Windowed controls always stand in front of drawn items.
    //: The take panel's caption until the first turn names the player to move.
    fraPlayer = new QGroupBox(tr("Player"), board);
    fraPlayer->setGeometry(twipsRect(360, 3480, 2715, 1230));
    fraPlayer->setFont(bold975);
    setBackground(fraPlayer, QColor(0xE0E0E0));
    Label1 = makeLabel(fraPlayer, QString(), twipsRect(1380, 405, 615, 315), Qt::AlignLeft | Qt::AlignTop,
                       bold825, palette().color(QPalette::WindowText));
    Label1->setTextFormat(Qt::AutoText);
    //: Beside the box where the take is typed: 41 pixels, bold.
    Label1->setText(tr("&Take..."));
    //: An option, 55 pixels wide with its round button: 36 for the text, in bold.
    optPick[6] = makeOption(fraPlayer, tr("Take &6"), twipsRect(330, 900, 825, 240), QColor(0xE0E0E0));
    //: An option, 66 pixels wide with its round button: 47 for the text, in bold.
    optPick[4] = makeOption(fraPlayer, tr("Take &4"), twipsRect(330, 585, 990, 255), QColor(0xE0E0E0));
    //: An option, 69 pixels wide with its round button: 50 for the text, in bold.
    optPick[2] = makeOption(fraPlayer, tr("Take &2"), twipsRect(330, 285, 1035, 255), QColor(0xE0E0E0));
    txtPick = new TextBox(fraPlayer);
    txtPick->setGeometry(twipsRect(1950, 345, 480, 285));
    txtPick->setFont(windowFont());
    txtPick->setMaxLength(1);
    txtPick->setAlignment(Qt::AlignLeft);
    QPalette white = txtPick->palette();
    white.setColor(QPalette::Base, Qt::white);
    txtPick->setPalette(white);
    //: Confirms the take: a button 54 pixels wide.
    cmdOK = makeButton(fraPlayer, tr("&OK"), twipsRect(1635, 720, 810, 345));
    cmdOK->setEnabled(false);
    Label1->setBuddy(txtPick);

    fraSpeed = new QFrame(board);
    fraSpeed->setGeometry(twipsRect(7035, 4815, 1815, 930));
    fraSpeed->setFrameStyle(QFrame::NoFrame);
    setBackground(fraSpeed, QColor(0xE0E0E0));
    lblSpeed = makeLabel(fraSpeed, QString(), twipsRect(45, 90, 660, 285), Qt::AlignRight | Qt::AlignTop,
                         windowFont(), palette().color(QPalette::WindowText));
    lblSpeed->setTextFormat(Qt::AutoText);
    //: Beside the three speed options: 44 pixels.
    lblSpeed->setText(tr("&Speed"));
    //: A speed option, 58 pixels wide with its round button: 39 for the text.
    optFastest = makeOption(fraSpeed, tr("&Fastest"), twipsRect(915, 675, 870, 300), QColor(0xE0E0E0));
    //: A speed option, 58 pixels wide with its round button: 39 for the text.
    optFaster = makeOption(fraSpeed, tr("Faste&r"), twipsRect(915, 360, 870, 300), QColor(0xE0E0E0));
    //: A speed option, 58 pixels wide with its round button: 39 for the text.
    optNormal = makeOption(fraSpeed, tr("&Normal"), twipsRect(915, 45, 870, 300), QColor(0xE0E0E0));
    lblSpeed->setBuddy(optNormal);

    //: Ends the program: a button 68 pixels wide.
    cmdQuit = makeButton(board, tr("&Quit"), twipsRect(6240, 5430, 1020, 360));
    //: Under the penalty display, to go on to the next game: a button 81 pixels wide.
    cmdImmed = makeButton(board, tr("&Continue"), twipsRect(4065, 2850, 1215, 360));
    for (QWidget* w : {static_cast<QWidget*>(fraPlayer), static_cast<QWidget*>(fraSpeed),
                       static_cast<QWidget*>(cmdQuit), static_cast<QWidget*>(cmdImmed)})
        w->raise();

    // Hidden at start: the penalty display and the three templates.
    for (QWidget* w : {static_cast<QWidget*>(cmdImmed), static_cast<QWidget*>(lblImmed),
                       static_cast<QWidget*>(shpImmed), static_cast<QWidget*>(imgNeg),
                       static_cast<QWidget*>(imgNeutral), static_cast<QWidget*>(imgPos)})
        w->hide();

    news = new Announcer(board);

    // Tab order, by ascending tab index of the controls that can take the focus.
    const QList<QWidget*> tabOrder = {cmdOK, txtPick, optPick[6], optPick[4], optPick[2], cmdQuit,
                                      optFastest, optFaster, optNormal, cmdImmed};
    for (int i = 0; i + 1 < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i], tabOrder[i + 1]);
}

}  // namespace dovrel
