// Whole games and matches on a board without a window: the computer's choice,
// the end of a game, and a match played to its winner.
#include <QTest>

#include "fake_board.h"

using namespace dovrel;
using namespace dovrel::testing;

class MatchTest : public QObject {
    Q_OBJECT
private slots:
    void computerChoosesItsTake_data();
    void computerChoosesItsTake();
    void computerShowsItsTakeBoldAndUnlocksAfter();

    void gameEnds_data();
    void gameEnds();
    void thirdWinEndsTheMatchWithoutAMessage();
    void boardAfterTheMatchPlaysOnFromTheOtherPlayer();

    void wholeMatchAgainstTheComputer();
};

namespace {

// Queues a draw for every number a scoring token may ask for; none strikes the
// penalty and each scores the least of its kind.
void scriptMildDraws(ScriptedRandom& rng, int count)
{
    for (int i = 0; i < count; ++i)
        rng.raw(0.5f / 40.0f);
}

// Reads the row's slots from a string: P positive, N negative, . neutral.
void layRow(Table& t, int from, const QString& kinds)
{
    for (int i = 0; i < kinds.size(); ++i) {
        const QChar c = kinds[i];
        t.board.tokens[from + i] = c == QLatin1Char('P') ? Kind::Positive
                                   : c == QLatin1Char('N') ? Kind::Negative
                                                           : Kind::Neutral;
    }
}

}  // namespace

void MatchTest::computerChoosesItsTake_data()
{
    QTest::addColumn<int>("nextToken");
    QTest::addColumn<QString>("row");  // from NextToken on
    QTest::addColumn<int>("human");
    QTest::addColumn<int>("computer");
    QTest::addColumn<QString>("take");

    QTest::newRow("nothing negative in 3 to 6") << 0 << "NNPP.." << 0 << 0 << "6";
    QTest::newRow("only neutral tokens") << 10 << "......" << 0 << 0 << "6";
    QTest::newRow("negative in 5") << 0 << "..P.N." << 0 << 0 << "4";
    QTest::newRow("negative in 6") << 0 << "PP...N" << 0 << 0 << "4";
    QTest::newRow("negative in 3") << 0 << "..N..." << 0 << 0 << "2";
    QTest::newRow("negative in 4, not both positive after") << 0 << "...NP." << 500 << 0 << "2";
    QTest::newRow("negative in 4, positives after, level") << 0 << "...NPP" << 0 << 0 << "2";
    QTest::newRow("far behind by exactly 100") << 0 << "..N.PP" << 140 << 40 << "6";
    QTest::newRow("behind by 99") << 0 << "..N.PP" << 140 << 41 << "2";
    QTest::newRow("far behind on negative scores") << 0 << "..N.PP" << -10 << -110 << "6";
    QTest::newRow("4 left, clear") << 70 << "..P." << 0 << 0 << "6";
    QTest::newRow("4 left, negative in 4") << 70 << "PPPN" << 500 << 0 << "2";
    QTest::newRow("2 left") << 72 << "NN" << 0 << 0 << "6";
}

void MatchTest::computerChoosesItsTake()
{
    QFETCH(int, nextToken);
    QFETCH(QString, row);
    QFETCH(int, human);
    QFETCH(int, computer);
    QFETCH(QString, take);

    Table t;
    t.m.VsComputer = True;
    t.m.StepDelay = 1.0f;
    t.fillRow(Kind::Neutral);
    layRow(t, nextToken, row);
    t.game.NextToken = static_cast<int16_t>(nextToken);
    t.game.CurrentPlayer = 2;
    // The computer reads the scores from the board, not from Score.
    t.board.setCaption(Ctl::lblScore, QString::number(human), 1);
    t.board.setCaption(Ctl::lblScore, QString::number(computer), 2);
    scriptMildDraws(t.rng, 200);

    QString written;
    t.board.onEvents = [&] {
        if (written.isEmpty())
            written = t.board.caption(Ctl::txtPick);
    };
    t.game.ComputerTurn();
    QCOMPARE(written, take);
    // The take then runs as a take of the written size, cut to the row.
    if (nextToken + take.toInt() < RowLength) {
        QCOMPARE(t.game.NextToken, int16_t(nextToken + take.toInt()));
        QVERIFY(t.board.messages.isEmpty());
    } else {
        QCOMPARE(t.board.messages.size(), 1);  // the row was used up
    }
}

