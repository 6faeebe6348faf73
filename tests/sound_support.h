#pragma once
// Helpers for the cue player's tests: wave files made to measure, pipes, the
// real audio module, and what the process writes to its standard error.
#include <QByteArray>
#include <QString>

#include "ui/sound.h"

namespace dovrel::testing {

// A wave file's bytes: `data` under a format chunk with these fields.
QByteArray waveBytes(int channels, int rate, int bits, const QByteArray& data, int formatTag = 1);
// A short, valid cue: a tenth of a second of a 16-bit mono tone.
QByteArray toneWave();
// Writes the file whole, or ends the test program.
void writeFile(const QString& path, const QByteArray& bytes);

// Makes a named pipe at `path`, which nothing writes to, so that reading it
// waits for good; false should it fail.
bool makePipe(const QString& path);
// Lets go a reader waiting on the pipe: a writer comes and goes.
void releasePipe(const QString& path);

// The audio module the program loads, from the build.
SoundCues::EngineMaker audioModule();

// Catches everything written to file descriptor 2 while it lives, the audio
// libraries' own writes included, which no Qt message handler sees.
class StderrCapture {
public:
    StderrCapture();
    ~StderrCapture();
    Q_DISABLE_COPY(StderrCapture)
    // Ends the capture and returns what was written.
    QByteArray finish();

private:
    int saved_ = -1;
    int file_ = -1;
};

}  // namespace dovrel::testing
