// Plays the built-in game and chatter sounds by name, without waiting and without a fuss.
#pragma once

#include <QAudioFormat>
#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

class QAudioSink;

class SoundPlayer : public QObject {
    Q_OBJECT
public:
    explicit SoundPlayer(QObject* parent = nullptr);
    ~SoundPlayer() override;

    // Starts the sound of that name ("placecard", "WAVE13": case does not matter) and returns at
    // once; a sound still playing stops. A name that is not one of ours plays nothing, as does a
    // machine without an audio output.
    void play(const QString& name);
    bool hasSound(const QString& name) const;

    // The resource names in lower case: the ten game sounds, then wave1 to wave20.
    static const QStringList& soundNames();
    // ":/sounds/<name>.wav" for one of ours, empty otherwise.
    static QString resourcePath(const QString& name);

    // Reads a RIFF WAVE file of 8- or 16-bit PCM into its format and sample bytes; false for
    // anything else (compressed data, a cut-off file), which is then never played.
    static bool decodeWave(const QByteArray& file, QAudioFormat* format, QByteArray* samples);

    // A muted player still resolves names and tells the observer, but leaves the audio device
    // alone; tests mute so they neither need nor disturb a sound card.
    void setMuted(bool muted);
    bool isMuted() const { return m_muted; }

signals:
    // The lower-case name of every sound that starts, whether or not a device will sound it,
    // so tests of the table can see what would be heard.
    void started(const QString& name);

private:
    struct Sound {
        QAudioFormat format;
        QByteArray samples; // empty when the resource could not be read
    };
    const Sound& load(const QString& name);
    void stopCurrent();

    QHash<QString, Sound> m_sounds; // decoded on first use
    QAudioSink* m_sink = nullptr;   // the sound playing or last played
    bool m_muted = false;
};
