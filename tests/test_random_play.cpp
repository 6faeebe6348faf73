// Random play over many fixed seeds, in the real windows on a virtual clock:
// whatever a player clicks, types or closes, and whenever, the board stays
// consistent and nothing crashes. A failing seed is printed; set
// DOVREL_PLAY_SEED to replay it alone.
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QKeyEvent>
#include <QTimer>
#include <functional>
#include <random>

#include "app/module1.h"
#include "gui_support.h"
#include "ui/drawn_items.h"
#include "ui/frmAbout.h"
#include "ui/frmDovrel.h"
#include "ui/frmSetup.h"
#include "ui/frmWinner.h"
#include "ui/twips.h"
#include "virtual_clock.h"

using namespace dovrel;
using namespace dovrel::testing;

namespace {

std::mt19937_64* sessionRng = nullptr;

uint64_t scriptedSeed()
{
    return (*sessionRng)();
}

// Answers every message box the moment it shows, with one of its buttons, and
// reads the About box no longer than it takes to close it.
class RandomAnswers final : public QObject {
public:
    explicit RandomAnswers(std::mt19937_64& rng) : rng_(rng) { qApp->installEventFilter(this); }
    int answered = 0;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() != QEvent::Show)
            return false;
        if (auto* about = qobject_cast<frmAbout*>(o)) {
            QTimer::singleShot(0, about, [about] { about->cmdOK->click(); });
            return false;
        }
        auto* box = qobject_cast<QMessageBox*>(o);
        if (!box)
            return false;
        const QList<QAbstractButton*> buttons = box->buttons();
        QAbstractButton* pick = buttons.at(static_cast<int>(rng_() % buttons.size()));
        QTimer::singleShot(0, box, [pick] { pick->click(); });
        ++answered;
        return false;
    }

private:
    std::mt19937_64& rng_;
};

const QStringList Names = {QString(),
                           QStringLiteral("Ann"),
                           QStringLiteral("  "),
                           QStringLiteral("TenLetters"),
                           QStringLiteral("<b>x</b>"),
                           QStringLiteral("R&D"),
                           QStringLiteral("\u05e9\u05dc\u05d5\u05dd"),
                           QStringLiteral("e\u0301e\u0301"),
                           QStringLiteral("\U0001F600 smile")};

const QString Keys = QStringLiteral("0123456789 -+.aZ");

// The wins display as the players read it; a board played on after its match counts on.
QString winsShown(int wins)
{
    static const QStringList match = {"0 Wins", "1 Win", "2 Wins", "3 Wins"};
    return wins >= 0 && wins < match.size() ? match.at(wins) : QString::number(wins) + QStringLiteral(" Wins");
}

// Keeps count of the games each board decides, as the players see them
// decided: a score message, the penalty display, or the winner dialog after a
// row played out. Every game is decided once, and a row being taken is never
// replaced: a new game begins on a decided row, or, once the match is over,
// whenever the players come back to the board.
class Referee final : public QObject {
public:
    Referee() { qApp->installEventFilter(this); }
    // The first fault seen as it happened, else empty.
    QString fault;
    // Empty when the wins agree with the games decided.
    QString check();
    int decidedGames = 0;  // on every board so far

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    frmDovrel* follow();
    void decided(bool withWinner, const QString& how);
    void settleRow(frmDovrel& w);

    QPointer<frmDovrel> board_;
    int withWinner_ = 0;       // games this board decided with a winner
    bool rowDecided_ = false;  // the row on the board has been decided
};

// The board being played; a new one starts a new match from nothing.
frmDovrel* Referee::follow()
{
    frmDovrel* w = forms::mainIfLoaded();
    if (w != board_) {
        board_ = w;
        withWinner_ = 0;
        rowDecided_ = false;
    }
    return w;
}

void Referee::decided(bool withWinner, const QString& how)
{
    if (rowDecided_ && fault.isEmpty())
        fault = QStringLiteral("a game decided a second time, by %1").arg(how);
    rowDecided_ = true;
    withWinner_ += withWinner ? 1 : 0;
    ++decidedGames;
}

// A row played out with no message was the match's last game.
void Referee::settleRow(frmDovrel& w)
{
    if (w.game().NextToken == RowLength && !rowDecided_)
        decided(true, QStringLiteral("the winner dialog"));
}

