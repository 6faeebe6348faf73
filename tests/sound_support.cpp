#include "sound_support.h"

#include <QFile>
#include <QtEndian>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dovrel::testing {

namespace {

void put16(QByteArray& b, int v)
{
    char c[2];
    qToLittleEndian<quint16>(static_cast<quint16>(v), c);
    b.append(c, 2);
}

void put32(QByteArray& b, quint32 v)
{
    char c[4];
    qToLittleEndian<quint32>(v, c);
    b.append(c, 4);
}

}  // namespace

QByteArray waveBytes(int channels, int rate, int bits, const QByteArray& data, int formatTag)
{
    const int block = channels * bits / 8;
    QByteArray fmt;
    put16(fmt, formatTag);
    put16(fmt, channels);
    put32(fmt, static_cast<quint32>(rate));
    put32(fmt, static_cast<quint32>(rate * block));
    put16(fmt, block);
    put16(fmt, bits);
    QByteArray b("RIFF");
    put32(b, static_cast<quint32>(4 + 8 + fmt.size() + 8 + data.size()));
    b.append("WAVEfmt ");
    put32(b, static_cast<quint32>(fmt.size()));
    b.append(fmt);
    b.append("data");
    put32(b, static_cast<quint32>(data.size()));
    b.append(data);
    return b;
}

QByteArray toneWave()
{
    QByteArray data;
    for (int i = 0; i < 2205; ++i)
        put16(data, static_cast<int>(8000 * std::sin(2 * M_PI * 660.0 * i / 22050.0)));
    return waveBytes(1, 22050, 16, data);
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        std::abort();
}

bool makePipe(const QString& path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

void releasePipe(const QString& path)
{
    if (const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK); fd >= 0)
        ::close(fd);
}

SoundCues::EngineMaker audioModule()
{
    return SoundCues::moduleEngine(QStringLiteral(DOVREL_SOUND_MODULE_PATH));
}

StderrCapture::StderrCapture()
{
    std::fflush(stderr);
    char name[] = "/tmp/dovrel-stderr-XXXXXX";
    file_ = mkstemp(name);
    unlink(name);
    saved_ = dup(2);
    dup2(file_, 2);
}

StderrCapture::~StderrCapture()
{
    finish();
}

QByteArray StderrCapture::finish()
{
    if (saved_ < 0)
        return {};
    std::fflush(stderr);
    dup2(saved_, 2);
    close(saved_);
    saved_ = -1;
    QByteArray out;
    lseek(file_, 0, SEEK_SET);
    char buf[4096];
    for (ssize_t n; (n = read(file_, buf, sizeof buf)) > 0;)
        out.append(buf, n);
    close(file_);
    file_ = -1;
    return out;
}

}  // namespace dovrel::testing
