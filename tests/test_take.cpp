// A take from input to hand-over, played on a board without a window.
#include <QTest>

#include "fake_board.h"

using namespace dovrel;
using namespace dovrel::testing;

class TakeTest : public QObject {
    Q_OBJECT
private slots:
    // Take input
    void takeBoxKeepsOnlyAValidTake_data();
    void takeBoxKeepsOnlyAValidTake();
    void optionButtonsWriteIntoTheBox();
    void focusSelectsTheDigit();

    // Token scoring
    void positiveBands_data();
    void positiveBands();
    void negativeBands_data();
    void negativeBands();
    void neutralTokenDrawsNoNumber();
    void eachTokenPausesWithoutEventsVanishesAndDings();

    // The ultimate penalty
    void penaltyDropsTheTakeAndKeepsTheRow();
    void penaltyMessages_data();
    void penaltyMessages();
    void continueStartsTheNextGameWithThePenalisedPlayer();

    // Turn resolution
    void takeLocksTheWindowScoresAndHandsOver();
    void shorteningAtTheEndOfTheRow_data();
    void shorteningAtTheEndOfTheRow();
    void negativeScoreShowsAMinusSign();
    void pausesFollowTheSpeedOfTheMoment();

    // Hand-over
    void movesAlternateAndTheFrameSlides();
    void okDuringTheSlideWaitsForTheFrame();

    // Speed and sound
    void speedMenuSelectsTheOptionWhichFocusesALiveTakeBox();
    void soundToggleLoadsAndPlaysCues();
};

namespace {

// A board ready for a human's take: dealt, player 1 to move, OK waiting.
void ready(Table& t, Kind kind = Kind::Neutral)
{
    t.fillRow(kind);
    t.m.StepDelay = 1.0f;
    t.game.CurrentPlayer = 1;
    t.game.NextToken = 0;
}

// Takes n tokens from the front as the player does: type, then OK.
void take(Table& t, int n)
{
    t.board.type(QString::number(n));
    QVERIFY(t.board.isEnabled(Ctl::cmdOK));
    t.game.OkPressed();
}

Color backOf(const Table& t, int i)
{
    return t.board.back.value(FakeBoard::key(Ctl::lblPoints, i), ButtonFace);
}

Color foreOf(const Table& t, int i)
{
    return t.board.fore.value(FakeBoard::key(Ctl::lblPoints, i), 0);
}

}  // namespace

void TakeTest::takeBoxKeepsOnlyAValidTake_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<bool>("computersTurn");
    for (const char* bad : {"3", "8", "0", "a", " ", "-", "+", "."})
        QTest::newRow(qPrintable(QStringLiteral("'%1'").arg(QLatin1String(bad))))
            << QString::fromLatin1(bad) << false << false;
    for (const char* good : {"2", "4", "6"})
        QTest::newRow(good) << QString::fromLatin1(good) << true << false;
    // The computer's take is kept, but OK is never enabled for it.
    QTest::newRow("4, the computer's") << QStringLiteral("4") << true << true;
}

void TakeTest::takeBoxKeepsOnlyAValidTake()
{
    QFETCH(QString, typed);
    QFETCH(bool, valid);
    QFETCH(bool, computersTurn);
    Table t;
    ready(t);
    if (computersTurn) {
        t.m.VsComputer = True;
        t.game.CurrentPlayer = 2;
    }
    t.board.setFocus(Ctl::txtPick);
    t.board.type(typed);
    QCOMPARE(t.board.caption(Ctl::txtPick), valid ? typed : QString());
    QCOMPARE(t.board.isEnabled(Ctl::cmdOK), valid && !computersTurn);
    QCOMPARE(t.board.focus, valid && !computersTurn ? Ctl::cmdOK : Ctl::txtPick);
}

