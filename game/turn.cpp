#include "game/game.h"

namespace dovrel {

namespace {
constexpr Color TakeBack = 0xFFFFC0;
constexpr Color TakeText = 0x0000C0;
}  // namespace

void Game::cmdOK_Click()
{
    if (view_.isVisible(Ctl::imgStart))
        view_.setVisible(Ctl::imgStart, false);
    for (Ctl c : {Ctl::cmdOK, Ctl::cmdQuit, Ctl::fraPlayer, Ctl::fraSpeed,
                  Ctl::mnuGame, Ctl::mnuHelp, Ctl::mnuOptions})
        view_.setEnabled(c, false);

    int16_t TakeCount = static_cast<int16_t>(leadingNumber(view_.caption(Ctl::txtPick)));
    int16_t TakePoints = 0;

    for (int p = 1; p <= TakeCount; ++p) {
        view_.setBackColor(Ctl::lblPoints, p, TakeBack);
        view_.setForeColor(Ctl::lblPoints, p, TakeText);
    }

    int16_t TakeEnd = static_cast<int16_t>(NextToken + TakeCount);
    while (TakeEnd > RowLength) {
        TakeCount = static_cast<int16_t>(TakeCount - 2);
        TakeEnd = static_cast<int16_t>(NextToken + TakeCount);
    }

    for (int i = 1; i <= TakeCount; ++i) {
        view_.doEvents();
        if (TurnOverToken(i, NextToken + i - 1, TakePoints))
            return;
    }

    NextToken = static_cast<int16_t>(NextToken + TakeCount);
    stepPause(true);
    Score[CurrentPlayer] = static_cast<int16_t>(Score[CurrentPlayer] + TakePoints);
    view_.setCaption(Ctl::lblScore, QString::number(Score[CurrentPlayer]), CurrentPlayer);
    stepPause(true);

    if (TakeEnd >= RowLength) {
        EndGame();
        return;
    }
    for (Ctl c : {Ctl::fraPlayer, Ctl::fraSpeed, Ctl::mnuGame, Ctl::mnuHelp, Ctl::mnuOptions})
        view_.setEnabled(c, true);
    NextTurn();
}

}  // namespace dovrel
