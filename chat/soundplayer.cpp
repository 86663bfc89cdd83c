// Plays the built-in game and chatter sounds by name, without waiting and without a fuss.
#include "chat/soundplayer.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QMediaDevices>
#include <QTimer>
#include <QtEndian>

// The wave files are compiled into an object library whose objects register themselves; naming
// the initialiser here also makes the linker keep them when they arrive through a static archive.
static void initSoundResources() {
    Q_INIT_RESOURCE(sounds);
}

namespace {

// How long a finished sound's stream stays open for the server to play out its buffer.
constexpr int kDrainMs = 1000;

QtMessageHandler g_previousHandler = nullptr;

// The first look at the audio devices starts the sound server's client, which on a machine
// without a sound server warns on the default category. The player copes with having no output,
// so that warning tells the user nothing; everything else goes through untouched.
void dropSoundServerNoise(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtWarningMsg && text.startsWith(QLatin1String("PulseAudioService:"))) return;
    g_previousHandler(type, context, text);
}

QAudioDevice audioOutput() {
    static bool probed = false;
    if (!probed) {
        probed = true;
        g_previousHandler = qInstallMessageHandler(dropSoundServerNoise);
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        qInstallMessageHandler(g_previousHandler);
        return device;
    }
    // Asked again each time: an output may come or go while the program runs.
    return QMediaDevices::defaultAudioOutput();
}

quint16 u16(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint16>(reinterpret_cast<const uchar*>(b.constData() + at));
}
quint32 u32(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint32>(reinterpret_cast<const uchar*>(b.constData() + at));
}

} // namespace

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {
    initSoundResources();
}

SoundPlayer::~SoundPlayer() {
    // The sinks go with the other children; this one must not call back into a half-gone player.
    if (m_sink) m_sink->disconnect(this);
}

const QStringList& SoundPlayer::soundNames() {
    static const QStringList names = [] {
        QStringList list{"cribcard",  "entered", "go",      "placecard", "points",
                         "roundover", "turn",    "turnnew", "winner",    "wrong"};
        for (int i = 1; i <= 20; ++i) list.append(QStringLiteral("wave%1").arg(i));
        return list;
    }();
    return names;
}

QString SoundPlayer::resourcePath(const QString& name) {
    // Only our own names reach the resource system: a chatter sound's name comes off the wire.
    const QString key = name.toLower();
    if (!soundNames().contains(key)) return {};
    return QStringLiteral(":/sounds/%1.wav").arg(key);
}

bool SoundPlayer::hasSound(const QString& name) const {
    return !resourcePath(name).isEmpty();
}

bool SoundPlayer::decodeWave(const QByteArray& file, QAudioFormat* format, QByteArray* samples) {
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE") return false;
    QAudioFormat found;
    QByteArray data;
    bool haveFormat = false;
    for (qsizetype at = 12; at + 8 <= file.size();) {
        const QByteArray id = file.mid(at, 4);
        const qsizetype size = u32(file, at + 4);
        const qsizetype body = at + 8;
        if (size > file.size() - body) return false;
        if (id == "fmt ") {
            if (size < 16 || u16(file, body) != 1) return false; // 1: plain PCM
            const int channels = u16(file, body + 2);
            const int rate = int(u32(file, body + 4));
            const int bits = u16(file, body + 14);
            if (channels < 1 || channels > 2 || rate < 1000 || rate > 192000) return false;
            if (bits == 8)
                found.setSampleFormat(QAudioFormat::UInt8);
            else if (bits == 16)
                found.setSampleFormat(QAudioFormat::Int16);
            else
                return false;
            if (u16(file, body + 12) != channels * bits / 8) return false;
            found.setChannelCount(channels);
            found.setSampleRate(rate);
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat) return false;
            data = file.mid(body, size);
        }
        at = body + size + (size & 1); // chunks are padded to even lengths
    }
    if (!haveFormat || data.isEmpty()) return false;
    // A last partial frame would shift every later sample of a stereo sound by one channel.
    data.truncate(data.size() - data.size() % found.bytesPerFrame());
    *format = found;
    *samples = data;
    return !data.isEmpty();
}

void SoundPlayer::setMuted(bool muted) {
    m_muted = muted;
    if (muted) stopCurrent();
}

void SoundPlayer::play(const QString& name) {
    const QString key = name.toLower();
    if (!soundNames().contains(key)) return;
    emit started(key);
    if (m_muted || !QCoreApplication::instance()) return;

    const Sound& sound = load(key);
    if (sound.samples.isEmpty()) return;
    stopCurrent();
    // Without an output a sink would warn on every play and sound nothing anyway.
    const QAudioDevice device = audioOutput();
    if (device.isNull()) return;

    // One sink per sound. When its samples run out it is not stopped at once: that throws away
    // what the sound server still holds, the last tenth of a second or so of every sound and all
    // of a short one. It is closed a little later, so an idle stream does not keep the device
    // awake, or sooner by the next sound.
    QAudioSink* sink = new QAudioSink(device, sound.format, this);
    auto* buffer = new QBuffer(sink);
    buffer->setData(sound.samples);
    buffer->open(QIODevice::ReadOnly);
    connect(sink, &QAudioSink::stateChanged, this, [this, sink](QAudio::State state) {
        if (state != QAudio::IdleState) return;
        QTimer::singleShot(kDrainMs, sink, [this, sink] {
            if (m_sink == sink && sink->state() == QAudio::IdleState) stopCurrent();
        });
    });
    m_sink = sink;
    sink->start(buffer);
}

void SoundPlayer::stopCurrent() {
    if (!m_sink) return;
    m_sink->disconnect(this);
    m_sink->stop();
    // Later, not now: this may run inside one of the sink's own callbacks.
    m_sink->deleteLater();
    m_sink = nullptr;
}

const SoundPlayer::Sound& SoundPlayer::load(const QString& name) {
    auto it = m_sounds.find(name);
    if (it == m_sounds.end()) {
        Sound sound;
        QFile file(resourcePath(name));
        if (file.open(QIODevice::ReadOnly) &&
            !decodeWave(file.readAll(), &sound.format, &sound.samples))
            sound.samples.clear();
        it = m_sounds.insert(name, sound);
    }
    return *it;
}
