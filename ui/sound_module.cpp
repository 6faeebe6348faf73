// The audio module: plays cues through Qt Multimedia's audio output, on the
// thread that made the engine, whose event loop feeds the sound to the device.
// The cue files are read here, ahead of need, into memory; the device only
// ever sees sound that has been checked.
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#include <map>
#include <memory>

#include "ui/cue_engine.h"
#include "ui/wave_file.h"

namespace {

using dovrel::WaveSound;

QAudioFormat formatOf(const WaveSound& sound)
{
    QAudioFormat f;
    f.setSampleRate(sound.rate);
    f.setChannelCount(sound.channels);
    switch (sound.sample) {
    case WaveSound::Sample::UInt8: f.setSampleFormat(QAudioFormat::UInt8); break;
    case WaveSound::Sample::Int16: f.setSampleFormat(QAudioFormat::Int16); break;
    case WaveSound::Sample::Int32: f.setSampleFormat(QAudioFormat::Int32); break;
    case WaveSound::Sample::Float: f.setSampleFormat(QAudioFormat::Float); break;
    }
    return f;
}

class SinkEngine final : public dovrel::CueEngine {
public:
    ~SinkEngine() override { stop(); }

    void setStarted(Started started) override { started_ = std::move(started); }

    void load(const QString& path) override
    {
        // Connects to the sound system too, so that the first cue starts as
        // promptly as the rest.
        if (!deviceKnown_) {
            deviceKnown_ = true;
            QMediaDevices::defaultAudioOutput();
        }
        sound(path);
    }

    void play(const QString& path) override
    {
        const WaveSound* next = sound(path);
        if (!next)
            return;
        stop();
        buffer_ = std::make_unique<QBuffer>();
        buffer_->setData(next->frames);
        buffer_->open(QIODevice::ReadOnly);
        sink_ = std::make_unique<QAudioSink>(QMediaDevices::defaultAudioOutput(), formatOf(*next));
        QAudioSink* sink = sink_.get();
        QObject::connect(sink, &QAudioSink::stateChanged, sink, [this, path](QAudio::State state) {
            if (state == QAudio::ActiveState && started_)
                started_(path);
        });
        sink->start(buffer_.get());
    }

private:
    // Read once; a file that cannot be played is looked at again at its next cue.
    const WaveSound* sound(const QString& path)
    {
        if (const auto found = sounds_.find(path); found != sounds_.end())
            return &found->second;
        std::optional<WaveSound> read = dovrel::readWave(path);
        if (!read)
            return nullptr;
        return &sounds_.emplace(path, std::move(*read)).first->second;
    }

    // Cuts off the cue that still plays.
    void stop()
    {
        if (sink_)
            sink_->stop();
        sink_.reset();
        buffer_.reset();
    }

    std::map<QString, WaveSound> sounds_;
    std::unique_ptr<QBuffer> buffer_;
    std::unique_ptr<QAudioSink> sink_;
    Started started_;
    bool deviceKnown_ = false;
};

}  // namespace

extern "C" Q_DECL_EXPORT dovrel::CueEngine* dovrel_new_cue_engine()
{
    return new SinkEngine;
}