void TakeTest::optionButtonsWriteIntoTheBox()
{
    Table t;
    ready(t);
    t.board.setValue(Ctl::optPick, true, 4);
    QCOMPARE(t.board.caption(Ctl::txtPick), QStringLiteral("4"));
    QVERIFY(t.board.isEnabled(Ctl::cmdOK));
    QCOMPARE(t.board.focus, Ctl::cmdOK);
    // A typed digit decides, even if another option stays selected.
    t.board.type(QStringLiteral("6"));
    QVERIFY(t.board.value(Ctl::optPick, 4));
    QCOMPARE(t.board.caption(Ctl::txtPick), QStringLiteral("6"));
    t.board.setFocus(Ctl::txtPick);
    t.board.setValue(Ctl::optPick, true, 6);  // writes "6" again: no change, no handler
    QCOMPARE(t.board.focus, Ctl::txtPick);
}

void TakeTest::focusSelectsTheDigit()
{
    Table t;
    ready(t);
    t.board.type(QStringLiteral("4"));
    t.board.setFocus(Ctl::txtPick);
    QCOMPARE(t.board.selection, qMakePair(0, 1));
}

void TakeTest::positiveBands_data()
{
    QTest::addColumn<int>("r");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("points");
    QTest::newRow("1") << 1 << "+ 20 Points" << 20;
    QTest::newRow("6") << 6 << "+ 20 Points" << 20;
    QTest::newRow("7") << 7 << "+ 25 Points" << 25;
    QTest::newRow("12") << 12 << "+ 25 Points" << 25;
    QTest::newRow("13") << 13 << "+ 35 Points" << 35;
    QTest::newRow("18") << 18 << "+ 35 Points" << 35;
    QTest::newRow("19") << 19 << "+ 50 Points" << 50;
    QTest::newRow("20") << 20 << "+ 50 Points" << 50;
}

void TakeTest::positiveBands()
{
    QFETCH(int, r);
    QFETCH(QString, caption);
    QFETCH(int, points);
    Table t;
    ready(t, Kind::Positive);
    t.board.setBackColor(Ctl::lblPoints, 2, 0xFFFFC0);
    t.board.setForeColor(Ctl::lblPoints, 2, 0x0000C0);
    t.rng.draw(r, 20);
    int16_t sum = 7;
    QVERIFY(!t.game.TurnOverToken(2, 0, sum));
    QCOMPARE(t.board.caption(Ctl::lblPoints, 2), caption);
    QCOMPARE(int(sum), 7 + points);
    QCOMPARE(backOf(t, 2), Color(0xC0FFC0));
    QCOMPARE(foreOf(t, 2), Color(0x0000C0));
}

void TakeTest::negativeBands_data()
{
    QTest::addColumn<int>("r");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("points");
    QTest::newRow("1") << 1 << "- 5 Points" << -5;
    QTest::newRow("6") << 6 << "- 5 Points" << -5;
    QTest::newRow("7") << 7 << "- 20 Points" << -20;
    QTest::newRow("20") << 20 << "- 20 Points" << -20;
    QTest::newRow("21") << 21 << "- 25 Points" << -25;
    QTest::newRow("32") << 32 << "- 25 Points" << -25;
    QTest::newRow("34") << 34 << "- 40 Points" << -40;
    QTest::newRow("40") << 40 << "- 40 Points" << -40;
}

void TakeTest::negativeBands()
{
    QFETCH(int, r);
    QFETCH(QString, caption);
    QFETCH(int, points);
    Table t;
    ready(t, Kind::Negative);
    t.rng.draw(r, 40);
    int16_t sum = 0;
    QVERIFY(!t.game.TurnOverToken(1, 5, sum));
    QCOMPARE(t.board.caption(Ctl::lblPoints, 1), caption);
    QCOMPARE(int(sum), points);
    QCOMPARE(backOf(t, 1), Color(0xC00000));
    QCOMPARE(foreOf(t, 1), Color(0xFFFF00));
    QVERIFY(!t.board.isVisible(Ctl::shpImmed));
}

void TakeTest::neutralTokenDrawsNoNumber()
{
    Table t;
    ready(t);
    t.board.tokens[1] = Kind::Positive;
    t.rng.draw(19, 20);  // the only number scripted belongs to the positive token
    QString firstCaption;
    t.board.onEvents = [&] {
        if (t.game.sliding() && firstCaption.isEmpty())
            firstCaption = t.board.caption(Ctl::lblPoints, 1);
    };
    take(t, 2);
    QCOMPARE(t.rng.taken, 1);
    QCOMPARE(firstCaption, QStringLiteral("10 Points"));
    QCOMPARE(t.game.Score[1], int16_t(60));
}

