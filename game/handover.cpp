#include "game/game.h"

#include <algorithm>

namespace dovrel {

namespace {

// Sets a flag for the length of a scope, and puts back what it was.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = old_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
    bool old_;
};

}  // namespace

QString Game::winsText(int wins)
{
    //: A player's games won in this match, under the score: 60 pixels wide.
    return tr("%n Wins", nullptr, wins);
}

void Game::NextTurn()
{
    view_.setCaption(Ctl::txtPick, QString());
    CurrentPlayer = static_cast<int16_t>(CurrentPlayer + 1);
    {
        const FlagScope slide(sliding_);
        if (CurrentPlayer > 2) {
            CurrentPlayer = 1;
            view_.setCaption(Ctl::fraPlayer, m_.PlayerName[1]);
            for (int x = RightSide; x >= LeftSide; x -= SlideStep) {
                view_.doEvents();
                view_.setLeft(Ctl::fraPlayer, x);
            }
        } else {
            CurrentPlayer = 2;
            view_.setCaption(Ctl::fraPlayer, m_.PlayerName[2]);
            for (int x = LeftSide; x <= RightSide; x += SlideStep) {
                view_.doEvents();
                view_.setLeft(Ctl::fraPlayer, x);
            }
        }
    }
    for (int index : {2, 4, 6})
        view_.setValue(Ctl::optPick, false, index);
    for (int i = 1; i <= 6; ++i) {
        view_.setCaption(Ctl::lblPoints, QString(), i);
        view_.setBackColor(Ctl::lblPoints, i, ButtonFace);
    }
    view_.turnBegins();
    if (m_.VsComputer && CurrentPlayer == 2) {
        okWaiting_ = false;
        ComputerTurn();
        return;
    }
    view_.setEnabled(Ctl::txtPick, true);
    if (view_.canFocus(Ctl::txtPick))
        view_.setFocus(Ctl::txtPick);
    view_.setEnabled(Ctl::cmdQuit, true);

    // A take confirmed during the slide runs now that the frame has arrived.
    if (okWaiting_) {
        okWaiting_ = false;
        if (view_.isEnabled(Ctl::cmdOK))
            cmdOK_Click();
    }
}

void Game::EndGame()
{
    ++milestones_;
    for (int i = 1; i <= 6; ++i) {
        view_.setCaption(Ctl::lblPoints, QString(), i);
        view_.setBackColor(Ctl::lblPoints, i, ButtonFace);
    }
    Indexed<QString, 1, 2> line;
    for (int p = 1; p <= 2; ++p) {
        const QString score = view_.caption(Ctl::lblScore, p);
        //: A line of the score message at a game's end: %1 is a player's name,
        //: %2 the player's points in the game that ended, which may be negative.
        line[p] = tr("%1: %2 points this round. ", nullptr, pluralCount(score)).arg(m_.PlayerName[p], score)
                  + CrLf + CrLf;
    }

    const double s1 = leadingNumber(view_.caption(Ctl::lblScore, 1));
    const double s2 = leadingNumber(view_.caption(Ctl::lblScore, 2));
    const int16_t w = s1 > s2 ? 1 : s2 > s1 ? 2 : 0;
    QString result;
    if (w != 0) {
        const int16_t o = w == 1 ? 2 : 1;
        GameWinner = w;
        Wins[w] = static_cast<int16_t>(Wins[w] + 1);
        m_.WinnerName = m_.PlayerName[w];
        lastGameDrawn_ = false;
        if (Wins[w] >= 3) {
            view_.setCaption(Ctl::lblWins, winsText(Wins[w]), w);
            announceMatchWinner();
            return;
        }
        CurrentPlayer = w;
        //: %1 won the game that ended; %2, who lost it, begins the next one.
        result = tr("%1 wins this game. %2 will start the next game.").arg(m_.WinnerName, m_.PlayerName[o]);
    } else {
        lastGameDrawn_ = true;
        result = tr("Tie score.") + CrLf + tr("No winner this game. Prepare to start the next game.");
    }
    //: Title of the message box at the end of each game.
    view_.msgBox(line[1] + line[2] + result, MsgStyle::OkOnly, tr("Score For This Game"));
    RecordWin();
}

void Game::RecordWin()
{
    if (!lastGameDrawn_)
        view_.setCaption(Ctl::lblWins, winsText(Wins[GameWinner]), GameWinner);
    if (lastGameDrawn_ || Wins[GameWinner] < 3) {
        view_.setCaption(Ctl::txtPick, QString());
        // Always a new game: an About flag whose return has not come round yet
        // must not leave the decided row in play, to be decided again.
        BeginGame();
        NextTurn();
        return;
    }
    announceMatchWinner();
}

void Game::announceMatchWinner()
{
    PlaySoundCue(QStringLiteral("win.wav"));
    matchOver_ = true;
    view_.showWinnerDialog();
}

void Game::ComputerTurn()
{
    for (int index : {2, 4, 6})
        view_.setEnabled(Ctl::optPick, false, index);
    view_.setEnabled(Ctl::cmdOK, false);
    view_.setEnabled(Ctl::txtPick, false);
    view_.setBold(Ctl::txtPick, true);

    Indexed<QString, 1, 6> LookAhead;
    const int windowEnd = std::min(NextToken + 5, RowLength - 1);
    int slot = 1;
    for (int k = NextToken; k <= windowEnd; ++k, ++slot) {
        const Kind kind = view_.tokenKind(k);
        if (kind == Kind::Positive)
            LookAhead[slot] = QStringLiteral("P");
        else if (kind == Kind::Negative)
            LookAhead[slot] = QStringLiteral("N");
    }

    const auto is = [&](int s, const char* v) { return LookAhead[s] == QLatin1String(v); };
    QString take;
    if (!is(3, "N") && !is(4, "N")) {
        take = is(5, "N") || is(6, "N") ? QStringLiteral("4") : QStringLiteral("6");
    } else if (is(5, "P") && is(6, "P")) {
        const bool farBehind = leadingNumber(view_.caption(Ctl::lblScore, 2)) + 100.0
                               <= leadingNumber(view_.caption(Ctl::lblScore, 1));
        take = farBehind ? QStringLiteral("6") : QStringLiteral("2");
    } else {
        take = QStringLiteral("2");
    }

    stepPause(true);
    view_.setCaption(Ctl::txtPick, take);
    view_.pause([this] { return static_cast<double>(m_.StepDelay * 2.0f); }, true);
    cmdOK_Click();

    for (int index : {2, 4, 6})
        view_.setEnabled(Ctl::optPick, true, index);
    view_.setEnabled(Ctl::txtPick, true);
    view_.setBold(Ctl::txtPick, false);
}

}  // namespace dovrel
