#include "game/game.h"

namespace dovrel {

void Game::setSpeed(float delay)
{
    m_.StepDelay = delay;
    if (view_.isEnabled(Ctl::txtPick) && view_.canFocus(Ctl::txtPick))
        view_.setFocus(Ctl::txtPick);
}

void Game::optNormal_Click() { setSpeed(1.0f); }
void Game::optFaster_Click() { setSpeed(0.75f); }
void Game::optFastest_Click() { setSpeed(0.5f); }

void Game::mnuNormalSpeed_Click() { view_.setValue(Ctl::optNormal, true); }
void Game::mnuFasterSpeed_Click() { view_.setValue(Ctl::optFaster, true); }
void Game::mnuFastestSpeed_Click() { view_.setValue(Ctl::optFastest, true); }

QString Game::soundOnCaption()
{
    //: Options menu item; S is also the Speed submenu's key in English.
    return tr("Turn &Sound On");
}

QString Game::soundOffCaption()
{
    //: Options menu item, in place of "Turn &Sound On" while the sound is on.
    return tr("Turn &Sound Off");
}

QString Game::neutralCaption()
{
    //: What a neutral token scores: in a point box 90 pixels wide, in bold,
    //: and under its picture in the key (bold, 9 pixels high), where a word
    //: wider than 42 pixels is drawn smaller.
    return tr("10 Points");
}

void Game::mnuSound_Click()
{
    if (view_.caption(Ctl::mnuSound) == soundOnCaption()) {
        m_.SoundOn = True;
        view_.setCaption(Ctl::mnuSound, soundOffCaption());
        prepareCues();
    } else {
        m_.SoundOn = False;
        view_.setCaption(Ctl::mnuSound, soundOnCaption());
    }
}

// The audio stack is woken only once the sound is on, and then before the
// first cue is due.
void Game::prepareCues()
{
    QStringList paths;
    for (int i = 1; i <= 6; ++i)
        paths << m_.SoundDir + QStringLiteral("ding%1.wav").arg(i);
    paths << m_.SoundDir + QStringLiteral("loss.wav") << m_.SoundDir + QStringLiteral("win.wav");
    cues_.prepare(paths);
}

void Game::PlaySoundCue(const QString& name)
{
    if (!m_.SoundOn)
        return;
    cues_.play(m_.SoundDir + name);
}

}  // namespace dovrel