void TakeTest::eachTokenPausesWithoutEventsVanishesAndDings()
{
    Table t;
    ready(t);
    t.m.SoundOn = True;
    t.m.StepDelay = 0.75f;
    take(t, 4);
    QCOMPARE(t.cues.played, (QStringList{"/game/ding1.wav", "/game/ding2.wav", "/game/ding3.wav", "/game/ding4.wav"}));
    for (int k = 0; k < 4; ++k)
        QCOMPARE(t.board.tokens[k], Kind::None);
    QCOMPARE(t.board.tokens[4], Kind::Neutral);
    // Four silent pauses, one per token, then the two of the score, all of the speed.
    QCOMPARE(t.board.pauses.size(), 6);
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(t.board.pauses[i].first, 0.75);
        QCOMPARE(t.board.pauses[i].second, i >= 4);
    }
}

void TakeTest::penaltyDropsTheTakeAndKeepsTheRow()
{
    Table t;
    ready(t);
    t.m.SoundOn = True;
    t.board.tokens[0] = Kind::Positive;
    t.board.tokens[2] = Kind::Negative;
    t.game.Score[1] = 30;
    t.board.setCaption(Ctl::lblScore, QStringLiteral("30"), 1);
    t.rng.draw(20, 20).draw(33, 40);  // +50, +10, then the penalty
    take(t, 6);

    QCOMPARE(t.game.Score[1], int16_t(30));
    QCOMPARE(t.board.caption(Ctl::lblScore, 1), QStringLiteral("30"));
    QCOMPARE(t.game.NextToken, int16_t(0));
    QCOMPARE(t.board.tokens[2], Kind::None);      // the penalty token is gone
    QCOMPARE(t.board.tokens[3], Kind::Neutral);   // the rest of the take stays
    QCOMPARE(t.board.caption(Ctl::lblPoints, 3), QString());
    QCOMPARE(backOf(t, 3), Color(0xC00000));
    QCOMPARE(foreOf(t, 3), Color(0xFFFF00));
    for (int i = 4; i <= 6; ++i) {
        QCOMPARE(t.board.caption(Ctl::lblPoints, i), QString());
        QCOMPARE(backOf(t, i), Color(0xFFFFC0));
    }
    QCOMPARE(t.cues.played.mid(2), (QStringList{"/game/ding3.wav", "/game/loss.wav"}));
    for (Ctl c : {Ctl::shpImmed, Ctl::lblImmed, Ctl::cmdImmed})
        QVERIFY(t.board.isVisible(c));
    for (Ctl c : {Ctl::cmdOK, Ctl::cmdQuit, Ctl::fraPlayer, Ctl::fraSpeed, Ctl::mnuGame, Ctl::mnuHelp, Ctl::mnuOptions})
        QVERIFY(!t.board.isEnabled(c));
    QCOMPARE(t.game.GameWinner, int16_t(2));
    QCOMPARE(t.game.Wins[2], int16_t(1));
    QCOMPARE(t.game.CurrentPlayer, int16_t(2));
    QCOMPARE(t.m.WinnerName, QStringLiteral("Player 2"));
    QVERIFY(t.board.frameLefts.isEmpty());  // no hand-over
}

void TakeTest::penaltyMessages_data()
{
    QTest::addColumn<int>("winsBefore");
    QTest::addColumn<QString>("message");
    QTest::newRow("match goes on") << 0
        << "ULTIMATE PENALTY\r\nImmediate Loss of Game.\r\nPlayer 2 wins the game. Player 1 will start the next game.";
    QTest::newRow("match decided") << 2
        << "ULTIMATE PENALTY\r\nImmediate Loss of Game.\r\n\r\nPlayer 2 wins the game. ";
}