bool Referee::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() != QEvent::Show)
        return false;
    frmDovrel* w = follow();
    if (!w)
        return false;
    if (auto* box = qobject_cast<QMessageBox*>(o); box && box->windowTitle() == QLatin1String("Score For This Game")) {
        decided(box->text().contains(QLatin1String(" wins this game. ")), QStringLiteral("a score message"));
    } else if (o == w->cmdImmed) {
        decided(true, QStringLiteral("the penalty"));
    } else if (o == w->imgStart) {
        // A new game begins.
        settleRow(*w);
        const int taken = w->game().NextToken;
        if (!rowDecided_ && taken > 0 && !forms::winnerIfLoaded() && fault.isEmpty())
            fault = QStringLiteral("a new row dealt over one being taken, at token %1").arg(taken);
        rowDecided_ = false;
    }
    return false;
}

QString Referee::check()
{
    if (!fault.isEmpty())
        return fault;
    frmDovrel* w = follow();
    if (!w)
        return {};
    settleRow(*w);
    const int wins = w->game().Wins[1] + w->game().Wins[2];
    if (wins != withWinner_)
        return QStringLiteral("%1 wins counted for %2 games won").arg(wins).arg(withWinner_);
    return {};
}

class Session {
public:
    Session(uint64_t seed, VirtualClock& clock) : rng_(seed), clock_(clock), answers_(rng_) {}

    // One random action; returns what it did, for the log.
    QString step();
    // Empty when the board is consistent, else what is wrong.
    QString check();
    // What the session came to: steps that ended on a board, games decided,
    // message boxes answered.
    int boardChecks = 0;
    int decided() const { return referee_.decidedGames; }
    int answered() const { return answers_.answered; }

private:
    int pick(int n) { return static_cast<int>(rng_() % static_cast<uint64_t>(n)); }
    bool chance(int percent) { return pick(100) < percent; }
    QString onSetup(frmSetup& s);
    QString onWinner(frmWinner& dlg);
    QString onBoard(frmDovrel& w);
    QString interrupt(frmDovrel& w);
    void settleAll();

    std::mt19937_64 rng_;
    VirtualClock& clock_;
    RandomAnswers answers_;
    Referee referee_;
};

void Session::settleAll()
{
    for (int i = 0; i < 5; ++i)
        settle();
}

QString Session::step()
{
    // A menu left open is closed first, as a player would with Escape.
    if (QWidget* menu = QApplication::activePopupWidget())
        menu->close();
    QString did;
    if (frmWinner* dlg = forms::winnerIfLoaded(); dlg && chance(60))
        did = onWinner(*dlg);
    else if (frmDovrel* w = forms::mainIfLoaded()) {
        // Pictures are not what this test looks at; painting would only slow it.
        w->setUpdatesEnabled(false);
        did = onBoard(*w);
    }
    else if (frmSetup* s = forms::setupIfLoaded())
        did = onSetup(*s);
    else {
        // The program ended; start it again, as a player would.
        freshProgram();
        forms::setup().showModeless();
        did = QStringLiteral("restart");
    }
    settleAll();
    return did;
}

QString Session::onSetup(frmSetup& s)
{
    switch (pick(6)) {
    case 5: QTest::keyClick(&s, Qt::Key_F1); return QStringLiteral("setup help");
    case 0: s.Option1->click(); return QStringLiteral("two players");
    case 1: s.Option2->click(); return QStringLiteral("one player");
    case 2: {
        TextBox* box = chance(50) ? s.txtPlayer1 : s.txtPlayer2;
        box->setFocus();
        box->selectAll();
        typeText(box, Names.at(pick(static_cast<int>(Names.size()))));
        return QStringLiteral("name");
    }
    case 3: s.cmdInstructions->click(); return QStringLiteral("rules");
    default: s.cmdDone->click(); return QStringLiteral("done");
    }
}

QString Session::onWinner(frmWinner& dlg)
{
    switch (pick(3)) {
    case 0: dlg.cmdNew->click(); return QStringLiteral("winner: new game");
    case 1: dlg.cmdExit->click(); return QStringLiteral("winner: exit");
    default:
        if (frmDovrel* w = forms::mainIfLoaded()) {
            w->activateWindow();
            return QStringLiteral("back to the board");
        }
        return QStringLiteral("nothing");
    }
}

// Near the end of the row, where a game is decided, play is disturbed most.
bool lastTakes(frmDovrel& w)
{
    return w.game().NextToken >= RowLength - 12;
}

