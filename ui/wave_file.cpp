#include "ui/wave_file.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dovrel {

namespace {

constexpr quint16 Pcm = 1;
constexpr quint16 Float = 3;
constexpr quint16 Extensible = 0xFFFE;
// A cue is a short sound (ours are well under 200 KB), and each is kept in
// memory for the whole run: a file much larger is not a cue.
constexpr qint64 MaxFileBytes = 8 << 20;
// Chunks before the sound are a few at most; a file made of many tiny ones is
// not worth walking.
constexpr int MaxChunks = 64;

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

// Opens a regular file only: a pipe or a device named like a cue file would
// block the cue thread in open() or read() for good. The file is opened
// without waiting and checked once open, so that it cannot be swapped for
// something else between the look and the open.
bool openRegularFile(QFile& file, const QString& path)
{
    if (!QFileInfo(path).isFile())
        return false;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > MaxFileBytes
        || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

}  // namespace

std::optional<WaveSound> readWave(const QString& path)
{
    QFile file;
    if (!openRegularFile(file, path))
        return std::nullopt;
    char riff[12];
    if (file.read(riff, 12) != 12 || qstrncmp(riff, "RIFF", 4) != 0 || qstrncmp(riff + 8, "WAVE", 4) != 0)
        return std::nullopt;

    std::optional<WaveSound> sound;
    int blockAlign = 0;
    // The chunks up to the sound; the format comes before it.
    for (int chunk = 0; chunk < MaxChunks; ++chunk) {
        char head[8];
        if (file.read(head, 8) != 8)
            return std::nullopt;
        const quint32 size = u32(head + 4);
        const qint64 end = file.pos() + size;
        if (end > MaxFileBytes)
            return std::nullopt;
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
            if (!sound || size == 0 || size % blockAlign != 0)
                return std::nullopt;
            sound->frames = file.read(size);
            if (sound->frames.size() != static_cast<qsizetype>(size))
                return std::nullopt;  // cut off
            return sound;
        }
        if (!file.seek(end + (size & 1)))  // chunks are padded to even sizes
            return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace dovrel