void MatchTest::computerShowsItsTakeBoldAndUnlocksAfter()
{
    Table t;
    t.m.VsComputer = True;
    t.m.StepDelay = 0.75f;
    t.fillRow(Kind::Neutral);
    t.game.CurrentPlayer = 2;

    bool lockedWhileWaiting = true;
    t.board.onEvents = [&] {
        if (t.game.NextToken != 0)
            return;  // the reveal has begun
        for (int i : {2, 4, 6})
            lockedWhileWaiting &= !t.board.isEnabled(Ctl::optPick, i);
        lockedWhileWaiting &= !t.board.isEnabled(Ctl::txtPick) && !t.board.isEnabled(Ctl::cmdOK)
                              && t.board.bold.value(FakeBoard::key(Ctl::txtPick, 0));
    };
    t.game.ComputerTurn();
    QVERIFY(lockedWhileWaiting);
    // Two waits with events before the reveal: one step, then two.
    QCOMPARE(t.board.pauses.at(0), qMakePair(0.75, true));
    QCOMPARE(t.board.pauses.at(1), qMakePair(1.5, true));
    QCOMPARE(t.game.NextToken, int16_t(6));
    for (int i : {2, 4, 6})
        QVERIFY(t.board.isEnabled(Ctl::optPick, i));
    QVERIFY(t.board.isEnabled(Ctl::txtPick));
    QVERIFY(!t.board.bold.value(FakeBoard::key(Ctl::txtPick, 0)));
    QVERIFY(!t.board.isEnabled(Ctl::cmdOK));
}

void MatchTest::gameEnds_data()
{
    QTest::addColumn<int>("score1");
    QTest::addColumn<int>("score2");
    QTest::addColumn<int>("lastMover");
    QTest::addColumn<int>("winner");  // 0: drawn
    QTest::addColumn<int>("nextStarter");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("aboutFlagLeft");  // a return from the About box still to come

    const QString lines = QStringLiteral("Player 1: %1 points this round. \r\n\r\nPlayer 2: %2 points this round. \r\n\r\n");
    const QString tie = QStringLiteral("Tie score.\r\nNo winner this game. Prepare to start the next game.");
    QTest::newRow("player 1 wins") << 160 << 145 << 2 << 1 << 2
        << lines.arg(160).arg(145) + "Player 1 wins this game. Player 2 will start the next game." << false;
    QTest::newRow("player 2 wins") << 100 << 101 << 2 << 2 << 1
        << lines.arg(100).arg(101) + "Player 2 wins this game. Player 1 will start the next game." << false;
    QTest::newRow("negative scores compare as numbers") << -5 << -20 << 1 << 1 << 2
        << lines.arg(-5).arg(-20) + "Player 1 wins this game. Player 2 will start the next game." << false;
    QTest::newRow("an About flag not yet spent") << 60 << 50 << 2 << 1 << 2
        << lines.arg(60).arg(50) + "Player 1 wins this game. Player 2 will start the next game." << true;
    QTest::newRow("nothing each") << 0 << 0 << 1 << 0 << 2 << lines.arg(0).arg(0) + tie << false;
    QTest::newRow("equal and negative") << -40 << -40 << 2 << 0 << 1 << lines.arg(-40).arg(-40) + tie << false;
}

