#include "ui/board_reading.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <algorithm>

#include "game/game.h"
#include "ui/accessibility.h"
#include "ui/drawn_items.h"
#include "ui/frmDovrel.h"

namespace dovrel::reading {

using accessibility::kindWord;
using accessibility::legendCaption;
using accessibility::setDescription;
using accessibility::setName;

namespace {

// What the player to move needs when the focus comes back to the take box:
// whose turn it is, the scores and the front of the row, as a sighted player
// sees them at a glance.
QString turnSummary(const frmDovrel& w)
{
    int front = 0;
    while (front < RowLength && w.tokenKind(front) == Kind::None)
        ++front;
    QStringList next;
    for (int k = front; k < std::min(front + 6, RowLength); ++k)
        next << kindWord(w.tokenKind(k));
    const QString mover = w.caption(Ctl::fraPlayer);  // empty until the first game begins
    QString summary = mover.isEmpty() ? QString() : mover + QStringLiteral(" to move. ");
    summary += QStringLiteral("%1 has %2 points, %3 has %4. ")
                   .arg(w.caption(Ctl::lblPlayer, 1), w.caption(Ctl::lblScore, 1),
                        w.caption(Ctl::lblPlayer, 2), w.caption(Ctl::lblScore, 2));
    if (next.isEmpty())
        return summary + QStringLiteral("No tokens left.");
    return summary + QStringLiteral("Next tokens: %1. %2 left.")
                         .arg(next.join(QStringLiteral(", ")))
                         .arg(RowLength - front == 1 ? QStringLiteral("1 token")
                                                     : QStringLiteral("%1 tokens").arg(RowLength - front));
}

// A score or a tally alone says nothing without whose it is.
void nameScoreboard(frmDovrel& w, int player)
{
    const QString name = w.caption(Ctl::lblPlayer, player);
    setName(w.lblScore[player], QStringLiteral("%1: %2 points").arg(name, w.caption(Ctl::lblScore, player)));
    setName(w.lblWins[player], QStringLiteral("%1: %2").arg(name, w.caption(Ctl::lblWins, player)));
}

}  // namespace

void nameBoard(frmDovrel& w)
{
    setName(w.imgStart, QStringLiteral("Start"));
    setDescription(w.imgStart, QStringLiteral("The row begins at the token next to it."));
    setName(w.imgLogo, QStringLiteral("Dovrel"));
    QStringList key;
    for (Kind kind : {Kind::Neutral, Kind::Positive, Kind::Negative})
        key << kindWord(kind) + QStringLiteral(", ") + legendCaption(kind);
    setName(w.imgKey, QStringLiteral("Key: ") + key.join(QStringLiteral("; ")));
    for (int i = 1; i <= 6; ++i)
        setDescription(w.lblPoints[i], QStringLiteral("Points of token %1 of the take").arg(i));
    setDescription(w.fraPlayer, QStringLiteral("The player to move"));
    accessibility::readAsGroup(w.fraSpeed, QStringLiteral("Speed"));
    for (int k = 0; k < RowLength; ++k)
        tokenChanged(w, k);
    for (int p = 1; p <= 2; ++p)
        nameScoreboard(w, p);
}

void tokenChanged(frmDovrel& w, int k)
{
    PictureBox* token = w.imgImage[k];
    const Kind kind = w.tokenKind(k);
    const bool inRow = kind != Kind::None;
    // A taken token paints nothing; hidden, it also drops out of the row a
    // screen reader walks, which then starts at the front.
    setName(token, QStringLiteral("Token %1: %2").arg(k + 1).arg(inRow ? kindWord(kind) : QStringLiteral("taken")));
    setDescription(token, legendCaption(kind));
    token->setVisible(inRow);
    setDescription(w.txtPick, turnSummary(w));
}

void captionChanged(frmDovrel& w, Ctl c, int index)
{
    switch (c) {
    case Ctl::lblPlayer:
    case Ctl::lblScore:
    case Ctl::lblWins:
        nameScoreboard(w, index);
        break;
    case Ctl::lblImmed:
        // The Continue button takes the focus, and with it reads out the penalty.
        setDescription(w.cmdImmed, w.caption(Ctl::lblImmed).simplified());
        return;
    case Ctl::fraPlayer:
        break;
    default:
        return;
    }
    setDescription(w.txtPick, turnSummary(w));
}

}  // namespace dovrel::reading
