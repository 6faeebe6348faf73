#include "ui/board_reading.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <algorithm>

#include "game/game.h"
#include "ui/accessibility.h"
#include "ui/announcer.h"
#include "ui/drawn_items.h"
#include "ui/frmDovrel.h"

namespace dovrel::reading {

using accessibility::kindWord;
using accessibility::legendCaption;
using accessibility::setDescription;
using accessibility::setName;

namespace {

class Words {
    Q_DECLARE_TR_FUNCTIONS(Reading)
};

// A score or a tally alone says nothing without whose it is.
void nameScoreboard(frmDovrel& w, int player)
{
    const QString name = w.caption(Ctl::lblPlayer, player);
    setName(w.lblScore[player], QStringLiteral("%1: %2 points").arg(name, w.caption(Ctl::lblScore, player)));
    setName(w.lblWins[player], QStringLiteral("%1: %2").arg(name, w.caption(Ctl::lblWins, player)));
}

int frontOfRow(const frmDovrel& w)
{
    int front = 0;
    while (front < RowLength && w.tokenKind(front) == Kind::None)
        ++front;
    return front;
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
    accessibility::readAs(w.fraSpeed, QAccessible::Grouping, QStringLiteral("Speed"));
    // A list, because a screen reader takes the renaming of list items that
    // every deal brings for what it is: no news.
    accessibility::readAs(w.row, QAccessible::List, QStringLiteral("Row"));
    for (int k = 0; k < RowLength; ++k) {
        accessibility::readAs(w.imgImage[k], QAccessible::ListItem);
        tokenChanged(w, k);
    }
    for (int p = 1; p <= 2; ++p)
        nameScoreboard(w, p);
}

void tokenChanged(frmDovrel& w, int k)
{
    PictureBox* token = w.imgImage[k];
    const Kind kind = w.tokenKind(k);
    const bool inRow = kind != Kind::None;
    // A taken token paints nothing; hidden, it drops out of the row a screen
    // reader walks, which then starts at the front. It keeps its name, so that
    // only a change of kind is sent to the reader.
    if (inRow)
        setName(token, QStringLiteral("Token %1: %2").arg(k + 1).arg(kindWord(kind)));
    token->setVisible(inRow);
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
        break;
    case Ctl::lblPoints:
        // A token turned over: its points, as the strip shows them.
        w.news->queue(w.caption(Ctl::lblPoints, index));
        break;
    case Ctl::txtPick:
        // Only the computer writes a take into the box while it is locked. It
        // may choose more than is left; a take ends at the end of the row, and
        // what is left is always even.
        if (!w.txtPick->isEnabled() && !w.caption(Ctl::txtPick).isEmpty()) {
            const int count = std::min(static_cast<int>(leadingNumber(w.caption(Ctl::txtPick))),
                                       RowLength - frontOfRow(w));
            w.news->queue(Words::tr("%1 takes %2.").arg(w.caption(Ctl::fraPlayer)).arg(count));
        }
        break;
    default:
        break;
    }
}

QString turnNews(const frmDovrel& w, bool newMatch)
{
    const int front = frontOfRow(w);
    QStringList news;
    if (newMatch)
        news << Words::tr("New match.");
    else if (front == 0)
        news << Words::tr("New game.");
    news << Words::tr("%1 to move.").arg(w.caption(Ctl::fraPlayer));
    for (int p = 1; p <= 2; ++p)
        news << Words::tr("%1: %2 points, %3.")
                    .arg(w.caption(Ctl::lblPlayer, p), w.caption(Ctl::lblScore, p), w.caption(Ctl::lblWins, p));
    QStringList next;
    for (int k = front; k < std::min(front + 6, RowLength); ++k)
        next << kindWord(w.tokenKind(k));
    news << Words::tr("Next tokens: %1.").arg(next.join(QStringLiteral(", ")));
    const int left = RowLength - front;
    news << (left == 1 ? Words::tr("1 token left.") : Words::tr("%1 tokens left.").arg(left));
    return news.join(QLatin1Char(' '));
}

}  // namespace dovrel::reading