void TakeTest::penaltyMessages()
{
    QFETCH(int, winsBefore);
    QFETCH(QString, message);
    Table t;
    t.game.Form_Load();
    ready(t, Kind::Negative);
    t.game.Wins[2] = static_cast<int16_t>(winsBefore);
    t.rng.draw(33, 40);
    take(t, 2);
    QCOMPARE(t.board.caption(Ctl::lblImmed), message);
}

void TakeTest::continueStartsTheNextGameWithThePenalisedPlayer()
{
    Table t;
    t.game.Form_Load();
    ready(t);
    t.game.CurrentPlayer = 2;
    t.board.tokens[0] = Kind::Negative;
    t.rng.draw(33, 40);
    take(t, 2);
    QCOMPARE(t.game.CurrentPlayer, int16_t(1));  // the winner, for now

    t.rng.neutralDeal();
    t.game.cmdImmed_Click();
    for (Ctl c : {Ctl::shpImmed, Ctl::lblImmed, Ctl::cmdImmed})
        QVERIFY(!t.board.isVisible(c));
    QCOMPARE(t.board.caption(Ctl::lblWins, 1), QStringLiteral("1 Win"));
    QCOMPARE(t.game.NextToken, int16_t(0));
    QCOMPARE(t.board.tokens[0], Kind::Neutral);  // a new row
    QCOMPARE(t.game.CurrentPlayer, int16_t(2));  // the penalised player starts
    QCOMPARE(t.board.frameLefts.last(), RightSide);
    QVERIFY(t.board.isEnabled(Ctl::cmdQuit));
    QVERIFY(t.board.isEnabled(Ctl::fraPlayer));
    QCOMPARE(t.board.focus, Ctl::txtPick);
}

void TakeTest::takeLocksTheWindowScoresAndHandsOver()
{
    Table t;
    ready(t);
    QMap<int, bool> enabledDuringReveal;
    t.board.onEvents = [&] {
        if (t.board.events == 1) {
            for (Ctl c : {Ctl::cmdOK, Ctl::cmdQuit, Ctl::fraPlayer, Ctl::fraSpeed, Ctl::mnuGame, Ctl::mnuHelp,
                          Ctl::mnuOptions})
                enabledDuringReveal[int(c)] = t.board.isEnabled(c);
        }
    };
    t.board.setValue(Ctl::optPick, true, 6);
    t.game.OkPressed();
    for (bool on : enabledDuringReveal)
        QVERIFY(!on);
    QCOMPARE(enabledDuringReveal.size(), 7);
    QVERIFY(!t.board.isVisible(Ctl::imgStart));
    QCOMPARE(t.game.NextToken, int16_t(6));
    QCOMPARE(t.game.Score[1], int16_t(60));
    QCOMPARE(t.board.caption(Ctl::lblScore, 1), QStringLiteral("60"));
    QCOMPARE(t.game.CurrentPlayer, int16_t(2));
    for (Ctl c : {Ctl::fraPlayer, Ctl::fraSpeed, Ctl::mnuGame, Ctl::mnuHelp, Ctl::mnuOptions, Ctl::cmdQuit})
        QVERIFY(t.board.isEnabled(c));
    QVERIFY(!t.board.isEnabled(Ctl::cmdOK));
    // The take controls and the strip wait empty for the next player.
    for (int i : {2, 4, 6})
        QVERIFY(!t.board.value(Ctl::optPick, i));
    QCOMPARE(t.board.caption(Ctl::txtPick), QString());
    QVERIFY(t.board.isEnabled(Ctl::txtPick));
    QCOMPARE(t.board.focus, Ctl::txtPick);
    for (int i = 1; i <= 6; ++i) {
        QCOMPARE(t.board.caption(Ctl::lblPoints, i), QString());
        QCOMPARE(backOf(t, i), ButtonFace);
    }
}

void TakeTest::shorteningAtTheEndOfTheRow_data()
{
    QTest::addColumn<int>("next");
    QTest::addColumn<int>("turned");
    QTest::newRow("68: exactly the rest") << 68 << 6;
    QTest::newRow("70: cut to 4") << 70 << 4;
    QTest::newRow("72: cut to 2") << 72 << 2;
}

