// The deal and the main window's life cycle, played on a board without a window.
#include <QTest>
#include <cmath>
#include <limits>

#include "fake_board.h"

using namespace dovrel;
using namespace dovrel::testing;

Q_DECLARE_METATYPE(dovrel::Kind)

class DealTest : public QObject {
    Q_OBJECT
private slots:
    void firstTokenKindFollowsTheDraw_data();
    void firstTokenKindFollowsTheDraw();
    void lastTokenIsAlwaysNegativeAndTakesNoDraw();
    void redealRefillsTheWholeRowAndRewindsIt();
    void dealHandlesEventsOncePerDrawnToken();
    void realGeneratorDealsTheStatedShares();
    void generatorStaysBelowOneAndRepeatsPerSeed();

    void formLoadStartsAMatch();
    void formLoadRestoresTheKeptSpeed_data();
    void formLoadRestoresTheKeptSpeed();
    void activateStartsAGame();
    void activateBackFromAboutLeavesTheGame();
    void unloadAsksOnlyWhenTheUserCloses_data();
    void unloadAsksOnlyWhenTheUserCloses();
    void leadingNumberReadsLikeBasic_data();
    void leadingNumberReadsLikeBasic();
};

namespace {

// Scripts one draw for token 0 and neutral draws for the other 72.
void scriptDeal(ScriptedRandom& rng, float first)
{
    rng.raw(first);
    for (int i = 1; i <= 72; ++i)
        rng.draw(8, 10);
}

}  // namespace

void DealTest::firstTokenKindFollowsTheDraw_data()
{
    QTest::addColumn<float>("u");
    QTest::addColumn<Kind>("kind");
    const float belowOne = std::nextafter(1.0f, 0.0f);
    QTest::newRow("r=1 (u=0)") << 0.0f << Kind::Positive;
    QTest::newRow("r=2 (just under 0.2)") << 0.19999f << Kind::Positive;
    QTest::newRow("r=3 (u=0.2)") << 0.2f << Kind::Negative;
    QTest::newRow("r=5 (top of 5)") << std::nextafter(0.5f, 0.0f) << Kind::Negative;
    QTest::newRow("r=6 (u=0.5)") << 0.5f << Kind::Neutral;
    QTest::newRow("r=10 (largest u)") << belowOne << Kind::Neutral;
}

void DealTest::firstTokenKindFollowsTheDraw()
{
    QFETCH(float, u);
    QFETCH(Kind, kind);
    Table t;
    scriptDeal(t.rng, u);
    t.game.DealBoard();
    QCOMPARE(t.board.tokens[0], kind);
    QCOMPARE(t.board.tokens[1], Kind::Neutral);
}

void DealTest::lastTokenIsAlwaysNegativeAndTakesNoDraw()
{
    Table t;
    for (int i = 0; i <= 72; ++i)
        t.rng.draw(1, 10);  // every drawn token positive
    t.rng.draw(7, 10);      // one more, which the deal must leave alone
    t.game.DealBoard();
    QCOMPARE(t.rng.taken, 73);
    QCOMPARE(t.board.tokens[72], Kind::Positive);
    QCOMPARE(t.board.tokens[73], Kind::Negative);
}

void DealTest::redealRefillsTheWholeRowAndRewindsIt()
{
    Table t;
    scriptDeal(t.rng, 0.0f);
    t.game.DealBoard();
    // A played game: the front of the row taken.
    for (int k = 0; k < 40; ++k)
        t.board.clearToken(k);
    t.game.NextToken = 40;

    scriptDeal(t.rng, 0.3f);
    t.game.DealBoard();
    QCOMPARE(t.game.NextToken, int16_t(0));
    for (int k = 0; k <= 73; ++k)
        QVERIFY2(t.board.tokens[k] != Kind::None, qPrintable(QStringLiteral("token %1 empty").arg(k)));
    QCOMPARE(t.board.tokens[0], Kind::Negative);
}

void DealTest::dealHandlesEventsOncePerDrawnToken()
{
    Table t;
    int dealtWhenEventsRan = -1;
    t.board.onEvents = [&] {
        if (t.board.events == 73)
            dealtWhenEventsRan = static_cast<int>(std::count_if(std::begin(t.board.tokens), std::end(t.board.tokens),
                                                                [](Kind k) { return k != Kind::None; }));
    };
    scriptDeal(t.rng, 0.9f);
    t.game.DealBoard();
    QCOMPARE(t.board.events, 73);
    // Events are handled before each token is dealt, the last one included.
    QCOMPARE(dealtWhenEventsRan, 72);
}

