#include "game/game.h"

#include <cmath>

namespace dovrel {

Game::Game(BoardView& view, Module1& m, Random& rng, CuePlayer& cues)
    : view_(view), m_(m), rng_(rng), cues_(cues)
{
}

void Game::Form_Load()
{
    Wins[1] = 0;
    Wins[2] = 0;
    rng_.seed(clockSeed());
    CurrentPlayer = 1;
    view_.setCaption(Ctl::lblPlayer, m_.PlayerName[1], 1);
    view_.setCaption(Ctl::lblPlayer, m_.PlayerName[2], 2);
    view_.setCaption(Ctl::mnuSound, m_.SoundOn ? soundOffCaption() : soundOnCaption());
    if (m_.SoundOn)
        prepareCues();
    view_.showWindow();
    if (m_.StepDelay == 0.75f)
        view_.setValue(Ctl::optFaster, true);
    else if (m_.StepDelay == 0.5f)
        view_.setValue(Ctl::optFastest, true);
    else
        view_.setValue(Ctl::optNormal, true);
    //: The penalty display's first line, in capitals; the display is 276 pixels wide.
    PenaltyText = tr("ULTIMATE PENALTY") + CrLf
                  //: The penalty display's second line.
                  + tr("Immediate Loss of Game.") + CrLf;
    // Whatever way led back here, closing a match in progress asks first: the
    // reason that let the previous window go quietly is spent.
    m_.CloseReason.clear();
}

bool Game::BackFromAbout()
{
    if (m_.AboutFlag != QLatin1String("ABOUT"))
        return false;
    m_.AboutFlag.clear();
    return true;
}

void Game::Form_Activate()
{
    if (BackFromAbout())
        return;
    BeginGame();
}

void Game::BeginGame()
{
    ++milestones_;
    view_.setVisible(Ctl::imgStart, true);
    for (int p = 1; p <= 2; ++p) {
        Score[p] = 0;
        view_.setCaption(Ctl::lblScore, QStringLiteral("0"), p);
    }
    for (Ctl c : {Ctl::fraPlayer, Ctl::fraSpeed, Ctl::mnuGame, Ctl::mnuHelp, Ctl::mnuOptions})
        view_.setEnabled(c, true);
    view_.setCaption(Ctl::fraPlayer, m_.PlayerName[CurrentPlayer]);
    DealBoard();
}

void Game::Activated()
{
    // A match ends with the controls locked as its last take left them. A game
    // begun by coming back to the board after that starts as every later game
    // does: the loser of the last game moves first. Otherwise the frame could
    // name a player it does not stand by, and a computer would never move.
    const bool resume = matchOver_ && m_.AboutFlag != QLatin1String("ABOUT");
    if (resume) {
        matchOver_ = false;
        CurrentPlayer = GameWinner;
    }
    const int before = milestones_;
    Form_Activate();
    if (resume)
        NextTurn();
    else if (milestones_ != before)
        view_.turnBegins();  // the first turn of a game, which no hand-over begins
}

bool Game::Form_Unload()
{
    if (!m_.CloseReason.isEmpty())
        return false;
    //: Asked when the main window is closed. The doubled apostrophes are the
    //: game's own way of quoting its name.
    const Answer a = view_.msgBox(tr("Quit this game of ''Dovrel'' ?"), MsgStyle::YesNoQuestionNoDefault,
                                  //: Title of the message box that asks before the game closes.
                                  tr("Exit Check..."));
    if (a == Answer::Yes)
        return false;
    // The take box cannot take the focus during a reveal or a computer move.
    if (view_.canFocus(Ctl::txtPick))
        view_.setFocus(Ctl::txtPick);
    return true;
}

void Game::stepPause(bool processEvents)
{
    view_.pause([this] { return static_cast<double>(m_.StepDelay); }, processEvents);
}

int16_t Game::drawUpTo(int n)
{
    const float u = rng_.next();
    const float r = u * static_cast<float>(n) + 1.0f;
    return static_cast<int16_t>(r);  // Int() of a positive number cuts the fraction
}

double leadingNumber(const QString& text)
{
    int i = 0;
    const int n = static_cast<int>(text.size());
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    const int start = i;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128)
        ++i;
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && text[i].isDigit() && text[i].unicode() < 128)
            ++i;
    }
    bool ok = false;
    const double v = text.mid(start, i - start).toDouble(&ok);
    return ok ? v : 0.0;
}

int pluralCount(const QString& score)
{
    return static_cast<int>(std::abs(leadingNumber(score)));
}

}  // namespace dovrel
