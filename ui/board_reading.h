#pragma once
// How the main window's board reads to a screen reader. The window calls these
// where its controls change, so each change a sighted player sees is told as
// it happens: the names of the tokens and the scoreboard for review, and the
// news of the game (a turn, a take, each token's points) spoken at once.
#include "game/view.h"

namespace dovrel {

class frmDovrel;

namespace reading {

// Names what a screen reader cannot read off the widgets by itself.
void nameBoard(frmDovrel& w);

// A token was dealt a picture, or taken.
void tokenChanged(frmDovrel& w, int k);

// A caption has been stored. Call it before a label shows the new text, so that
// the label's own change event already carries the name that goes with it.
void captionChanged(frmDovrel& w, Ctl c, int index);

// The news at the start of a turn: who moves, the scores and wins, the front
// of the row; first that a new game, or a new match, has begun.
QString turnNews(const frmDovrel& w, bool newMatch);

}  // namespace reading
}  // namespace dovrel