void TakeTest::shorteningAtTheEndOfTheRow()
{
    QFETCH(int, next);
    QFETCH(int, turned);
    Table t;
    ready(t);
    t.board.tokens[73] = Kind::Neutral;
    for (int k = 0; k < next; ++k)
        t.board.clearToken(k);
    t.game.NextToken = static_cast<int16_t>(next);
    // What the labels and controls show in the last pause before the game ends.
    QStringList captions;
    QList<Color> backs;
    bool frameLive = true;
    t.board.onEvents = [&] {
        if (t.game.NextToken != 74 || !t.board.messages.isEmpty())
            return;
        captions.clear();
        backs.clear();
        for (int i = 1; i <= 6; ++i) {
            captions << t.board.caption(Ctl::lblPoints, i);
            backs << backOf(t, i);
        }
        frameLive = t.board.isEnabled(Ctl::fraPlayer);
    };
    t.rng.neutralDeal();  // the next game's deal
    take(t, 6);

    QCOMPARE(int(t.game.NextToken), 0);  // the next game began
    QCOMPARE(t.board.messages.size(), 1);
    QVERIFY(t.board.messages[0].first.startsWith(QStringLiteral("Player 1: %1 points this round. ").arg(10 * turned)));
    QVERIFY(!frameLive);
    QCOMPARE(t.board.pauses.size(), turned + 2);
    for (int i = 1; i <= 6; ++i) {
        // All six were marked; those past the shortened take stay marked and empty.
        QCOMPARE(backs[i - 1], Color(0xFFFFC0));
        QCOMPARE(captions[i - 1], i <= turned ? QStringLiteral("10 Points") : QString());
    }
}

void TakeTest::negativeScoreShowsAMinusSign()
{
    Table t;
    ready(t, Kind::Negative);
    t.rng.draw(1, 40).draw(7, 40).draw(34, 40).draw(21, 40);
    take(t, 2);
    QCOMPARE(t.board.caption(Ctl::lblScore, 1), QStringLiteral("-25"));
    take(t, 2);
    QCOMPARE(t.board.caption(Ctl::lblScore, 2), QStringLiteral("-65"));
}

void TakeTest::pausesFollowTheSpeedOfTheMoment()
{
    Table t;
    ready(t);
    // The speed changes between the two tokens, and again while the first
    // score pause runs: that pause already ends at the new speed.
    t.board.onEvents = [&] {
        if (t.board.pauses.size() == 1)
            t.m.StepDelay = 0.75f;
        else if (t.board.pauses.size() == 3)
            t.m.StepDelay = 0.5f;
    };
    take(t, 2);
    QCOMPARE(t.board.pauses.size(), 4);
    QCOMPARE(t.board.pauses[0].first, 1.0);
    QCOMPARE(t.board.pauses[1].first, 0.75);
    QCOMPARE(t.board.pauses[2].first, 0.5);
    QCOMPARE(t.board.pauses.last().first, 0.5);
}

void TakeTest::movesAlternateAndTheFrameSlides()
{
    Table t;
    ready(t);
    QList<int> movers;
    for (int turn = 0; turn < 4; ++turn) {
        movers << t.game.CurrentPlayer;
        t.board.frameLefts.clear();
        take(t, 2);
        // The frame slides in 194 steps of 30 twips and ends on the mover's side.
        QCOMPARE(t.board.frameLefts.size(), 194);
        const bool toRight = t.game.CurrentPlayer == 2;
        QCOMPARE(t.board.frameLefts.first(), toRight ? LeftSide : RightSide);
        QCOMPARE(t.board.frameLefts.last(), toRight ? RightSide : LeftSide);
        QCOMPARE(t.board.caption(Ctl::fraPlayer), t.m.PlayerName[t.game.CurrentPlayer]);
    }
    QCOMPARE(movers, (QList<int>{1, 2, 1, 2}));
}

