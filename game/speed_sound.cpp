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

void Game::mnuSound_Click()
{
    if (view_.caption(Ctl::mnuSound) == QLatin1String("Turn &Sound On")) {
        m_.SoundOn = True;
        view_.setCaption(Ctl::mnuSound, QStringLiteral("Turn &Sound Off"));
        prepareCues();
    } else {
        m_.SoundOn = False;
        view_.setCaption(Ctl::mnuSound, QStringLiteral("Turn &Sound On"));
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
