// Checks the compiled-in sounds are sound files a player would want to hear, and the player.
#include "chat/soundplayer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QtEndian>
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace {

class AppEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (!QCoreApplication::instance()) {
            static int argc = 1;
            static char name[] = "test_sounds";
            static char* argv[] = {name, nullptr};
            m_app = new QCoreApplication(argc, argv);
        }
    }
    void TearDown() override {
        delete m_app;
        m_app = nullptr;
    }

private:
    QCoreApplication* m_app = nullptr;
};

const auto* const g_env = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

struct Measure {
    QAudioFormat format;
    double seconds = 0;
    double peak = 0;          // of full scale
    double rms = 0;           // of full scale
    int fullScaleSamples = 0; // samples pinned at either rail: hard clipping
    double onset = -1;        // seconds until the first sample above 1% of full scale
};

// What the player would play, measured the way an ear would judge it.
std::optional<Measure> measure(const QByteArray& file) {
    Measure m;
    QByteArray samples;
    if (!SoundPlayer::decodeWave(file, &m.format, &samples)) return std::nullopt;
    const bool eightBit = m.format.sampleFormat() == QAudioFormat::UInt8;
    const qsizetype count = samples.size() / m.format.bytesPerSample();
    const int channels = m.format.channelCount();
    m.seconds = double(count / channels) / m.format.sampleRate();
    double sumSquares = 0;
    for (qsizetype i = 0; i < count; ++i) {
        double x;
        bool rail;
        if (eightBit) {
            const int v = uchar(samples[i]); // 8-bit WAVE samples are unsigned around 128
            x = (v - 128) / 128.0;
            rail = v == 0 || v == 255;
        } else {
            const qint16 v = qFromLittleEndian<qint16>(samples.constData() + i * 2);
            x = v / 32768.0;
            rail = v == -32768 || v == 32767;
        }
        m.peak = std::max(m.peak, std::abs(x));
        sumSquares += x * x;
        if (rail) ++m.fullScaleSamples;
        if (m.onset < 0 && std::abs(x) > 0.01)
            m.onset = double(i / channels) / m.format.sampleRate();
    }
    m.rms = std::sqrt(sumSquares / double(count));
    return m;
}

QString sourceDir() {
    return QStringLiteral(CRIBBAGE_SOUNDS_DIR);
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool isGameSound(const QString& name) {
    return !name.startsWith("wave");
}

TEST(SoundResources, EveryNameIsCompiledInAndNothingElse) {
    QStringList expected;
    for (const QString& name : SoundPlayer::soundNames()) expected << name + ".wav";
    expected.sort();
    QStringList present = QDir(":/sounds").entryList(QDir::Files);
    present.sort();
    EXPECT_EQ(present, expected);
    EXPECT_EQ(expected.size(), 30);
}

TEST(SoundResources, EachIsPlainPcmOfSaneLengthAndLevel) {
    qint64 total = 0;
    for (const QString& name : SoundPlayer::soundNames()) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray bytes = readAll(SoundPlayer::resourcePath(name));
        ASSERT_FALSE(bytes.isEmpty());
        // The program must carry exactly what the generator wrote.
        EXPECT_EQ(bytes, readAll(sourceDir() + "/" + name + ".wav"));
        total += bytes.size();

        // Strict readers trust the header's sizes and rates, so they must add up.
        ASSERT_GE(bytes.size(), 44);
        EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 4), quint32(bytes.size() - 8));
        const auto m = measure(bytes);
        ASSERT_TRUE(m) << "not plain PCM";
        ASSERT_EQ(bytes.mid(12, 4), "fmt ");
        EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 28),
                  quint32(m->format.sampleRate() * m->format.bytesPerFrame()));
        EXPECT_EQ(m->format.channelCount(), 1);
        EXPECT_GE(m->format.sampleRate(), 8000);
        EXPECT_LE(m->format.sampleRate(), 22050);
        EXPECT_GE(m->seconds, 0.04);
        EXPECT_LE(m->seconds, 5.5);
        EXPECT_GT(m->peak, 0.3) << "too quiet to hear over the table";
        EXPECT_GT(m->rms, 0.01) << "mostly silence";
        EXPECT_EQ(m->fullScaleSamples, 0) << "clips";
        // A game sound answers a click and must start with it; a chatter sound may swell in.
        EXPECT_LE(m->onset, isGameSound(name) ? 0.02 : 0.3);
    }
    EXPECT_LT(total, 1024 * 1024) << "the sounds should not bloat the program";
}

TEST(SoundResources, DamagedFilesAreNeverPlayed) {
    const QByteArray good = readAll(SoundPlayer::resourcePath("placecard"));
    ASSERT_GT(good.size(), 44);
    QByteArray mp3 = good;
    mp3[20] = 0x55; // the format tag of MPEG layer 3 data
    QByteArray twentyFourBits = good;
    twentyFourBits[34] = 24;
    QByteArray hugeChunk = good;
    hugeChunk[40] = char(0xff); // a data chunk claiming more than the file holds
    hugeChunk[43] = 0x7f;
    const QByteArray cases[] = {
        good.left(good.size() - 10),        mp3,         twentyFourBits, hugeChunk,
        QByteArray("RIFF\0\0\0\0WAVE", 12), QByteArray()};
    for (const QByteArray& bad : cases) EXPECT_FALSE(measure(bad));
}

