#pragma once
// A board without a window for the rules tests: it keeps the controls' state,
// runs the change and click handlers as the window does, and records what the
// rules asked of it.
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>

#include "game/game.h"

namespace dovrel::testing {

// Numbers scripted by the test; draw(r, n) queues the number that makes
// Int(n * u + 1) come out as r.
class ScriptedRandom final : public Random {
public:
    void seed(uint64_t) override { ++seeds; }
    float next() override;
    ScriptedRandom& draw(int r, int n);
    ScriptedRandom& raw(float u);
    // The 73 draws of a deal in which every token comes out neutral.
    ScriptedRandom& neutralDeal();
    int left() const { return static_cast<int>(queue.size()); }
    int seeds = 0;
    int taken = 0;

private:
    std::deque<float> queue;
};

class RecordedCues final : public CuePlayer {
public:
    void prepare(const QStringList& paths) override { prepared << paths; }
    void play(const QString& path) override { played << path; }
    QStringList prepared;
    QStringList played;
};

class FakeBoard final : public BoardView {
public:
    using Key = QPair<int, int>;  // control, index

    FakeBoard();
    void attach(Game& game) { game_ = &game; }

    Kind tokenKind(int k) const override { return tokens[k]; }
    void showToken(int k, Kind kind) override { tokens[k] = kind; }
    void clearToken(int k) override { tokens[k] = Kind::None; }
    void setEnabled(Ctl c, bool on, int index = 0) override { enabled[key(c, index)] = on; }
    bool isEnabled(Ctl c, int index = 0) const override { return enabled.value(key(c, index), true); }
    void setVisible(Ctl c, bool on) override { visible[key(c, 0)] = on; }
    bool isVisible(Ctl c) const override { return visible.value(key(c, 0), true); }
    void setCaption(Ctl c, const QString& text, int index = 0) override;
    QString caption(Ctl c, int index = 0) const override { return captions.value(key(c, index)); }
    void setBackColor(Ctl c, int index, Color color) override { back[key(c, index)] = color; }
    void setForeColor(Ctl c, int index, Color color) override { fore[key(c, index)] = color; }
    void setBold(Ctl c, bool on) override { bold[key(c, 0)] = on; }
    void setLeft(Ctl c, int twips) override;
    void setValue(Ctl c, bool on, int index = 0) override;
    bool value(Ctl c, int index = 0) const override { return values.value(key(c, index), false); }
    bool canFocus(Ctl c) const override;
    void setFocus(Ctl c) override;
    void selectText(Ctl, int start, int length) override { selection = {start, length}; }
    void doEvents() override;
    void pause(const std::function<double()>& seconds, bool processEvents) override;
    void turnBegins() override { turns << caption(Ctl::fraPlayer); }
    Answer msgBox(const QString& text, MsgStyle style, const QString& title) override;
    void showWindow() override { ++shown; }
    void showWinnerDialog() override { ++winnerDialogs; }

    // Typing into the take box, as the user does.
    void type(const QString& text) { setCaption(Ctl::txtPick, text); }

    static Key key(Ctl c, int index) { return {static_cast<int>(c), index}; }

    Kind tokens[74] = {};
    QMap<Key, bool> enabled, visible, values, bold;
    QMap<Key, QString> captions;
    QMap<Key, Color> back, fore;
    QList<int> frameLefts;
    Ctl focus = Ctl::cmdQuit;
    bool hasFocus = false;
    QPair<int, int> selection{-1, -1};
    int events = 0;
    QList<QPair<double, bool>> pauses;  // duration as it stood at the end, with events
    QStringList turns;  // the frame's name at each turn begun
    QList<QPair<QString, QString>> messages;  // text, title
    QList<MsgStyle> messageStyles;
    std::deque<Answer> answers;
    int shown = 0;
    int winnerDialogs = 0;
    // Runs at every point where the window would handle events.
    std::function<void()> onEvents;

private:
    Game* game_ = nullptr;
};

// A complete rules fixture: a fresh program-wide state, a fake board, scripted numbers.
struct Table {
    Module1 m;
    FakeBoard board;
    ScriptedRandom rng;
    RecordedCues cues;
    Game game{board, m, rng, cues};

    Table();
    // A row of one kind everywhere, with the last token negative as dealt.
    void fillRow(Kind kind);
};

}  // namespace dovrel::testing
