#include "ui/frmDovrel.h"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include "app/module1.h"
#include "ui/announcer.h"
#include "ui/board_reading.h"
#include "ui/drawn_items.h"
#include "ui/frmWinner.h"
#include "ui/message_box.h"
#include "ui/pacer.h"
#include "ui/sound.h"
#include "ui/style.h"
#include "ui/twips.h"

namespace dovrel {

frmDovrel::frmDovrel()
    : Form(FormKind::Main, nullptr,
           Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      game_(*this, Module1::instance(), rng_, SoundCues::instance())
{
    setHelpContext(1000);
    createControls();
    reading::nameBoard(*this);
    connectHandlers();
    run([this] { game_.Form_Load(); });
}

frmDovrel::~frmDovrel() = default;

template <class F>
void frmDovrel::run(F&& handler)
{
    if (!loaded())
        return;
    ++busy_;
    try {
        handler();
    } catch (const WindowGone&) {
        // The window was closed while the handler handled events: stop here.
    }
    --busy_;
    if (busy_ > 0)
        return;
    if (!loaded()) {
        deleteLater();
        return;
    }
    tellNews();
    if (activationWaiting_) {
        // Once the work has decided a game or begun the next one, the new game
        // the activation asked for has come, or the penalty's Continue or the
        // winner dialog stands in front: a deal now would wipe out a first
        // take, or lay a row under the penalty.
        if (game_.milestones() > *activationWaiting_)
            activationWaiting_.reset();
        else
            QMetaObject::invokeMethod(this, &frmDovrel::Form_Activate, Qt::QueuedConnection);
    }
}

void frmDovrel::connectHandlers()
{
    // A slot that runs one of the game's handlers.
    const auto call = [this](void (Game::*handler)()) {
        return [this, handler] { run([this, handler] { (game_.*handler)(); }); };
    };
    connect(cmdOK, &QPushButton::clicked, this, call(&Game::OkPressed));
    connect(txtPick, &QLineEdit::textChanged, this, call(&Game::txtPick_Change));
    connect(txtPick, &TextBox::gotFocus, this, call(&Game::txtPick_GotFocus));
    for (int index : {2, 4, 6}) {
        connect(optPick[index], &QRadioButton::toggled, this, [this, index](bool on) {
            if (on)
                run([this, index] { game_.optPick_Click(index); });
        });
    }
    const auto onSelect = [this, call](QRadioButton* option, void (Game::*handler)()) {
        connect(option, &QRadioButton::toggled, this, [this, option, click = call(handler)](bool on) {
            if (!on)
                return;
            lblSpeed->setBuddy(option);  // the access key leads to the current speed
            click();
        });
    };
    onSelect(optNormal, &Game::optNormal_Click);
    onSelect(optFaster, &Game::optFaster_Click);
    onSelect(optFastest, &Game::optFastest_Click);

    connect(cmdImmed, &QPushButton::clicked, this, call(&Game::cmdImmed_Click));
    // A slot that runs one of the window's own commands.
    const auto command = [this](void (frmDovrel::*handler)()) {
        return [this, handler] { run([this, handler] { (this->*handler)(); }); };
    };
    connect(cmdQuit, &QPushButton::clicked, this, command(&frmDovrel::cmdQuit_Click));
    connect(mnuExit, &QAction::triggered, this, command(&frmDovrel::mnuExit_Click));
    connect(mnuNewGame, &QAction::triggered, this, command(&frmDovrel::mnuNewGame_Click));
    connect(mnuHelpTopics, &QAction::triggered, this, command(&frmDovrel::mnuHelpTopics_Click));
    connect(mnuAbout, &QAction::triggered, this, command(&frmDovrel::mnuAbout_Click));
    connect(mnuSound, &QAction::triggered, this, call(&Game::mnuSound_Click));
    connect(mnuNormalSpeed, &QAction::triggered, this, call(&Game::mnuNormalSpeed_Click));
    connect(mnuFasterSpeed, &QAction::triggered, this, call(&Game::mnuFasterSpeed_Click));
    connect(mnuFastestSpeed, &QAction::triggered, this, call(&Game::mnuFastestSpeed_Click));
    connect(mnuViewKey, &QAction::toggled, imgKey, &QWidget::setVisible);
}

void frmDovrel::Form_Activate()
{
    // A new game never begins inside a running deal, take, slide or computer
    // move: the activation waits until the window's handlers have returned.
    // Coming back from the About box begins nothing, so it is settled at once:
    // left for later, its flag would swallow the next game that the running
    // work begins itself, and that game would be decided a second time.
    if (busy_ > 0) {
        if (!game_.BackFromAbout())
            activationWaiting_ = game_.milestones();
        return;
    }
    activationWaiting_.reset();
    run([this] { game_.Activated(); });
}

void frmDovrel::closeEvent(QCloseEvent* event)
{
    if (!loaded()) {
        event->accept();
        return;
    }
    bool cancel = false;
    run([this, &cancel] { cancel = game_.Form_Unload(); });
    if (cancel) {
        event->ignore();
        return;
    }
    event->accept();
    unload();
}

void frmDovrel::unload()
{
    markUnloaded();
    hide();
    // The winner dialog announces this board's match; it must not outlive it
    // and act on a later one.
    if (frmWinner* winner = forms::winnerIfLoaded())
        winner->close();
    if (busy_ == 0)
        deleteLater();
}

// --- BoardView ---------------------------------------------------------------

PictureBox* frmDovrel::templateFor(Kind kind) const
{
    switch (kind) {
    case Kind::Positive: return imgPos;
    case Kind::Negative: return imgNeg;
    case Kind::Neutral: return imgNeutral;
    case Kind::None: break;
    }
    return nullptr;
}

Kind frmDovrel::tokenKind(int k) const
{
    const QPixmap& picture = imgImage[k]->picture();
    if (picture.isNull())
        return Kind::None;
    // The same picture object, not the same pixels.
    for (Kind kind : {Kind::Neutral, Kind::Positive, Kind::Negative}) {
        if (picture.cacheKey() == templateFor(kind)->picture().cacheKey())
            return kind;
    }
    return Kind::None;
}

void frmDovrel::showToken(int k, Kind kind)
{
    PictureBox* from = templateFor(kind);
    imgImage[k]->setPicture(from ? from->picture() : QPixmap());
    reading::tokenChanged(*this, k);
}

void frmDovrel::clearToken(int k)
{
    imgImage[k]->setPicture(QPixmap());
    reading::tokenChanged(*this, k);
}

QAction* frmDovrel::menuItem(Ctl c) const
{
    switch (c) {
    case Ctl::mnuGame: return mnuGame->menuAction();
    case Ctl::mnuOptions: return mnuOptions->menuAction();
    case Ctl::mnuHelp: return mnuHelp->menuAction();
    case Ctl::mnuSound: return mnuSound;
    default: return nullptr;
    }
}

QWidget* frmDovrel::control(Ctl c, int index) const
{
    switch (c) {
    case Ctl::cmdOK: return cmdOK;
    case Ctl::cmdQuit: return cmdQuit;
    case Ctl::cmdImmed: return cmdImmed;
    case Ctl::fraPlayer: return fraPlayer;
    case Ctl::fraSpeed: return fraSpeed;
    case Ctl::txtPick: return txtPick;
    case Ctl::optPick: return optPick[index];
    case Ctl::optNormal: return optNormal;
    case Ctl::optFaster: return optFaster;
    case Ctl::optFastest: return optFastest;
    case Ctl::imgStart: return imgStart;
    case Ctl::lblImmed: return lblImmed;
    case Ctl::shpImmed: return shpImmed;
    case Ctl::lblPlayer: return lblPlayer[index];
    case Ctl::lblScore: return lblScore[index];
    case Ctl::lblWins: return lblWins[index];
    case Ctl::lblPoints: return lblPoints[index];
    default: return nullptr;
    }
}

namespace {

// Closes a menu that is open, with its submenus.
void closeMenu(QMenu* menu)
{
    for (QAction* action : menu->actions()) {
        if (QMenu* sub = action->menu())
            closeMenu(sub);
    }
    menu->hide();
}

}  // namespace

void frmDovrel::setEnabled(Ctl c, bool on, int index)
{
    if (QAction* item = menuItem(c)) {
        item->setEnabled(on);
        // A menu opened while it was live would otherwise stay open and usable.
        if (!on && item->menu())
            closeMenu(item->menu());
    } else {
        control(c, index)->setEnabled(on);
    }
}

bool frmDovrel::isEnabled(Ctl c, int index) const
{
    if (QAction* item = menuItem(c))
        return item->isEnabled();
    // A control's own Enabled, whatever its frame's.
    return !control(c, index)->testAttribute(Qt::WA_ForceDisabled);
}

void frmDovrel::setVisible(Ctl c, bool on)
{
    control(c, 0)->setVisible(on);
    // The penalty waits for Continue: the keyboard, and a screen reader with it, go straight there.
    if (c == Ctl::cmdImmed && on)
        cmdImmed->setFocus(Qt::OtherFocusReason);
}

bool frmDovrel::isVisible(Ctl c) const
{
    return control(c, 0)->isVisibleTo(board);
}

void frmDovrel::setCaption(Ctl c, const QString& text, int index)
{
    switch (c) {
    case Ctl::mnuSound:
        mnuSound->setText(text);
        // Kept apart from the shown text, which some desktops rewrite to move its access key.
        mnuSound->setProperty("caption", text);
        return;
    case Ctl::fraPlayer:
        fraPlayer->setTitle(literalCaption(text));
        fraPlayer->setProperty("caption", text);
        return;
    case Ctl::txtPick:
        if (txtPick->text() != text)
            txtPick->setText(text);  // runs txtPick_Change
        // Told even when the box held the same digit already.
        reading::captionChanged(*this, c, index);
        return;
    default:
        if (auto* label = qobject_cast<QLabel*>(control(c, index))) {
            label->setProperty("caption", text);
            reading::captionChanged(*this, c, index);
            label->setText(displayText(text));
        }
    }
}

QString frmDovrel::caption(Ctl c, int index) const
{
    switch (c) {
    case Ctl::mnuSound: return mnuSound->property("caption").toString();
    case Ctl::fraPlayer: return fraPlayer->property("caption").toString();
    case Ctl::txtPick: return txtPick->text();
    default: {
        const QWidget* w = control(c, index);
        const QVariant stored = w->property("caption");
        if (stored.isValid())
            return stored.toString();
        const auto* label = qobject_cast<const QLabel*>(w);
        return label ? label->text() : QString();
    }
    }
}

void frmDovrel::setBackColor(Ctl c, int index, Color color)
{
    setBackground(control(c, index), toColor(color));
}

void frmDovrel::setForeColor(Ctl c, int index, Color color)
{
    setTextColor(control(c, index), toColor(color));
}

void frmDovrel::setBold(Ctl c, bool bold)
{
    QWidget* w = control(c, 0);
    QFont f = w->font();
    f.setBold(bold);
    w->setFont(f);
}

void frmDovrel::setLeft(Ctl c, int twips)
{
    QWidget* w = control(c, 0);
    w->move(px(twips), w->y());
}

void frmDovrel::setValue(Ctl c, bool on, int index)
{
    auto* option = qobject_cast<QRadioButton*>(control(c, index));
    if (on) {
        option->setChecked(true);  // runs the click handler when it was off
        return;
    }
    if (!option->isChecked())
        return;
    // An exclusive button refuses to be cleared; no option at all is a valid state here.
    option->setAutoExclusive(false);
    option->setChecked(false);
    option->setAutoExclusive(true);
}

bool frmDovrel::value(Ctl c, int index) const
{
    return qobject_cast<QRadioButton*>(control(c, index))->isChecked();
}

bool frmDovrel::canFocus(Ctl c) const
{
    const QWidget* w = control(c, 0);
    return w->isVisibleTo(this) && w->isEnabled();
}

void frmDovrel::setFocus(Ctl c)
{
    control(c, 0)->setFocus(Qt::OtherFocusReason);
}

void frmDovrel::selectText(Ctl c, int start, int length)
{
    if (auto* box = qobject_cast<QLineEdit*>(control(c, 0)))
        box->setSelection(start, length);
}

void frmDovrel::turnBegins()
{
    turnToTell_ = true;
}

void frmDovrel::tellNews()
{
    if (turnToTell_) {
        turnToTell_ = false;
        news->queue(reading::turnNews(*this, !matchTold_));
        matchTold_ = true;
    }
    news->tell();
}

void frmDovrel::doEvents()
{
    tellNews();
    pacer::doEvents();
    if (!loaded())
        throw WindowGone{};
}

void frmDovrel::pause(const std::function<double()>& seconds, bool processEvents)
{
    tellNews();
    // A pause that handles no events still shows what the last step changed.
    if (!processEvents)
        repaint();
    pacer::pause(seconds, processEvents, [this] { return !loaded(); });
    if (!loaded())
        throw WindowGone{};
}

Answer frmDovrel::msgBox(const QString& text, MsgStyle style, const QString& title)
{
    tellNews();
    return showMessageBox(this, text, style, title);
}

void frmDovrel::showWindow()
{
    if (!QWidget::isVisible()) {
        adjustSize();
        centreOnScreen();
    }
    showActive();
}

void frmDovrel::showWinnerDialog()
{
    tellNews();
    forms::winner().showOverMainWindow();
}

}  // namespace dovrel
