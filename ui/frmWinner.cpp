#include "ui/frmWinner.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <cmath>

#include "app/module1.h"
#include "ui/accessibility.h"
#include "ui/drawn_items.h"
#include "ui/message_box.h"
#include "ui/frmDovrel.h"
#include "ui/frmSetup.h"
#include "ui/style.h"
#include "ui/twips.h"

namespace dovrel {

namespace {
const QColor WinnerText(0x0000C0);
}  // namespace

frmWinner::frmWinner() : Form(FormKind::Winner, nullptr, Qt::Tool | Qt::FramelessWindowHint)
{
    createControls();
    connect(Timer1, &QTimer::timeout, this, &frmWinner::Timer1_Timer);
    connect(cmdNew, &QPushButton::clicked, this, &frmWinner::cmdNew_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmWinner::cmdExit_Click);
    Form_Load();
}

void frmWinner::createControls()
{
    setFont(windowFont());
    setFixedSize(px(4665), px(2595));
    setBackground(this, QColor(0x0000FF));
    const QFont big = boldFont(SerifFamily, 20.25);

    // Drawn items first, so that the labels stand in front of the oval.
    Shape1 = new ShapeItem(this, ShapeItem::Form::Oval, QColor(0xFF0000), 5);
    Shape1->setFill(ShapeItem::Fill::HorizontalLines, QColor(0xFFFF00), QColor(0x80FF80));
    Shape1->setGeometry(twipsRect(210, 45, 4185, 2490));
    const auto makeLabel = [&](QRect geometry) {
        auto* l = new QLabel(this);
        l->setTextFormat(Qt::PlainText);  // the winner's name exactly as typed
        l->setGeometry(geometry);
        l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        l->setWordWrap(true);
        l->setFont(big);
        setTextColor(l, WinnerText);
        l->setAttribute(Qt::WA_TransparentForMouseEvents);
        return l;
    };
    lblWinner = makeLabel(twipsRect(795, 495, 3030, 510));
    lblMessage = makeLabel(twipsRect(555, 930, 3480, 1020));

    const auto makeButton = [&](const QString& caption, QRect geometry) {
        auto* b = new QPushButton(caption, this);
        b->setGeometry(geometry);
        b->setAutoDefault(true);  // Enter presses the button that has the focus
        return b;
    };
    //: Starts a new match: a button 88 pixels wide.
    cmdNew = makeButton(tr("&New Game"), twipsRect(345, 2085, 1320, 420));
    //: Ends the program: a button 88 pixels wide.
    cmdExit = makeButton(tr("E&xit"), twipsRect(3015, 2085, 1320, 420));
    setTabOrder(cmdNew, cmdExit);
    setFocusProxy(cmdNew);

    Timer1 = new QTimer(this);
    Timer1->setInterval(500);
}

void frmWinner::Form_Load()
{
    // Over the main window: 675 twips below its top edge, centred across it.
    if (const frmDovrel* main = forms::mainIfLoaded()) {
        const QRect outer = main->frameGeometry();
        const float left = static_cast<float>(outer.x())
                           + static_cast<float>(outer.width() - width()) / 2.0f;
        move(static_cast<int>(std::lround(left)), outer.y() + px(675));
    }
    lblWinner->setText(Module1::instance().WinnerName);
    //: Under the winner's name, which stands alone on the line above: 232 by 68
    //: pixels, in a large bold font, two lines.
    lblMessage->setText(displayText(tr("takes the match") + CrLf
                                    //: The second line under the winner's name.
                                    + tr("with 3 wins.")));
    Timer1->start();
}

void frmWinner::showOverMainWindow()
{
    lblWinner->setText(Module1::instance().WinnerName);
    // The name blinks; the dialog's own name holds the whole message steadily.
    accessibility::setName(this, (lblWinner->text() + QLatin1Char(' ') + lblMessage->text()).simplified());
    showActive();
    cmdNew->setFocus(Qt::OtherFocusReason);
}

void frmWinner::Timer1_Timer()
{
    // The name blinks for the eye alone. Hidden and shown, the label would come
    // and go in a screen reader's review and tell the reader of every change.
    nameShown_ = !nameShown_;
    setTextColor(lblWinner, nameShown_ ? WinnerText : QColor(Qt::transparent));
}

void frmWinner::cmdNew_Click()
{
    Module1& m = Module1::instance();
    frmSetup& setup = forms::setupWithNames();
    m.CloseReason = QStringLiteral("NO CLICK");
    if (frmDovrel* main = forms::mainIfLoaded())
        main->close();
    setup.showModeless();
    unload();
}

void frmWinner::cmdExit_Click()
{
    Module1::instance().CloseReason = QStringLiteral("Out for Good");
    if (frmDovrel* main = forms::mainIfLoaded())
        main->close();
    unload();
}

void frmWinner::unload()
{
    if (!loaded())
        return;
    Timer1->stop();
    markUnloaded();
    hide();
    deleteLater();
}

void frmWinner::closeEvent(QCloseEvent* event)
{
    // The dialog has no close box. Closed from outside (the window manager's
    // keys), it goes away and leaves the main window as it is.
    event->accept();
    if (loaded())
        unload();
}

}  // namespace dovrel
