#pragma once
// Reading cue files: the plain wave format, checked before anything of it
// reaches the audio stack.
#include <QByteArray>
#include <QString>
#include <optional>

namespace dovrel {

struct WaveSound {
    enum class Sample { UInt8, Int16, Int32, Float };
    Sample sample = Sample::Int16;
    int channels = 0;
    int rate = 0;
    QByteArray frames;  // interleaved samples, whole frames only
};

// The sound of a wave file, or nothing when the file is missing, not a regular
// file, empty, larger than a cue can be (8 MiB), cut off, ends in part of a
// frame, holds no frame at all, or is in a format the audio stack does not take
// as it is.
std::optional<WaveSound> readWave(const QString& path);

}  // namespace dovrel
