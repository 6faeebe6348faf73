#pragma once
// How the main window's board reads to a screen reader. The window calls these
// where its controls change, so each change a sighted player sees is told as
// it happens, and the take box always sums up the turn.
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

}  // namespace reading
}  // namespace dovrel