// Something the player does while a take, the slide or the computer is under way.
QString Session::interrupt(frmDovrel& w)
{
    QPointer<frmDovrel> win = &w;
    double when = pick(100) / 10.0;
    int what = pick(9);
    if (lastTakes(w)) {
        // Where a game is decided, a window opens and closes: during the
        // reveal, or during the computer's pauses that follow it.
        const double step = Module1::instance().StepDelay;
        const double reveal = (w.txtPick->text().toInt() + 2) * step;
        when = chance(50) ? pick(100) / 100.0 * reveal : reveal + pick(100) / 100.0 * 3 * step;
        what = 4 + pick(4);
    }
    clock_.after(when, [win, what, this] {
        if (!win || !win->loaded())
            return;
        const bool menus = win->mnuGame->menuAction()->isEnabled();
        switch (what) {
        case 0: win->close(); break;
        case 1: if (menus) win->mnuNewGame->trigger(); break;
        case 2: if (win->fraSpeed->isEnabled()) win->optFastest->click(); break;
        case 3: if (menus) win->mnuSound->trigger(); break;
        case 4: if (menus) win->mnuAbout->trigger(); break;
        case 5: if (menus) win->mnuHelpTopics->trigger(); break;
        case 6: QTest::keyClick(win, Qt::Key_F1); break;
        // A menu left open: the take closes it.
        case 7: if (menus) win->mnuHelp->popup(win->mapToGlobal(QPoint(40, 0))); break;
        default: if (menus) win->mnuViewKey->trigger(); break;
        }
    });
    return QStringLiteral(" (+ at %1 s: %2)").arg(when).arg(what);
}

QString Session::onBoard(frmDovrel& w)
{
    const bool menus = w.mnuGame->menuAction()->isEnabled();
    const bool takeLive = w.fraPlayer->isEnabled() && w.txtPick->isEnabled();
    // Mostly play on; now and then do something disruptive.
    const int roll = pick(100);
    if (w.cmdImmed->isVisible() && roll < 60) {
        w.cmdImmed->click();
        return QStringLiteral("continue");
    }
    if (takeLive && w.cmdOK->isEnabled() && roll < 60) {
        const QString extra = chance(lastTakes(w) ? 80 : 15) ? interrupt(w) : QString();
        w.cmdOK->click();
        return QStringLiteral("OK") + extra;
    }
    if (takeLive && roll < 64 && w.game().NextToken < RowLength - 12) {
        // As if the players had taken most of the row for nothing: the end of
        // a row, where games are decided, comes round more often.
        const int to = RowLength - 2 * (1 + pick(6));
        for (int k = w.game().NextToken; k < to; ++k)
            w.clearToken(k);
        w.game().NextToken = static_cast<int16_t>(to);
        return QStringLiteral("on to token %1").arg(to);
    }
    if (takeLive && roll < 70) {
        const int take = 2 * (1 + pick(3));
        w.optPick[take]->click();
        return QStringLiteral("take %1").arg(take);
    }
    if (takeLive && roll < 80) {
        w.txtPick->setFocus();
        const QChar key = Keys.at(pick(static_cast<int>(Keys.size())));
        QTest::keyClicks(w.txtPick, QString(key));
        return QStringLiteral("type '%1'").arg(key);
    }
    if (roll < 84 && w.fraSpeed->isEnabled()) {
        QRadioButton* speeds[] = {w.optNormal, w.optFaster, w.optFastest};
        speeds[pick(3)]->click();
        return QStringLiteral("speed");
    }
    if (roll < 88 && menus) {
        QAction* options[] = {w.mnuSound, w.mnuViewKey, w.mnuNormalSpeed, w.mnuFasterSpeed, w.mnuFastestSpeed};
        options[pick(5)]->trigger();
        return QStringLiteral("option");
    }
    if (roll < 89 && menus) {
        if (chance(50))
            w.mnuAbout->trigger();
        else
            QTest::keyClick(&w, Qt::Key_F1);
        return QStringLiteral("about or help");
    }
    if (roll < 93) {
        // To another program and back.
        QApplication::setActiveWindow(nullptr);
        QApplication::setActiveWindow(&w);
        return QStringLiteral("away and back");
    }
    if (roll < 94 && menus) {
        w.mnuNewGame->trigger();
        return QStringLiteral("new game");
    }
    if (roll < 95 && w.cmdQuit->isEnabled()) {
        w.cmdQuit->click();
        return QStringLiteral("quit");
    }
    if (roll < 96) {
        w.close();
        return QStringLiteral("close box");
    }
    return QStringLiteral("wait");
}