void DealTest::realGeneratorDealsTheStatedShares()
{
    Module1 m;
    FakeBoard board;
    Pcg32Random rng;
    rng.seed(20261207);
    RecordedCues cues;
    Game game(board, m, rng, cues);
    int counts[4] = {};
    const int deals = 1000;
    for (int d = 0; d < deals; ++d) {
        game.DealBoard();
        for (int k = 0; k <= 72; ++k)
            ++counts[static_cast<int>(board.tokens[k])];
        QCOMPARE(board.tokens[73], Kind::Negative);
    }
    const double n = deals * 73.0;
    QVERIFY(std::abs(counts[static_cast<int>(Kind::Positive)] / n - 0.20) < 0.01);
    QVERIFY(std::abs(counts[static_cast<int>(Kind::Negative)] / n - 0.30) < 0.01);
    QVERIFY(std::abs(counts[static_cast<int>(Kind::Neutral)] / n - 0.50) < 0.01);
}

void DealTest::generatorStaysBelowOneAndRepeatsPerSeed()
{
    Pcg32Random a, b, c;
    a.seed(42);
    b.seed(42);
    c.seed(43);
    bool differs = false;
    float lowest = 1.0f, highest = 0.0f;
    for (int i = 0; i < 200000; ++i) {
        const float x = a.next();
        QCOMPARE(x, b.next());
        differs = differs || x != c.next();
        lowest = std::min(lowest, x);
        highest = std::max(highest, x);
    }
    QVERIFY(differs);
    QVERIFY(lowest >= 0.0f && lowest < 0.001f);
    QVERIFY(highest < 1.0f && highest > 0.999f);
}

void DealTest::formLoadStartsAMatch()
{
    Table t;
    t.m.PlayerName[1] = QStringLiteral("Ann");
    t.m.PlayerName[2] = QStringLiteral("Bob");
    t.m.SoundOn = True;
    t.game.Wins[1] = 2;
    t.game.CurrentPlayer = 2;
    t.game.Form_Load();
    QCOMPARE(t.game.Wins[1], int16_t(0));
    QCOMPARE(t.game.Wins[2], int16_t(0));
    QCOMPARE(t.game.CurrentPlayer, int16_t(1));
    QCOMPARE(t.rng.seeds, 1);
    QCOMPARE(t.board.shown, 1);
    QCOMPARE(t.board.caption(Ctl::lblPlayer, 1), QStringLiteral("Ann"));
    QCOMPARE(t.board.caption(Ctl::lblPlayer, 2), QStringLiteral("Bob"));
    QCOMPARE(t.game.PenaltyText, QStringLiteral("ULTIMATE PENALTY\r\nImmediate Loss of Game.\r\n"));
    QCOMPARE(t.board.caption(Ctl::mnuSound), QStringLiteral("Turn &Sound Off"));
    // The next match's window, with the sound turned off meanwhile.
    t.m.SoundOn = False;
    t.game.Form_Load();
    QCOMPARE(t.board.caption(Ctl::mnuSound), QStringLiteral("Turn &Sound On"));
}

void DealTest::formLoadRestoresTheKeptSpeed_data()
{
    QTest::addColumn<float>("kept");
    QTest::addColumn<int>("selected");
    QTest::addColumn<float>("after");
    QTest::newRow("first start") << 0.0f << int(Ctl::optNormal) << 1.0f;
    QTest::newRow("normal") << 1.0f << int(Ctl::optNormal) << 1.0f;
    QTest::newRow("faster") << 0.75f << int(Ctl::optFaster) << 0.75f;
    QTest::newRow("fastest") << 0.5f << int(Ctl::optFastest) << 0.5f;
}

void DealTest::formLoadRestoresTheKeptSpeed()
{
    QFETCH(float, kept);
    QFETCH(int, selected);
    QFETCH(float, after);
    Table t;
    t.m.StepDelay = kept;
    t.game.Form_Load();
    QCOMPARE(t.m.StepDelay, after);
    for (Ctl c : {Ctl::optNormal, Ctl::optFaster, Ctl::optFastest})
        QCOMPARE(t.board.value(c), int(c) == selected);
}

