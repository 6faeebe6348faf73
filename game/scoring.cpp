#include "game/game.h"

namespace dovrel {

namespace {

constexpr Color PositiveBack = 0xC0FFC0;
constexpr Color NegativeBack = 0xC00000;
constexpr Color NegativeText = 0xFFFF00;

struct Band {
    int16_t upTo;  // last draw in the band, inclusive
    int16_t points;
};

// Draws 1 to 20, tested in order.
constexpr Band PositiveBands[] = {{6, 20}, {12, 25}, {18, 35}, {20, 50}};
// Draws 1 to 40; 33 falls in no band and is the ultimate penalty.
constexpr struct {
    int16_t from, to, points;
} NegativeBands[] = {{1, 6, -5}, {7, 20, -20}, {21, 32, -25}, {34, 40, -40}};

QString pointsCaption(int16_t points)
{
    //: What a penalty token cost, in a point box 90 pixels wide, in bold.
    //: %n is 5, 20, 25 or 40.
    return points < 0 ? Game::tr("- %n Points", nullptr, -points)
                      //: What a bonus token scored, in a point box 90 pixels wide,
                      //: in bold. %n is 20, 25, 35 or 50.
                      : Game::tr("+ %n Points", nullptr, points);
}

}  // namespace

bool Game::TurnOverToken(int i, int k, int16_t& TakePoints)
{
    bool penalty = false;
    switch (view_.tokenKind(k)) {
    case Kind::Neutral:
        view_.setCaption(Ctl::lblPoints, Game::neutralCaption(), i);
        TakePoints = static_cast<int16_t>(TakePoints + 10);
        break;
    case Kind::Positive: {
        view_.setBackColor(Ctl::lblPoints, i, PositiveBack);
        const int16_t r = drawUpTo(20);
        int16_t points = 50;  // every draw above 18
        for (const Band& b : PositiveBands) {
            if (r <= b.upTo) {
                points = b.points;
                break;
            }
        }
        view_.setCaption(Ctl::lblPoints, pointsCaption(points), i);
        TakePoints = static_cast<int16_t>(TakePoints + points);
        break;
    }
    case Kind::Negative: {
        view_.setBackColor(Ctl::lblPoints, i, NegativeBack);
        view_.setForeColor(Ctl::lblPoints, i, NegativeText);
        const int16_t r = drawUpTo(40);
        penalty = true;
        for (const auto& b : NegativeBands) {
            if (r >= b.from && r <= b.to) {
                view_.setCaption(Ctl::lblPoints, pointsCaption(b.points), i);
                TakePoints = static_cast<int16_t>(TakePoints + b.points);
                penalty = false;
                break;
            }
        }
        break;
    }
    case Kind::None:
        break;
    }

    stepPause(false);
    view_.clearToken(k);
    PlaySoundCue(QStringLiteral("ding%1.wav").arg(i));
    if (!penalty)
        return false;

    // The ultimate penalty: the game goes to the other player at once.
    ++milestones_;
    view_.setVisible(Ctl::shpImmed, true);
    const int16_t w = CurrentPlayer == 1 ? 2 : 1;
    const int16_t loser = CurrentPlayer;
    GameWinner = w;
    Wins[w] = static_cast<int16_t>(Wins[w] + 1);
    m_.WinnerName = m_.PlayerName[w];
    //: On the penalty display, after its two lines: %1 takes the game.
    const QString WinLine = tr("%1 wins the game. ").arg(m_.WinnerName);
    //: On the penalty display, after the winner's line: %1 begins the next game.
    const QString StartLine = tr("%1 will start the next game.").arg(m_.PlayerName[loser]);
    CurrentPlayer = w;
    if (Wins[1] >= 3 || Wins[2] >= 3)
        view_.setCaption(Ctl::lblImmed, PenaltyText + CrLf + WinLine);
    else
        view_.setCaption(Ctl::lblImmed, PenaltyText + WinLine + StartLine);
    view_.setVisible(Ctl::lblImmed, true);
    PlaySoundCue(QStringLiteral("loss.wav"));
    view_.setVisible(Ctl::cmdImmed, true);
    lastGameDrawn_ = false;
    return true;
}

void Game::cmdImmed_Click()
{
    view_.setVisible(Ctl::shpImmed, false);
    view_.setVisible(Ctl::lblImmed, false);
    view_.setVisible(Ctl::cmdImmed, false);
    RecordWin();
}

}  // namespace dovrel
