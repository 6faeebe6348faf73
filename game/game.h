#pragma once
// The main window's game: its state and the procedures that play on it.
// Every procedure follows the written algorithm of the same name step by step;
// the window is reached only through BoardView.
#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <cstdint>

#include "app/module1.h"
#include "game/indexed.h"
#include "game/random.h"
#include "game/view.h"

namespace dovrel {

inline constexpr int RowLength = 74;
inline constexpr int LeftSide = 395;    // player frame's Left on player 1's side
inline constexpr int RightSide = 6185;  // and on player 2's side
inline constexpr int SlideStep = 30;

// Plays a cue file asynchronously; silent when it cannot.
class CuePlayer {
public:
    virtual ~CuePlayer() = default;
    // Reads cue files ahead of need, so that the first cue is as prompt as the rest.
    virtual void prepare(const QStringList& paths) = 0;
    virtual void play(const QString& path) = 0;
};

// Basic's Val: the number at the start of the text, 0 when there is none.
double leadingNumber(const QString& text);

// What picks the plural form of the words after a score: its size. Qt's
// translations take no negative count.
int pluralCount(const QString& score);

class Game {
    Q_DECLARE_TR_FUNCTIONS(Game)

public:
    Game(BoardView& view, Module1& m, Random& rng, CuePlayer& cues);

    // Main window state.
    int16_t CurrentPlayer = 0;
    int16_t GameWinner = 0;
    int16_t NextToken = 0;
    Indexed<int16_t, 1, 2> Score;
    Indexed<int16_t, 1, 2> Wins;
    QString PenaltyText;

    // The texts that the game both shows and reads back.
    static QString soundOnCaption();
    static QString soundOffCaption();
    // What a neutral token scores, in the point strip and in the key.
    static QString neutralCaption();
    static QString winsText(int wins);

    // Life cycle.
    void Form_Load();
    void Form_Activate();
    // The new game that Form_Activate begins, unless it is a return from the About box.
    void BeginGame();
    bool Form_Unload();  // true cancels the close
    // The window has become the active one among the program's own windows.
    void Activated();
    // Spends the About flag when it is set: the window is coming back from the
    // About box, and the game goes on untouched.
    bool BackFromAbout();
    // Counts every game begun and every game decided on this board, to tell
    // whether play has moved on since a given moment.
    int milestones() const { return milestones_; }

    void DealBoard();

    // Take input.
    void optPick_Click(int Index);
    void txtPick_Change();
    void txtPick_GotFocus();

    // The OK button as the user presses it. A press while the frame still slides
    // waits for the hand-over to finish instead of starting a second one.
    void OkPressed();
    void cmdOK_Click();
    bool TurnOverToken(int i, int k, int16_t& TakePoints);  // true: the ultimate penalty
    void cmdImmed_Click();
    void NextTurn();
    void EndGame();
    void RecordWin();
    void ComputerTurn();

    // Speed and sound.
    void optNormal_Click();
    void optFaster_Click();
    void optFastest_Click();
    void mnuNormalSpeed_Click();
    void mnuFasterSpeed_Click();
    void mnuFastestSpeed_Click();
    void mnuSound_Click();
    void PlaySoundCue(const QString& name);

    bool sliding() const { return sliding_; }

private:
    void setSpeed(float delay);
    void prepareCues();
    void announceMatchWinner();  // the win cue, then the winner dialog
    void stepPause(bool processEvents);
    int16_t drawUpTo(int n);  // Int(n * u + 1), in single precision

    BoardView& view_;
    Module1& m_;
    Random& rng_;
    CuePlayer& cues_;
    bool sliding_ = false;
    bool okWaiting_ = false;
    bool lastGameDrawn_ = false;
    bool matchOver_ = false;  // the winner dialog was opened for this board
    int milestones_ = 0;
};

}  // namespace dovrel