void MatchTest::gameEnds()
{
    QFETCH(int, score1);
    QFETCH(int, score2);
    QFETCH(int, lastMover);
    QFETCH(int, winner);
    QFETCH(int, nextStarter);
    QFETCH(QString, message);
    QFETCH(bool, aboutFlagLeft);

    Table t;
    t.m.SoundOn = True;  // so that a cue would be heard
    t.game.Form_Load();
    if (aboutFlagLeft)
        t.m.AboutFlag = QStringLiteral("ABOUT");
    t.game.CurrentPlayer = static_cast<int16_t>(lastMover);
    t.board.setCaption(Ctl::lblScore, QString::number(score1), 1);
    t.board.setCaption(Ctl::lblScore, QString::number(score2), 2);
    t.board.setCaption(Ctl::lblPoints, QStringLiteral("10 Points"), 3);
    t.board.setBackColor(Ctl::lblPoints, 3, 0xFFFFC0);
    // The strip as the players see it while the message is open.
    QString pointsWhileMessage = QStringLiteral("unseen");
    Color backWhileMessage = 0;
    t.board.onEvents = [&] {
        if (pointsWhileMessage == QLatin1String("unseen") && !t.board.messages.isEmpty()) {
            pointsWhileMessage = t.board.caption(Ctl::lblPoints, 3);
            backWhileMessage = t.board.back.value(FakeBoard::key(Ctl::lblPoints, 3));
        }
    };
    t.rng.neutralDeal();

    t.game.EndGame();

    QCOMPARE(t.board.messages.size(), 1);
    QCOMPARE(t.board.messages[0].first, message);
    QCOMPARE(t.board.messages[0].second, QStringLiteral("Score For This Game"));
    QCOMPARE(t.board.messageStyles[0], MsgStyle::OkOnly);
    QCOMPARE(pointsWhileMessage, QString());  // the strip was cleared before the message
    QCOMPARE(backWhileMessage, ButtonFace);
    for (int p = 1; p <= 2; ++p)
        QCOMPARE(t.board.caption(Ctl::lblWins, p), p == winner ? QStringLiteral("1 Win") : QStringLiteral("0 Wins"));
    QCOMPARE(t.game.Wins[1] + t.game.Wins[2], winner ? 1 : 0);
    // The next game is dealt and begun by the right player.
    QCOMPARE(t.rng.taken, 73);
    QCOMPARE(t.board.caption(Ctl::lblScore, 1), QStringLiteral("0"));
    QCOMPARE(t.game.CurrentPlayer, int16_t(nextStarter));
    QCOMPARE(t.board.frameLefts.last(), nextStarter == 1 ? LeftSide : RightSide);
    QCOMPARE(t.board.winnerDialogs, 0);
    QCOMPARE(t.cues.played, QStringList());
}

void MatchTest::thirdWinEndsTheMatchWithoutAMessage()
{
    Table t;
    t.game.Form_Load();
    t.m.SoundOn = True;
    t.game.CurrentPlayer = 1;
    t.game.Wins[2] = 2;
    t.board.setCaption(Ctl::lblWins, QStringLiteral("2 Wins"), 2);
    t.board.setCaption(Ctl::lblScore, QStringLiteral("30"), 1);
    t.board.setCaption(Ctl::lblScore, QStringLiteral("45"), 2);

    t.game.EndGame();

    QVERIFY(t.board.messages.isEmpty());
    QCOMPARE(t.board.winnerDialogs, 1);
    QCOMPARE(t.board.caption(Ctl::lblWins, 2), QStringLiteral("3 Wins"));
    QCOMPARE(t.m.WinnerName, QStringLiteral("Player 2"));
    QCOMPARE(t.cues.played, QStringList{QStringLiteral("/game/win.wav")});
    QCOMPARE(t.game.CurrentPlayer, int16_t(1));  // left as it was
    QCOMPARE(t.rng.taken, 0);                    // no next game
    // Back on the board, player 1, who lost the last game, begins the next.
    t.rng.neutralDeal();
    t.game.Activated();
    QCOMPARE(t.game.CurrentPlayer, int16_t(1));
    QCOMPARE(t.board.frameLefts.last(), LeftSide);
}

