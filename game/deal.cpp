#include "game/game.h"

namespace dovrel {

void Game::DealBoard()
{
    for (int i = 0; i <= 72; ++i) {
        view_.doEvents();
        const int16_t r = drawUpTo(10);
        if (r == 1 || r == 2)
            view_.showToken(i, Kind::Positive);
        else if (r >= 3 && r <= 5)
            view_.showToken(i, Kind::Negative);
        else
            view_.showToken(i, Kind::Neutral);
    }
    view_.showToken(73, Kind::Negative);
    NextToken = 0;
}

}  // namespace dovrel