void DealTest::activateStartsAGame()
{
    Table t;
    t.m.PlayerName[2] = QStringLiteral("Bob");
    t.game.CurrentPlayer = 2;
    t.game.Score[1] = 120;
    t.game.Score[2] = -15;
    t.board.setCaption(Ctl::lblScore, QStringLiteral("-15"), 2);
    t.board.setVisible(Ctl::imgStart, false);
    for (Ctl c : {Ctl::fraPlayer, Ctl::fraSpeed, Ctl::mnuGame, Ctl::mnuHelp, Ctl::mnuOptions})
        t.board.setEnabled(c, false);
    t.game.Wins[1] = 2;
    t.board.setCaption(Ctl::lblWins, QStringLiteral("2 Wins"), 1);
    scriptDeal(t.rng, 0.0f);

    t.game.Form_Activate();

    QCOMPARE(t.game.Score[1], int16_t(0));
    QCOMPARE(t.game.Score[2], int16_t(0));
    QCOMPARE(t.board.caption(Ctl::lblScore, 2), QStringLiteral("0"));
    QVERIFY(t.board.isVisible(Ctl::imgStart));
    for (Ctl c : {Ctl::fraPlayer, Ctl::fraSpeed, Ctl::mnuGame, Ctl::mnuHelp, Ctl::mnuOptions})
        QVERIFY(t.board.isEnabled(c));
    QCOMPARE(t.board.caption(Ctl::fraPlayer), QStringLiteral("Bob"));
    QCOMPARE(t.rng.taken, 73);
    QCOMPARE(t.game.Wins[1], int16_t(2));  // wins belong to the match, not the game
    QCOMPARE(t.board.caption(Ctl::lblWins, 1), QStringLiteral("2 Wins"));
}

void DealTest::activateBackFromAboutLeavesTheGame()
{
    Table t;
    t.game.CurrentPlayer = 1;
    t.m.AboutFlag = QStringLiteral("ABOUT");
    t.game.Score[1] = 55;
    t.board.clearToken(5);
    t.game.Form_Activate();
    QVERIFY(t.m.AboutFlag.isEmpty());
    QCOMPARE(t.rng.taken, 0);
    QCOMPARE(t.game.Score[1], int16_t(55));

    // The flag is used up: the next activation starts a game again.
    scriptDeal(t.rng, 0.0f);
    t.game.Form_Activate();
    QCOMPARE(t.rng.taken, 73);
    QCOMPARE(t.game.Score[1], int16_t(0));
}

void DealTest::unloadAsksOnlyWhenTheUserCloses_data()
{
    QTest::addColumn<QString>("reason");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("takeLive");  // false while a take is being revealed
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("cancelled");
    QTest::addColumn<int>("focus");  // from Quit, where it was
    const int quit = int(Ctl::cmdQuit), box = int(Ctl::txtPick);
    QTest::newRow("user, Yes") << QString() << int(Answer::Yes) << true << true << false << quit;
    QTest::newRow("user, No") << QString() << int(Answer::No) << true << true << true << box;
    QTest::newRow("user, No, in a reveal") << QString() << int(Answer::No) << false << true << true << quit;
    QTest::newRow("new match") << QStringLiteral("NO CLICK") << int(Answer::No) << true << false << false << quit;
    QTest::newRow("winner's Exit") << QStringLiteral("Out for Good") << int(Answer::No) << true << false << false << quit;
}

void DealTest::unloadAsksOnlyWhenTheUserCloses()
{
    QFETCH(QString, reason);
    QFETCH(int, answer);
    QFETCH(bool, takeLive);
    QFETCH(bool, asked);
    QFETCH(bool, cancelled);
    QFETCH(int, focus);
    Table t;
    t.m.CloseReason = reason;
    t.board.setFocus(Ctl::cmdQuit);
    t.board.setEnabled(Ctl::fraPlayer, takeLive);
    t.board.answers.push_back(static_cast<Answer>(answer));
    QCOMPARE(t.game.Form_Unload(), cancelled);
    QCOMPARE(t.board.messages.size(), asked ? 1 : 0);
    QCOMPARE(t.m.CloseReason, reason);
    QCOMPARE(int(t.board.focus), focus);
    if (asked) {
        QCOMPARE(t.board.messages[0].first, QStringLiteral("Quit this game of ''Dovrel'' ?"));
        QCOMPARE(t.board.messages[0].second, QStringLiteral("Exit Check..."));
        QCOMPARE(t.board.messageStyles[0], MsgStyle::YesNoQuestionNoDefault);
    }
}

void DealTest::leadingNumberReadsLikeBasic_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("digit") << "4" << 4.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("letter") << "x" << 0.0;
    QTest::newRow("space") << " " << 0.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("negative score") << "-15" << -15.0;
    QTest::newRow("number then text") << "6 tokens" << 6.0;
    QTest::newRow("fraction") << "4.5" << 4.5;
    QTest::newRow("non-latin digit") << QStringLiteral("\u0664") << 0.0;
}

void DealTest::leadingNumberReadsLikeBasic()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(leadingNumber(text), value);
}

QTEST_GUILESS_MAIN(DealTest)
#include "test_deal.moc"