QString Session::check()
{
    if (const QString unfair = referee_.check(); !unfair.isEmpty())
        return unfair;
    const frmDovrel* w = forms::mainIfLoaded();
    if (!w)
        return {};
    ++boardChecks;
    if (w->busy())
        return QStringLiteral("the board is still busy after the step");
    frmDovrel& board = const_cast<frmDovrel&>(*w);
    const Game& g = board.game();
    const Module1& m = Module1::instance();
    QStringList wrong;

    if (g.NextToken < 0 || g.NextToken > RowLength || g.NextToken % 2 != 0)
        wrong << QStringLiteral("NextToken %1").arg(g.NextToken);
    for (int p = 1; p <= 2; ++p) {
        if (w->lblScore[p]->text() != QString::number(g.Score[p]))
            wrong << QStringLiteral("score %1 shows %2 for %3").arg(p).arg(w->lblScore[p]->text()).arg(g.Score[p]);
    }
    const bool shape = w->shpImmed->isVisibleTo(w->board);
    const bool label = w->lblImmed->isVisibleTo(w->board);
    const bool button = w->cmdImmed->isVisibleTo(w->board);
    if (shape != label || label != button)
        wrong << QStringLiteral("the penalty display is partly shown");
    const bool penalty = shape;
    const bool matchOver = g.Wins[1] >= 3 || g.Wins[2] >= 3;

    if (!penalty) {
        for (int p = 1; p <= 2; ++p) {
            if (w->lblWins[p]->text() != winsShown(g.Wins[p]))
                wrong << QStringLiteral("wins %1 shows %2 for %3").arg(p).arg(w->lblWins[p]->text()).arg(g.Wins[p]);
        }
    }
    // Between takes of a game in progress the frame and the row tell the truth.
    if (!penalty && !(matchOver && !w->fraPlayer->isEnabled())) {
        const bool onLeft = w->fraPlayer->x() < px((LeftSide + RightSide) / 2);
        if (onLeft != (g.CurrentPlayer == 1))
            wrong << QStringLiteral("the frame stands on the wrong side of player %1").arg(g.CurrentPlayer);
        if (w->fraPlayer->title().replace(QLatin1String("&&"), QLatin1String("&")) != m.PlayerName[g.CurrentPlayer])
            wrong << QStringLiteral("the frame names %1, not player %2").arg(w->fraPlayer->title()).arg(g.CurrentPlayer);
        for (int k = 0; k < RowLength; ++k) {
            if ((board.tokenKind(k) == Kind::None) != (k < g.NextToken)) {
                wrong << QStringLiteral("token %1 against NextToken %2").arg(k).arg(g.NextToken);
                break;
            }
        }
    }
    return wrong.join(QStringLiteral("; "));
}

}  // namespace

class RandomPlayTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void randomPlayKeepsTheBoardConsistent();
};

void RandomPlayTest::cleanup()
{
    setSeedSource(nullptr);
    sessionRng = nullptr;
    freshProgram();
}

void RandomPlayTest::randomPlayKeepsTheBoardConsistent()
{
    QList<uint64_t> seeds;
    if (const QByteArray one = qgetenv("DOVREL_PLAY_SEED"); !one.isEmpty())
        seeds << one.toULongLong();
    else
        for (uint64_t s = 1; s <= 20; ++s)
            seeds << s;
    const int steps = 400;

    for (uint64_t seed : seeds) {
        FreshProgram program;
        std::mt19937_64 chance(seed * 7919);
        sessionRng = &chance;
        setSeedSource(scriptedSeed);
        Session session(seed, program.clock());
        forms::setup().showModeless();
        settle();

        QStringList log;
        for (int i = 0; i < steps; ++i) {
            log << session.step();
            if (log.size() > 12)
                log.removeFirst();
            const QString wrong = session.check();
            QVERIFY2(wrong.isEmpty(), qPrintable(QStringLiteral("seed %1, step %2: %3\n  last actions: %4")
                                                     .arg(seed).arg(i).arg(wrong, log.join(QStringLiteral(", ")))));
        }
        // The checks had something to look at.
        QVERIFY2(session.boardChecks > steps / 2 && session.decided() > 0 && session.answered() > 0,
                 qPrintable(QStringLiteral("seed %1: %2 steps on a board, %3 games decided, %4 boxes answered")
                                .arg(seed).arg(session.boardChecks).arg(session.decided()).arg(session.answered())));
        setSeedSource(nullptr);
    }
}

QTEST_MAIN(RandomPlayTest)
#include "test_random_play.moc"
