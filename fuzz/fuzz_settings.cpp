// Fuzzes the settings file reader, and the writers on whatever the reader accepted: what they
// write must read back, and writing again must not reshape the file.
#include "settings/inifile.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "fuzz_settings: %s\n", what);
        std::abort();
    }
}

// A memory file system keeps the rate up and the disk out of it.
const QString& scratchPath() {
    static const QString path =
        QStringLiteral("/dev/shm/cribbage-fuzz-%1.ini").arg(qint64(::getpid()));
    return path;
}

void writeFile(const QByteArray& bytes) {
    QFile file(scratchPath());
    check(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot write the scratch file");
    check(file.write(bytes) == bytes.size(), "cannot write the scratch file");
}

QByteArray readFile() {
    QFile file(scratchPath());
    check(file.open(QIODevice::ReadOnly), "cannot read the scratch file");
    return file.readAll();
}

// What a value becomes on its way through the file: control characters dropped, trimmed.
QString stored(const QString& value) {
    QString clean;
    for (const QChar c : value)
        if (c.category() != QChar::Other_Control) clean.append(c);
    return clean.trimmed();
}

bool sameWritten(const IniSettings& a, const IniSettings& b) {
    return a.top == b.top && a.left == b.left && a.width == b.width && a.height == b.height &&
           a.textSize == b.textSize && a.turnSound == b.turnSound &&
           a.chatterSounds == b.chatterSounds && a.botSpeed == b.botSpeed &&
           a.playSounds == b.playSounds;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    writeFile(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    QString error;
    const IniSettings loaded = loadinifile(scratchPath(), &error);
    check(error.isEmpty(), "a readable file reported as unreadable");

    // Writing what was read, then reading it again, gives the same settings.
    check(saveinifile(loaded, scratchPath()).isEmpty(), "saving failed");
    const IniSettings reread = loadinifile(scratchPath());
    check(sameWritten(loaded, reread), "a saved setting reads back different");
    check(reread.textColor == stored(loaded.textColor), "the text colour reads back different");

    // Saving the same settings again must leave the file alone, or it would change (grow) on
    // every menu click. The first save may still settle the line ends: a file with a lone "\r"
    // gets its first "\r\n" from it, and the section follows that from then on.
    check(saveinifile(reread, scratchPath()).isEmpty(), "saving again failed");
    const QByteArray twice = readFile();
    check(saveinifile(loadinifile(scratchPath()), scratchPath()).isEmpty(), "saving again failed");
    check(readFile() == twice, "saving the same settings again changed the file");

    // The phrase editor's writer on the phrases read.
    check(savePhrases(loaded.phrases, scratchPath()).isEmpty(), "saving the phrases failed");
    const IniSettings phrases = loadinifile(scratchPath());
    for (int n = 0; n < PhraseCount; ++n)
        check(phrases.phrases[n] == stored(loaded.phrases[n]), "a phrase reads back different");
    check(sameWritten(phrases, reread), "saving the phrases changed another setting");
    return 0;
}
