#pragma once
// Helpers for the cue player's tests: wave files made to measure, and what the
// process writes to its standard error.
#include <QByteArray>
#include <QString>

namespace dovrel::testing {

// A wave file's bytes: `data` under a format chunk with these fields.
QByteArray waveBytes(int channels, int rate, int bits, const QByteArray& data, int formatTag = 1);
// A short, valid cue: a tenth of a second of a 16-bit mono tone.
QByteArray toneWave();
void writeFile(const QString& path, const QByteArray& bytes);

// Catches everything written to file descriptor 2 while it lives, the audio
// libraries' own writes included, which no Qt message handler sees.
class StderrCapture {
public:
    StderrCapture();
    ~StderrCapture();
    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;
    // Ends the capture and returns what was written.
    QByteArray finish();

private:
    int saved_ = -1;
    int file_ = -1;
};

}  // namespace dovrel::testing
