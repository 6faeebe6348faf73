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
    const QString score = w.caption(Ctl::lblScore, player);
    //: A player's score as a screen reader names it: %1 is the player's name,
    //: %2 the score, which may be negative.
    setName(w.lblScore[player], Words::tr("%1: %2 points", nullptr, pluralCount(score)).arg(name, score));
    //: A player's games won as a screen reader names it: "Ann: 2 Wins".
    setName(w.lblWins[player], Words::tr("%1: %2").arg(name, w.caption(Ctl::lblWins, player)));
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
    //: The name of the start arrow's picture, for a screen reader.
    setName(w.imgStart, Words::tr("Start"));
    setDescription(w.imgStart, Words::tr("The row begins at the token next to it."));
    setName(w.imgLogo, QStringLiteral("Dovrel"));
    QStringList key;
    for (Kind kind : {Kind::Neutral, Kind::Positive, Kind::Negative})
        //: One entry of the key, read out: %1 the token's kind, %2 its caption in the key.
        key << Words::tr("%1, %2").arg(kindWord(kind), legendCaption(kind));
    //: Between the key's entries, read out.
    const QString between = Words::tr("; ");
    //: The key's picture, read out: %1 is its three entries.
    setName(w.imgKey, Words::tr("Key: %1").arg(key.join(between)));
    for (int i = 1; i <= 6; ++i)
        setDescription(w.lblPoints[i], Words::tr("Points of token %1 of the take").arg(i));
    setDescription(w.fraPlayer, Words::tr("The player to move"));
    //: The group of the three speed options, for a screen reader.
    accessibility::readAs(w.fraSpeed, QAccessible::Grouping, Words::tr("Speed"));
    // A list, because a screen reader takes the renaming of list items that
    // every deal brings for what it is: no news.
    //: The row of tokens, read as a list.
    accessibility::readAs(w.row, QAccessible::List, Words::tr("Row"));
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
        //: A token in the row: %1 its place (1 to 74), %2 its kind.
        setName(token, Words::tr("Token %1: %2").arg(k + 1).arg(kindWord(kind)));
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
            //: Spoken when the computer takes: %1 is its name, %2 how many tokens.
            w.news->queue(Words::tr("%1 takes %2.").arg(w.caption(Ctl::fraPlayer), QString::number(count)));
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
    //: Spoken at each turn's start: %1 is the name of the player to move.
    news << Words::tr("%1 to move.").arg(w.caption(Ctl::fraPlayer));
    for (int p = 1; p <= 2; ++p) {
        const QString score = w.caption(Ctl::lblScore, p);
        //: Spoken at each turn's start: %1 a player's name, %2 the points (may be
        //: negative), %3 the games won as the board shows them ("2 Wins").
        news << Words::tr("%1: %2 points, %3.", nullptr, pluralCount(score))
                    .arg(w.caption(Ctl::lblPlayer, p), score, w.caption(Ctl::lblWins, p));
    }
    QStringList next;
    for (int k = front; k < std::min(front + 6, RowLength); ++k)
        next << kindWord(w.tokenKind(k));
    //: Between the kinds of the next tokens, read out.
    const QString between = Words::tr(", ");
    //: Spoken at each turn's start: the kinds of the next six tokens.
    news << Words::tr("Next tokens: %1.").arg(next.join(between));
    //: Spoken at each turn's start.
    news << Words::tr("%n tokens left.", nullptr, RowLength - front);
    return news.join(QLatin1Char(' '));
}

}  // namespace dovrel::reading