void MatchTest::boardAfterTheMatchPlaysOnFromTheOtherPlayer()
{
    // Player 1 strikes the penalty and so hands player 2 a third win.
    Table t;
    t.game.Form_Load();
    t.fillRow(Kind::Neutral);
    t.game.CurrentPlayer = 1;
    t.game.Wins[2] = 2;
    t.board.tokens[0] = Kind::Negative;
    t.rng.draw(33, 40);
    t.board.type(QStringLiteral("2"));
    t.game.OkPressed();
    t.game.cmdImmed_Click();
    QCOMPARE(t.board.winnerDialogs, 1);
    const int slidesBefore = static_cast<int>(t.board.frameLefts.size());

    // Coming back to the board deals a game, which the struck player begins;
    // its first turn is told once, for the player it is.
    t.rng.neutralDeal();
    const qsizetype told = t.board.turns.size();
    t.game.Activated();
    QCOMPARE(t.board.turns.mid(told), QStringList{QStringLiteral("Player 1")});
    QCOMPARE(t.rng.taken, 1 + 73);
    QCOMPARE(t.game.CurrentPlayer, int16_t(1));
    QCOMPARE(t.board.caption(Ctl::fraPlayer), QStringLiteral("Player 1"));
    QVERIFY(t.board.frameLefts.size() > slidesBefore);
    QCOMPARE(t.board.frameLefts.last(), LeftSide);
    QVERIFY(t.board.isEnabled(Ctl::cmdQuit));
    QCOMPARE(t.board.focus, Ctl::txtPick);

    // A later return, say from another program, is an ordinary activation again.
    t.rng.neutralDeal();
    t.game.Activated();
    QCOMPARE(t.board.turns.mid(told + 1), QStringList{QStringLiteral("Player 1")});
    QCOMPARE(t.game.CurrentPlayer, int16_t(1));
    QCOMPARE(t.board.frameLefts.last(), LeftSide);
}

void MatchTest::wholeMatchAgainstTheComputer()
{
    // Rows of neutral tokens end with the one negative token, which the player
    // who began the game takes last: 365 against 360, so the starter wins and
    // the loser starts the next game. Ann, who begins, wins games 1, 3 and 5.
    Table t;
    t.m.PlayerName[1] = QStringLiteral("Ann");
    t.m.PlayerName[2] = QStringLiteral("Computer");
    t.m.VsComputer = True;
    for (int game = 1; game <= 5; ++game) {
        t.rng.neutralDeal();
        t.rng.draw(1, 40);  // token 73: - 5 Points
    }
    t.game.Form_Load();
    t.m.SoundOn = True;
    t.game.Form_Activate();

    QStringList winsSeen;
    int takes = 0;
    while (t.board.winnerDialogs == 0) {
        QVERIFY2(++takes < 100, "the match does not end");
        QCOMPARE(t.game.CurrentPlayer, int16_t(1));  // control returns on Ann's turn
        t.board.type(QStringLiteral("6"));
        t.game.OkPressed();
        const QString seen = t.board.caption(Ctl::lblWins, 1) + QLatin1Char('/') + t.board.caption(Ctl::lblWins, 2);
        if (winsSeen.isEmpty() || winsSeen.last() != seen)
            winsSeen << seen;
    }

    QCOMPARE(t.rng.left(), 0);
    QCOMPARE(winsSeen, (QStringList{"0 Wins/0 Wins", "1 Win/0 Wins", "1 Win/1 Win", "2 Wins/1 Win", "2 Wins/2 Wins",
                                    "3 Wins/2 Wins"}));
    QCOMPARE(t.board.messages.size(), 4);
    QVERIFY(t.board.messages[0].first.endsWith("Ann wins this game. Computer will start the next game."));
    QVERIFY(t.board.messages[0].first.startsWith("Ann: 365 points this round. \r\n\r\nComputer: 360 points"));
    QVERIFY(t.board.messages[1].first.endsWith("Computer wins this game. Ann will start the next game."));
    QCOMPARE(t.m.WinnerName, QStringLiteral("Ann"));
    QCOMPARE(t.board.winnerDialogs, 1);
    // Each take dings once per token; the match ends with one win cue.
    QCOMPARE(t.cues.played.count("/game/win.wav"), 1);
    QCOMPARE(t.cues.played.last(), QStringLiteral("/game/win.wav"));
    QCOMPARE(t.cues.played.count("/game/ding1.wav"), 5 * 13);
    QCOMPARE(t.cues.played.count("/game/ding6.wav"), 5 * 12);
    QVERIFY(!t.cues.played.contains("/game/loss.wav"));
}

QTEST_GUILESS_MAIN(MatchTest)
#include "test_match.moc"
