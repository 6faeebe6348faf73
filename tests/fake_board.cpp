#include "fake_board.h"

#include <stdexcept>

namespace dovrel::testing {

float ScriptedRandom::next()
{
    if (queue.empty())
        throw std::logic_error("the rules drew a number the test did not script");
    ++taken;
    const float u = queue.front();
    queue.pop_front();
    return u;
}

ScriptedRandom& ScriptedRandom::draw(int r, int n)
{
    // The middle of the draw's interval, well clear of rounding at its ends.
    return raw((static_cast<float>(r) - 0.5f) / static_cast<float>(n));
}

ScriptedRandom& ScriptedRandom::raw(float u)
{
    queue.push_back(u);
    return *this;
}

ScriptedRandom& ScriptedRandom::neutralDeal()
{
    for (int i = 0; i <= 72; ++i)
        draw(8, 10);
    return *this;
}

FakeBoard::FakeBoard()
{
    // The window as laid out: OK disabled, penalty display and templates hidden.
    enabled[key(Ctl::cmdOK, 0)] = false;
    for (Ctl c : {Ctl::cmdImmed, Ctl::lblImmed, Ctl::shpImmed})
        visible[key(c, 0)] = false;
    captions[key(Ctl::mnuSound, 0)] = QStringLiteral("Turn &Sound On");
    for (int p = 1; p <= 2; ++p) {
        captions[key(Ctl::lblScore, p)] = QStringLiteral("0");
        captions[key(Ctl::lblWins, p)] = QStringLiteral("0 Wins");
    }
}

void FakeBoard::setCaption(Ctl c, const QString& text, int index)
{
    const Key k = key(c, index);
    if (c == Ctl::txtPick) {
        const QString limited = text.left(1);  // the box holds one character
        if (captions.value(k) == limited)
            return;
        captions[k] = limited;
        if (game_)
            game_->txtPick_Change();
        return;
    }
    captions[k] = text;
}

void FakeBoard::setLeft(Ctl c, int twips)
{
    if (c == Ctl::fraPlayer)
        frameLefts << twips;
}

void FakeBoard::setValue(Ctl c, bool on, int index)
{
    const Key k = key(c, index);
    const bool was = values.value(k, false);
    if (!on) {
        values[k] = false;
        return;
    }
    // One selected option per frame.
    const QList<Ctl> speed = {Ctl::optNormal, Ctl::optFaster, Ctl::optFastest};
    if (speed.contains(c)) {
        for (Ctl other : speed)
            values[key(other, 0)] = false;
    } else {
        for (int i : {2, 4, 6})
            values[key(Ctl::optPick, i)] = false;
    }
    values[k] = true;
    if (was || !game_)
        return;
    switch (c) {
    case Ctl::optNormal: game_->optNormal_Click(); break;
    case Ctl::optFaster: game_->optFaster_Click(); break;
    case Ctl::optFastest: game_->optFastest_Click(); break;
    case Ctl::optPick: game_->optPick_Click(index); break;
    default: break;
    }
}

bool FakeBoard::canFocus(Ctl c) const
{
    const bool frameOn = (c == Ctl::txtPick || c == Ctl::cmdOK || c == Ctl::optPick)
                             ? isEnabled(Ctl::fraPlayer)
                             : true;
    return isEnabled(c) && frameOn && isVisible(c);
}

void FakeBoard::setFocus(Ctl c)
{
    const bool changed = !hasFocus || focus != c;
    focus = c;
    hasFocus = true;
    if (changed && c == Ctl::txtPick && game_)
        game_->txtPick_GotFocus();
}

void FakeBoard::doEvents()
{
    ++events;
    if (onEvents)
        onEvents();
}

void FakeBoard::pause(const std::function<double()>& seconds, bool processEvents)
{
    // As in the window, the length is read again after events were handled: a
    // speed changed meanwhile decides when the pause under way ends.
    const qsizetype at = pauses.size();
    pauses << qMakePair(seconds(), processEvents);
    if (processEvents && onEvents) {
        onEvents();
        pauses[at].first = seconds();
    }
}

Answer FakeBoard::msgBox(const QString& text, MsgStyle style, const QString& title)
{
    messages << qMakePair(text, title);
    messageStyles << style;
    // The window goes on handling events while a message box is open.
    if (onEvents)
        onEvents();
    if (answers.empty())
        return style == MsgStyle::OkOnly ? Answer::Ok : Answer::No;
    const Answer a = answers.front();
    answers.pop_front();
    return a;
}

Table::Table()
{
    board.attach(game);
    m.PlayerName[1] = QStringLiteral("Player 1");
    m.PlayerName[2] = QStringLiteral("Player 2");
    m.SoundDir = QStringLiteral("/game/");
}

void Table::fillRow(Kind kind)
{
    for (Kind& k : board.tokens)
        k = kind;
    board.tokens[73] = Kind::Negative;
}

}  // namespace dovrel::testing
