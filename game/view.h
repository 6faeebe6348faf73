#pragma once
// The narrow view of the main window that the rules act through.
// frmDovrel implements it with widgets; the tests implement it with a fake.
#include <QString>
#include <cstdint>
#include <functional>

namespace dovrel {

enum class Kind { None, Positive, Negative, Neutral };

// The main window's controls that the rules touch by name. Control arrays
// take their index alongside: lblPoints 1..6, lblPlayer/lblScore/lblWins 1..2,
// optPick 2, 4, 6.
enum class Ctl {
    cmdOK, cmdQuit, cmdImmed,
    fraPlayer, fraSpeed,
    mnuGame, mnuOptions, mnuHelp, mnuSound,
    txtPick, optPick, optNormal, optFaster, optFastest,
    imgStart, lblImmed, shpImmed,
    lblPlayer, lblScore, lblWins, lblPoints,
};

// Colours are RRGGBB; ButtonFace is the system's button-face colour.
using Color = uint32_t;
inline constexpr Color ButtonFace = 0x8000000F;

enum class Answer { Ok, Yes, No };

// The three message boxes the game asks with.
enum class MsgStyle {
    OkOnly,                  // an OK button and no icon
    YesNoQuestionNoDefault,  // question icon, No is the default button
    YesNoInformation,    // information icon, Yes is the default button
};

// Thrown out of doEvents() and pause() once the window has been closed, so
// that a running deal, take, slide or computer move stops without touching it.
struct WindowGone {};

class BoardView {
public:
    virtual ~BoardView() = default;

    // The row. A token's kind is the template picture it shows, compared by identity.
    virtual Kind tokenKind(int k) const = 0;
    virtual void showToken(int k, Kind kind) = 0;   // shares the template's picture
    virtual void clearToken(int k) = 0;

    virtual void setEnabled(Ctl c, bool on, int index = 0) = 0;
    virtual bool isEnabled(Ctl c, int index = 0) const = 0;
    virtual void setVisible(Ctl c, bool on) = 0;
    virtual bool isVisible(Ctl c) const = 0;

    // Caption of a label, frame or menu item; the text of the take box. Setting
    // the take box's text runs its change handler, as typing does.
    virtual void setCaption(Ctl c, const QString& text, int index = 0) = 0;
    virtual QString caption(Ctl c, int index = 0) const = 0;
    virtual void setBackColor(Ctl c, int index, Color color) = 0;
    virtual void setForeColor(Ctl c, int index, Color color) = 0;
    virtual void setBold(Ctl c, bool bold) = 0;
    virtual void setLeft(Ctl c, int twips) = 0;

    // Option buttons: selecting one that was off runs its click handler;
    // clearing runs nothing.
    virtual void setValue(Ctl c, bool on, int index = 0) = 0;
    virtual bool value(Ctl c, int index = 0) const = 0;

    virtual bool canFocus(Ctl c) const = 0;
    virtual void setFocus(Ctl c) = 0;
    virtual void selectText(Ctl c, int start, int length) = 0;

    // Handle pending window events once.
    virtual void doEvents() = 0;
    // Wait until seconds() has passed since the call, re-reading it at every
    // check; handle window events meanwhile only when processEvents is set.
    virtual void pause(const std::function<double()>& seconds, bool processEvents) = 0;

    // A turn begins: the player to move may choose a take, or the computer
    // is about to. A player who cannot see the board is told the state of it.
    virtual void turnBegins() = 0;

    virtual Answer msgBox(const QString& text, MsgStyle style, const QString& title) = 0;
    virtual void showWindow() = 0;
    virtual void showWinnerDialog() = 0;
};

}  // namespace dovrel
