#include "ui/frmAbout.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include "app/module1.h"
#include "ui/accessibility.h"
#include "ui/drawn_items.h"
#include "ui/frmDovrel.h"
#include "ui/message_box.h"
#include "ui/pictures.h"
#include "ui/style.h"
#include "ui/twips.h"

namespace dovrel {

namespace {

QString notice()
{
    const QStringList lines = {
        //: The About box's text, in bold, in a frame of 308 by 234 pixels; what
        //: does not fit is cut off. The doubled apostrophes quote the name.
        frmAbout::tr("''Dovrel'' is offered by its author as freeware, with no strings attached. "
                     "You may copy it and pass it on to others without asking permission."),
        QString(),
        frmAbout::tr("Conditions of freeware:"),
        frmAbout::tr("(1) ''Dovrel'' is offered as is, without warranties of any kind, express or "
                     "implied, as to its operation, its interaction with other files, or its "
                     "fitness for any particular purpose."),
        frmAbout::tr("(2) There is no product support."),
        QString(),
        frmAbout::tr("I hope you enjoy many good games of ''Dovrel''!"),
        QString(),
        QStringLiteral("Qelvani"),
        //: When this version was made.
        frmAbout::tr("December 2026"),
    };
    return lines.join(CrLf);
}

}  // namespace

frmAbout::frmAbout() : Form(FormKind::About, nullptr, Qt::Tool | Qt::FramelessWindowHint)
{
    createControls();
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    Form_Load();
}

frmAbout::~frmAbout()
{
    // Deleted along with the main window, without Close: still counts as gone.
    markUnloaded();
}

void frmAbout::createControls()
{
    setWindowTitle(tr("About ''Dovrel''"));
    setWindowIcon(QIcon(QStringLiteral(":/pictures/about.ico")));
    setHelpContext(1000);
    setFont(windowFont());
    setFixedSize(px(5385), px(5445));
    setBackground(this, QColor(0x80FFFF));

    //: Closes the About box: a button 118 pixels wide.
    cmdOK = new QPushButton(tr("&Close"), this);
    cmdOK->setGeometry(twipsRect(1740, 4815, 1770, 405));
    cmdOK->setFont(windowFont());
    cmdOK->setDefault(true);
    imgLogo = new PictureBox(this, false);
    imgLogo->setGeometry(twipsRect(1815, 330, 2295, 615));
    imgLogo->setPicture(picture(QStringLiteral(":/pictures/logo.gif")));
    Label1 = new QLabel(this);
    Label1->setGeometry(twipsRect(375, 1425, 4620, 3510));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setWordWrap(true);  // what does not fit below is cut off
    Label1->setFont(boldFont(SansFamily, 8.25));
    setTextColor(Label1, QColor(0x0000FF));
    Label1->setAttribute(Qt::WA_TransparentForMouseEvents);
    Image1 = new PictureBox(this, true);
    Image1->setGeometry(twipsRect(825, 540, 1680, 705));
    Image1->setPicture(picture(QStringLiteral(":/pictures/emblem.gif")));
    accessibility::setName(imgLogo, QStringLiteral("Dovrel"));
    //: The About box's picture, for a screen reader.
    accessibility::setName(Image1, tr("Emblem"));
    Shape1 = new ShapeItem(this, ShapeItem::Form::Rectangle, QColor(0x00C000), 5);
    Shape1->setGeometry(twipsRect(15, 15, 5355, 5420));

    // Back to front: the logo stands in front of the emblem, the button in front of all.
    for (QWidget* w : {static_cast<QWidget*>(Shape1), static_cast<QWidget*>(Image1),
                       static_cast<QWidget*>(Label1), static_cast<QWidget*>(imgLogo),
                       static_cast<QWidget*>(cmdOK)})
        w->raise();
    cmdOK->setFocus(Qt::OtherFocusReason);
}

void frmAbout::Form_Load()
{
    Module1::instance().AboutFlag = QStringLiteral("ABOUT");
    Label1->setText(displayText(notice()));
}

void frmAbout::Form_Activate()
{
    // Nothing to do: the box is the same every time it is shown.
}

void frmAbout::showModal()
{
    if (!loaded())
        return;
    QPointer<frmDovrel> owner = forms::mainIfLoaded();
    if (owner) {
        // Modal to the main window alone, so that a help viewer opened from
        // here, a window of its own, still takes input.
        setParent(owner, windowFlags());
        setWindowModality(Qt::WindowModal);
    } else {
        setWindowModality(Qt::ApplicationModal);
    }
    centreOnScreen(owner ? owner->screen() : nullptr);
    showActive();

    // Waits until the box is unloaded, or deleted along with its owner;
    // after that the box may be gone, so only the owner is touched.
    QEventLoop loop;
    connect(this, &frmAbout::unloaded, &loop, &QEventLoop::quit);
    connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
    if (loaded())
        loop.exec();

    // Back at the main window, the game goes on untouched. That is settled
    // here rather than by the main window's activation, which some desktops
    // give late or not at all: the flag must not outlive the box, or it would
    // swallow a later new game, and the activation, whenever it comes, finds
    // the main window current already.
    Module1::instance().AboutFlag.clear();
    if (owner && owner->loaded()) {
        owner->returnedTo();
        if (QApplication::activeWindow() != owner)
            owner->activateWindow();
    }
}

void frmAbout::cmdOK_Click()
{
    unload();
}

void frmAbout::unload()
{
    if (!loaded())
        return;
    markUnloaded();
    hide();
    emit unloaded();
    deleteLater();
}

void frmAbout::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:  // the box only informs, so Escape closes it as well
        cmdOK->click();
        return;
    default:
        Form::keyPressEvent(event);
    }
}

void frmAbout::closeEvent(QCloseEvent* event)
{
    // No close box; a close from outside (the window manager's keys) is Close.
    event->accept();
    unload();
}

}  // namespace dovrel
