#include "ui/wave_file.h"

#include <QFile>
#include <QtEndian>

namespace dovrel {

namespace {

constexpr quint16 Pcm = 1;
constexpr quint16 Float = 3;
constexpr quint16 Extensible = 0xFFFE;
// A cue is a short sound; anything much longer is not one.
constexpr quint32 MaxSoundBytes = 64u << 20;

quint16 u16(const char* p) { return qFromLittleEndian<quint16>(p); }
quint32 u32(const char* p) { return qFromLittleEndian<quint32>(p); }

std::optional<WaveSound::Sample> sampleOf(quint16 tag, int bits)
{
    if (tag == Pcm && bits == 8)
        return WaveSound::Sample::UInt8;
    if (tag == Pcm && bits == 16)
        return WaveSound::Sample::Int16;
    if (tag == Pcm && bits == 32)
        return WaveSound::Sample::Int32;
    if (tag == Float && bits == 32)
        return WaveSound::Sample::Float;
    return std::nullopt;
}

}  // namespace

std::optional<WaveSound> readWave(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    char riff[12];
    if (file.read(riff, 12) != 12 || qstrncmp(riff, "RIFF", 4) != 0 || qstrncmp(riff + 8, "WAVE", 4) != 0)
        return std::nullopt;

    std::optional<WaveSound> sound;
    int blockAlign = 0;
    // The chunks up to the sound; the format comes before it.
    for (;;) {
        char head[8];
        if (file.read(head, 8) != 8)
            return std::nullopt;
        const quint32 size = u32(head + 4);
        const qint64 next = file.pos() + size + (size & 1);  // chunks are padded to even sizes
        if (qstrncmp(head, "fmt ", 4) == 0) {
            char fmt[40] = {};
            if (size < 16 || file.read(fmt, qMin<quint32>(size, 40)) < 16)
                return std::nullopt;
            quint16 tag = u16(fmt);
            if (tag == Extensible && size >= 40)
                tag = u16(fmt + 24);  // the sub-format's first two bytes are its tag
            const int channels = u16(fmt + 2), bits = u16(fmt + 14);
            const quint32 rate = u32(fmt + 4);
            blockAlign = u16(fmt + 12);
            const auto sample = sampleOf(tag, bits);
            if (!sample || channels < 1 || channels > 8 || rate < 1000 || rate > 384000
                || blockAlign != channels * bits / 8)
                return std::nullopt;
            sound = WaveSound{*sample, channels, static_cast<int>(rate), {}};
        } else if (qstrncmp(head, "data", 4) == 0) {
            if (!sound || size == 0 || size % blockAlign != 0 || size > MaxSoundBytes)
                return std::nullopt;
            sound->frames = file.read(size);
            if (sound->frames.size() != static_cast<qsizetype>(size))
                return std::nullopt;  // cut off
            return sound;
        }
        if (!file.seek(next))
            return std::nullopt;
    }
}

}  // namespace dovrel