void TakeTest::okDuringTheSlideWaitsForTheFrame()
{
    Table t;
    ready(t);
    int pressedAt = -1;
    t.board.onEvents = [&] {
        // Halfway through the slide, player 2 types 4 and presses OK.
        if (t.game.sliding() && t.board.frameLefts.size() == 97 && pressedAt < 0) {
            pressedAt = t.board.frameLefts.size();
            t.board.type(QStringLiteral("4"));
            t.game.OkPressed();
            QCOMPARE(t.game.NextToken, int16_t(2));  // nothing taken yet
        }
    };
    take(t, 2);
    QVERIFY(pressedAt > 0);
    // Player 2's take ran once the frame had arrived; player 1 is to move.
    QCOMPARE(t.game.NextToken, int16_t(6));
    QCOMPARE(t.game.Score[2], int16_t(40));
    QCOMPARE(t.game.CurrentPlayer, int16_t(1));
    QCOMPARE(t.board.frameLefts.last(), LeftSide);
    // The first slide ran to its end before the second began.
    QCOMPARE(t.board.frameLefts.size(), 2 * 194);
    QCOMPARE(t.board.frameLefts[193], RightSide);
}

void TakeTest::speedMenuSelectsTheOptionWhichFocusesALiveTakeBox()
{
    Table t;
    ready(t);
    t.board.setFocus(Ctl::optFaster);
    t.game.mnuFasterSpeed_Click();
    QVERIFY(t.board.value(Ctl::optFaster));
    QCOMPARE(t.m.StepDelay, 0.75f);
    QCOMPARE(t.board.focus, Ctl::txtPick);
    t.game.mnuFastestSpeed_Click();
    QVERIFY(t.board.value(Ctl::optFastest));
    QVERIFY(!t.board.value(Ctl::optFaster));
    QCOMPARE(t.m.StepDelay, 0.5f);

    t.board.setFocus(Ctl::optNormal);
    t.board.setEnabled(Ctl::txtPick, false);  // the computer is moving
    t.game.mnuNormalSpeed_Click();
    QCOMPARE(t.board.focus, Ctl::optNormal);
    QCOMPARE(t.m.StepDelay, 1.0f);
}

void TakeTest::soundToggleLoadsAndPlaysCues()
{
    Table t;
    t.game.Form_Load();
    QVERIFY(t.cues.prepared.isEmpty());  // sound off: the audio stack is left asleep
    t.game.PlaySoundCue(QStringLiteral("ding1.wav"));
    QVERIFY(t.cues.played.isEmpty());  // nothing is even tried
    t.game.mnuSound_Click();
    QCOMPARE(t.m.SoundOn, True);
    QCOMPARE(t.board.caption(Ctl::mnuSound), QStringLiteral("Turn &Sound Off"));
    // Every cue the game plays is loaded before it is due, and loading plays none.
    for (int i = 1; i <= 6; ++i)
        QVERIFY(t.cues.prepared.contains(QStringLiteral("/game/ding%1.wav").arg(i)));
    QVERIFY(t.cues.prepared.contains(QStringLiteral("/game/loss.wav")));
    QVERIFY(t.cues.prepared.contains(QStringLiteral("/game/win.wav")));
    const QStringList all = t.cues.prepared;
    QVERIFY(t.cues.played.isEmpty());
    t.game.PlaySoundCue(QStringLiteral("win.wav"));
    QCOMPARE(t.cues.played, QStringList{QStringLiteral("/game/win.wav")});

    t.cues.prepared.clear();
    t.game.mnuSound_Click();
    QCOMPARE(t.m.SoundOn, False);
    QCOMPARE(t.board.caption(Ctl::mnuSound), QStringLiteral("Turn &Sound On"));
    t.game.Form_Load();
    QVERIFY(t.cues.prepared.isEmpty());
    t.game.mnuSound_Click();
    t.cues.prepared.clear();
    // The next match's window, with the sound still on, loads them as it opens.
    t.game.Form_Load();
    QCOMPARE(t.cues.prepared, all);
    QCOMPARE(t.cues.played.size(), 1);  // and plays none
}

QTEST_GUILESS_MAIN(TakeTest)
#include "test_take.moc"
