#include "ui/wave_check.h"

#include <QFile>
#include <QtEndian>

namespace dovrel {

namespace {

constexpr quint16 Pcm = 1;
constexpr quint16 Float = 3;
constexpr quint16 Extensible = 0xFFFE;

quint16 u16(const char* p) { return qFromLittleEndian<quint16>(p); }
quint32 u32(const char* p) { return qFromLittleEndian<quint32>(p); }

}  // namespace

bool isPlayableWave(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    char riff[12];
    if (file.read(riff, 12) != 12 || qstrncmp(riff, "RIFF", 4) != 0 || qstrncmp(riff + 8, "WAVE", 4) != 0)
        return false;

    quint32 blockAlign = 0;
    // Chunks up to the sound data; the format has to come first.
    for (;;) {
        char head[8];
        if (file.read(head, 8) != 8)
            return false;
        const quint32 size = u32(head + 4);
        const qint64 next = file.pos() + size + (size & 1);  // chunks are padded to even sizes
        if (qstrncmp(head, "fmt ", 4) == 0) {
            char fmt[16];
            if (size < 16 || file.read(fmt, 16) != 16)
                return false;
            const quint16 tag = u16(fmt), channels = u16(fmt + 2), bits = u16(fmt + 14);
            const quint32 rate = u32(fmt + 4);
            blockAlign = u16(fmt + 12);
            const bool sampleKnown = ((tag == Pcm || tag == Extensible) && (bits == 8 || bits == 16 || bits == 24 || bits == 32))
                                     || (tag == Float && bits == 32);
            if (!sampleKnown || channels < 1 || channels > 8 || rate < 1000 || rate > 384000
                || blockAlign != channels * bits / 8)
                return false;
        } else if (qstrncmp(head, "data", 4) == 0) {
            // All of the sound must be there, or the audio stack hangs on it,
            // and it must be whole frames, or it hangs too.
            return blockAlign > 0 && size >= blockAlign && size % blockAlign == 0
                   && file.size() - file.pos() >= size;
        }
        if (!file.seek(next))
            return false;
    }
}

}  // namespace dovrel
