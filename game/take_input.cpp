#include "game/game.h"

namespace dovrel {

void Game::optPick_Click(int Index)
{
    view_.setCaption(Ctl::txtPick, QString::number(Index));
}

void Game::txtPick_Change()
{
    const double value = leadingNumber(view_.caption(Ctl::txtPick));
    if (value == 2 || value == 4 || value == 6) {
        if (m_.VsComputer && CurrentPlayer == 2)
            return;
        view_.setEnabled(Ctl::cmdOK, true);
        view_.setFocus(Ctl::cmdOK);
    } else {
        view_.setCaption(Ctl::txtPick, QString());
        view_.setEnabled(Ctl::cmdOK, false);
    }
}

void Game::txtPick_GotFocus()
{
    view_.selectText(Ctl::txtPick, 0, 1);
}

void Game::OkPressed()
{
    if (sliding_) {
        okWaiting_ = true;
        return;
    }
    cmdOK_Click();
}

}  // namespace dovrel