TEST(SoundResources, ThePlayerSkipsChunksItDoesNotNeed) {
    const QByteArray good = readAll(SoundPlayer::resourcePath("go"));
    ASSERT_GT(good.size(), 44);
    QAudioFormat plainFormat, format;
    QByteArray plain, samples;
    ASSERT_TRUE(SoundPlayer::decodeWave(good, &plainFormat, &plain));
    // Editors add LIST chunks; an odd-sized chunk is followed by a pad byte.
    QByteArray tagged = good.left(36) + QByteArray("LIST\3\0\0\0abc\0", 12) + good.mid(36);
    qToLittleEndian<quint32>(quint32(tagged.size() - 8), tagged.data() + 4);
    ASSERT_TRUE(SoundPlayer::decodeWave(tagged, &format, &samples));
    EXPECT_EQ(format, plainFormat);
    EXPECT_EQ(samples, plain);
}

// Measured by an outside reader too, so a fault shared by the player's decoder and the
// measurements above cannot hide.
TEST(SoundSources, SoxAgreesWithTheParser) {
    const QString sox = QStandardPaths::findExecutable("sox");
    if (sox.isEmpty()) GTEST_SKIP() << "sox is not installed";
    for (const QString& name : SoundPlayer::soundNames()) {
        SCOPED_TRACE(name.toStdString());
        const QString path = sourceDir() + "/" + name + ".wav";
        const auto m = measure(readAll(path));
        ASSERT_TRUE(m);

        QProcess info;
        info.start(sox, {"--i", "-r", path});
        ASSERT_TRUE(info.waitForFinished(10000));
        EXPECT_EQ(info.readAllStandardOutput().trimmed().toInt(), m->format.sampleRate());

        QProcess stat;
        stat.start(sox, {path, "-n", "stat"});
        ASSERT_TRUE(stat.waitForFinished(10000));
        ASSERT_EQ(stat.exitCode(), 0);
        double length = -1, maximum = -1, minimum = 1, rms = -1;
        for (const QByteArray& line : stat.readAllStandardError().split('\n')) {
            const int colon = line.indexOf(':');
            if (colon < 0) continue;
            const QByteArray key = line.left(colon).simplified();
            const double value = line.mid(colon + 1).trimmed().toDouble();
            if (key == "Length (seconds)") length = value;
            if (key == "Maximum amplitude") maximum = value;
            if (key == "Minimum amplitude") minimum = value;
            if (key == "RMS amplitude") rms = value;
        }
        EXPECT_NEAR(length, m->seconds, 0.001);
        EXPECT_NEAR(std::max(maximum, -minimum), m->peak, 0.01);
        EXPECT_NEAR(rms, m->rms, 0.005);
    }
}

TEST(SoundPlayer, ResolvesOurNamesInAnyCaseAndNothingElse) {
    SoundPlayer player;
    for (const char* name :
         {"placecard", "PLACECARD", "PlaceCard", "wave13", "WAVE13", "Wave20", "go", "TURNNEW"}) {
        EXPECT_TRUE(player.hasSound(name)) << name;
        EXPECT_TRUE(QFile::exists(SoundPlayer::resourcePath(name))) << name;
    }
    EXPECT_EQ(SoundPlayer::resourcePath("WAVE13"), ":/sounds/wave13.wav");
    // Chatter names arrive from other players, so only our exact names may reach the resources.
    for (const char* name : {"", "wave0", "wave21", "wave", "placecard.wav", " placecard",
                             "../sounds/go", "sounds/go", "cheer"})
        EXPECT_FALSE(player.hasSound(name)) << name;
    EXPECT_TRUE(SoundPlayer::resourcePath("wave21").isEmpty());
}

TEST(SoundPlayer, TellsTheObserverWhatIsHeardAndIgnoresUnknownNames) {
    SoundPlayer player;
    player.setMuted(true);
    QStringList heard;
    QObject::connect(&player, &SoundPlayer::started, [&](const QString& name) { heard << name; });
    for (const char* name : {"PlaceCard", "nosuch", "WAVE7", "", "wave21", "placecard"})
        player.play(name);
    EXPECT_EQ(heard, QStringList({"placecard", "wave7", "placecard"}));
}

QStringList* g_messages = nullptr;
void collectMessages(QtMsgType, const QMessageLogContext&, const QString& text) {
    if (g_messages) *g_messages << text;
}

// Test machines have no sound card and no sound server: playing must neither wait nor warn.
TEST(SoundPlayer, PlaysWithoutWaitingOrWarningWhateverTheOutput) {
    QStringList messages;
    g_messages = &messages;
    const QtMessageHandler previous = qInstallMessageHandler(collectMessages);
    {
        SoundPlayer player;
        QElapsedTimer clock;
        clock.start();
        player.play("go");
        player.play("GO");
        player.play("nosuch");
        QCoreApplication::processEvents();
        // Only a guard against a play that blocks until some device times out; a busy machine
        // under the sanitizers may take a while, so the bound is far from any real pace.
        EXPECT_LT(clock.elapsed(), 30000);
    }
    qInstallMessageHandler(previous);
    g_messages = nullptr;
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
}

} // namespace
