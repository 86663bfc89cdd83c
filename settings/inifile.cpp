// The game's section of the settings file it shares with the lobby program.
#include "settings/inifile.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QStringDecoder>

#include <SimpleIni.h>

#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int ResetLeft = 3;
constexpr int ResetTop = 3;
constexpr int ResetWidth = 766;
constexpr int ResetHeight = 530;
constexpr int WorkAreaShrink = 15;
constexpr int MinTextSize = 1;
constexpr int MaxTextSize = 100;

const QByteArray Utf8Bom("\xEF\xBB\xBF");

// The file split around the game's section, so that the lobby program's part can be written
// back byte for byte. SimpleIni alone would drop comments at the end of the file, lines it does
// not understand, and the file's line ends.
struct IniDocument {
    QByteArray before;
    QByteArray section; // from the header to the section's last key; empty if there is none
    QByteArray after;
    QByteArray newline = "\n";
    std::string sectionName = UserFiles::GameName;
};

bool isComment(const QByteArray& trimmed) {
    return trimmed.startsWith(';') || trimmed.startsWith('#');
}

// Trimmed of what SimpleIni counts as blank: a form feed or vertical tab is part of a name to
// it, so a header "[Cribbage\f]" must not pass for ours (a save would then add our section
// again below it, every time).
QByteArray blankTrimmed(const QByteArray& text) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && blank(text[from])) ++from;
    while (to > from && blank(text[to - 1])) --to;
    return text.mid(from, to - from);
}

// The name of a section header line, or nullopt for any other line.
std::optional<QByteArray> headerName(const QByteArray& trimmed) {
    if (!trimmed.startsWith('[')) return std::nullopt;
    const qsizetype close = trimmed.indexOf(']');
    if (close < 0) return std::nullopt;
    return blankTrimmed(trimmed.mid(1, close - 1));
}

IniDocument splitDocument(QByteArray data) {
    IniDocument doc;
    if (data.contains("\r\n")) doc.newline = "\r\n";
    if (data.startsWith(Utf8Bom)) {
        doc.before = Utf8Bom;
        data.remove(0, Utf8Bom.size());
    }

    // Each line with its own line end, so joining them gives the file back. A line ends where
    // SimpleIni ends one: at "\n", "\r\n" or a lone "\r". Splitting at "\n" alone would let
    // "[cribbage\r]" be one line here and two to SimpleIni, and every save would add a line.
    QList<QByteArray> lines;
    for (qsizetype at = 0; at < data.size();) {
        qsizetype end = at;
        while (end < data.size() && data[end] != '\n' && data[end] != '\r') ++end;
        if (end < data.size()) {
            if (data[end] == '\r' && end + 1 < data.size() && data[end + 1] == '\n') ++end;
            ++end;
        }
        lines.append(data.mid(at, end - at));
        at = end;
    }

    qsizetype start = -1;
    qsizetype next = lines.size();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray trimmed = blankTrimmed(lines[i]);
        // SimpleIni opens a section at any line starting with "[", closed or not. Ours has to end
        // there as well, or each save would write that line back as a header of its own, one
        // more line every time, and take the keys below it away from the section.
        if (start >= 0 && trimmed.startsWith('[')) {
            next = i;
            break;
        }
        const auto name = headerName(trimmed);
        if (name && name->compare(UserFiles::GameName, Qt::CaseInsensitive) == 0) {
            start = i;
            doc.sectionName = name->toStdString();
        }
    }
    if (start < 0) {
        doc.before += data;
        return doc;
    }
    // Comments and blank lines just above the next header describe that section, not ours.
    qsizetype end = next;
    while (end > start + 1) {
        const QByteArray t = lines[end - 1].trimmed();
        if (!t.isEmpty() && !isComment(t)) break;
        --end;
    }
    for (qsizetype i = 0; i < lines.size(); ++i)
        (i < start ? doc.before : i < end ? doc.section : doc.after) += lines[i];
    return doc;
}

// Settings files may come from a system with a single-byte code page; such a value is read as
// Latin-1 rather than turned into replacement characters. A value that starts with U+FEFF keeps
// it: the decoder would otherwise take it for a byte order mark and drop it.
QString decodeValue(const char* value) {
    const QByteArray bytes(value);
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8(bytes);
    if (utf8.hasError()) text = QString::fromLatin1(bytes);
    return text;
}

// A line break in a value would end the key's line and make the rest a line of its own.
std::string encodeValue(const QString& value) {
    QString clean;
    clean.reserve(value.size());
    for (const QChar c : value)
        if (c.category() != QChar::Other_Control) clean.append(c);
    return clean.trimmed().toUtf8().toStdString();
}

class Section {
public:
    explicit Section(IniDocument doc) : m_doc(std::move(doc)), m_ini(false, true, false) {
        m_ini.SetSpaces(false);
        if (!m_doc.section.isEmpty())
            m_ini.LoadData(m_doc.section.constData(), m_doc.section.size());
    }

    std::optional<QString> value(const char* key) const {
        const char* v = m_ini.GetValue(m_doc.sectionName.c_str(), key, nullptr);
        if (!v) return std::nullopt;
        return decodeValue(v);
    }
    QString text(const char* key, const QString& fallback) const {
        return value(key).value_or(fallback);
    }
    int number(const char* key, int fallback) const {
        bool ok = false;
        const int n = text(key, QString()).trimmed().toInt(&ok);
        return ok ? n : fallback;
    }

    void set(const char* key, const QString& v) {
        m_ini.SetValue(m_doc.sectionName.c_str(), key, encodeValue(v).c_str(), nullptr, true);
    }

    QByteArray document() const {
        std::string out;
        m_ini.Save(out, false);
        // SimpleIni puts a blank line above every commented key; the section is written as
        // compactly as it was read instead, so saving does not reshape it.
        QByteArray section;
        for (const QByteArray& line : QByteArray::fromStdString(out).split('\n'))
            if (!line.trimmed().isEmpty()) section += line + m_doc.newline;

        QByteArray result = m_doc.before;
        if (m_doc.section.isEmpty()) {
            // A new section goes to the end, one blank line below whatever is there.
            const QByteArray body = result.mid(result.startsWith(Utf8Bom) ? Utf8Bom.size() : 0);
            if (!body.isEmpty()) {
                if (!body.endsWith('\n')) result += m_doc.newline;
                if (!body.trimmed().isEmpty()) result += m_doc.newline;
            }
        }
        return result + section + m_doc.after;
    }

private:
    IniDocument m_doc;
    CSimpleIniA m_ini; // case-insensitive section and key names, values passed through as bytes
};

QString readFile(const QString& path, QByteArray* data) {
    data->clear();
    QFile file(path);
    if (!file.exists()) return {};
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("The settings file %1 could not be read: %2")
            .arg(path, file.errorString());
    *data = file.readAll();
    return {};
}

// Reads, edits and writes the section as one step; the old file stays whole until the new one
// has been written completely.
template <typename Edit> QString editFile(const QString& path, Edit edit) {
    QByteArray data;
    // A file that exists but cannot be read is not replaced: it holds the lobby's settings too.
    if (QString error = readFile(path, &data); !error.isEmpty()) return error;
    Section section(splitDocument(data));
    edit(section);
    const QByteArray out = section.document();

    const UserFiles::WriteResult written = UserFiles::replaceFile(path, out);
    if (written.failed == UserFiles::WriteResult::Failed::Folder)
        return QStringLiteral("The settings file %1 could not be written: cannot create its folder")
            .arg(path);
    if (!written.ok())
        return QStringLiteral("The settings file %1 could not be written: %2")
            .arg(path, written.reason);
    return {};
}

QString boolText(bool b) {
    return b ? QStringLiteral("true") : QStringLiteral("false");
}

struct KeyText {
    IniKey key;
    const char* name;
    QString text;
};

// Every key as saveinifile() writes it, in the file's order.
std::vector<KeyText> keyTexts(const IniSettings& s) {
    return {
        {IniKey::Top, "Top", QString::number(s.top)},
        {IniKey::Left, "Left", QString::number(s.left)},
        {IniKey::Width, "Width", QString::number(s.width)},
        {IniKey::Height, "Height", QString::number(s.height)},
        {IniKey::Textsize, "Textsize", QString::number(s.textSize)},
        {IniKey::Turnsound, "Turnsound",
         s.turnSound == 1 ? QStringLiteral("1") : QStringLiteral("0")},
        {IniKey::ChatterSounds, "ChatterSounds", boolText(s.chatterSounds)},
        {IniKey::Textcolor, "Textcolor", s.textColor},
        // The game start window turns an empty choice into the first one before it starts.
        {IniKey::Playtoscore1, "Playtoscore1",
         s.playToScore.isEmpty() ? QStringLiteral("1") : s.playToScore},
        {IniKey::Gametype, "Gametype", s.gameType.isEmpty() ? QStringLiteral("1") : s.gameType},
        {IniKey::Botspeed, "Botspeed", QString::number(s.botSpeed)},
        {IniKey::Playsounds, "Playsounds", boolText(s.playSounds)},
        {IniKey::ComputerLevel, "ComputerLevel",
         s.computerLevel == 1 ? QStringLiteral("expert") : QStringLiteral("classic")},
        {IniKey::DiscardValues, "DiscardValues", boolText(s.discardValues)},
        {IniKey::Zoom, "Zoom", QString::number(isZoomEntry(s.zoom) ? s.zoom : 100)},
    };
}

// "Playtoscore1": a number above 2 means the first choice; something that is not a number,
// or names no choice, leaves the game start window as it is.
QString readPlayToScore(const std::optional<QString>& raw) {
    const QString text = raw.value_or(QStringLiteral("1")).trimmed();
    if (text.isEmpty()) return {};
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < 1) return {};
    return n > 2 ? QStringLiteral("1") : QString::number(n);
}

QString readGameType(const std::optional<QString>& raw) {
    const QString text = raw.value_or(QStringLiteral("1")).trimmed();
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok && n >= 1 && n <= 4 ? QString::number(n) : QString();
}

} // namespace

void IniSettings::setGeometry(const QRect& r) {
    left = r.x();
    top = r.y();
    width = r.width();
    height = r.height();
}

IniSettings IniSettings::beforeLogin() {
    IniSettings s;
    s.chatterSounds = false;
    s.textSize = 10;
    return s;
}

QRect defaultWindowGeometry() {
    return QRect(ResetLeft, ResetTop, ResetWidth, ResetHeight);
}

bool isTextSizeEntry(int size) {
    return size == 8 || size == 10 || size == 12 || size == 14;
}

bool isZoomEntry(int percent) {
    return percent == 100 || percent == 125 || percent == 150 || percent == 200;
}

IniSettings loadinifile(const QString& path, QString* error) {
    QByteArray data;
    const QString readError = readFile(path, &data);
    if (error) *error = readError;
    const Section ini(splitDocument(data));
    IniSettings s;

    s.textSize = ini.number("Textsize", 8);
    // A size the chat cannot show (or that would take the layout ages) counts as unreadable.
    if (s.textSize < MinTextSize || s.textSize > MaxTextSize) s.textSize = 8;
    s.top = ini.number("Top", ResetTop);
    s.left = ini.number("Left", ResetLeft);
    s.width = ini.number("Width", ResetWidth);
    s.height = ini.number("Height", ResetHeight);
    s.turnSound = ini.text("Turnsound", QStringLiteral("0")) == QLatin1String("1") ? 1 : 0;
    s.chatterSounds = ini.text("ChatterSounds", QStringLiteral("true")) != QLatin1String("false");
    s.textColor = ini.text("Textcolor", QStringLiteral("clblack"));
    s.playToScore = readPlayToScore(ini.value("Playtoscore1"));
    s.gameType = readGameType(ini.value("Gametype"));
    const QString speed = ini.text("Botspeed", QString()).trimmed();
    s.botSpeed = speed == QLatin1String("2000") ? 2000 : speed == QLatin1String("500") ? 500 : 1000;
    for (int n = 0; n < PhraseCount; ++n)
        s.phrases[n] = ini.text(("Phrase" + std::to_string(n + 1)).c_str(), QString());
    s.playSounds = ini.text("Playsounds", QStringLiteral("true")) != QLatin1String("false");
    // Both new keys read as they were before they existed when missing or not understood.
    s.computerLevel = ini.text("ComputerLevel", QString())
                                  .trimmed()
                                  .compare(QLatin1String("expert"), Qt::CaseInsensitive) == 0
                          ? 1
                          : 0;
    s.discardValues = ini.text("DiscardValues", QString()).trimmed() == QLatin1String("true");
    s.zoom = ini.number("Zoom", 100);
    if (!isZoomEntry(s.zoom)) s.zoom = 100;
    return s;
}

QString saveinifile(const IniSettings& s, const QString& path, IniKeys keys) {
    if (!keys) return {};
    // Keys added after files were already in use appear in a file only once they hold
    // something other than what their absence reads as: older files keep their shape.
    const IniKeys added = IniKey::ComputerLevel | IniKey::DiscardValues | IniKey::Zoom;
    const std::vector<KeyText> absent = keyTexts(IniSettings{});
    return editFile(path, [&s, keys, added, &absent](Section& ini) {
        const std::vector<KeyText> texts = keyTexts(s);
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const KeyText& key = texts[i];
            if (!keys.testFlag(key.key)) continue;
            if (added.testFlag(key.key) && key.text == absent[i].text && !ini.value(key.name))
                continue;
            ini.set(key.name, key.text);
        }
    });
}

IniKeys differingKeys(const IniSettings& a, const IniSettings& b) {
    const std::vector<KeyText> first = keyTexts(a);
    const std::vector<KeyText> second = keyTexts(b);
    IniKeys keys;
    for (size_t i = 0; i < first.size(); ++i)
        if (first[i].text != second[i].text) keys |= first[i].key;
    return keys;
}

void IniChanges::setStart(const IniSettings& start) {
    m_start = start;
    m_started = true;
}

void IniChanges::setStartGeometry(const QRect& geometry) {
    m_start.setGeometry(geometry);
}

IniKeys IniChanges::keysToWrite(const IniSettings& now, IniKeys chosen) {
    if (m_loaded) return AllIniKeys;
    m_changed |= chosen;
    if (m_started) m_changed |= differingKeys(m_start, now);
    return m_changed;
}

QString savePhrases(const std::array<QString, PhraseCount>& phrases, const QString& path) {
    return editFile(path, [&phrases](Section& ini) {
        for (int n = 0; n < PhraseCount; ++n)
            ini.set(("Phrase" + std::to_string(n + 1)).c_str(), phrases[n]);
    });
}

QString ReportOnce::filter(const QString& error) {
    if (error.isEmpty()) {
        m_reported = false;
        return {};
    }
    if (m_reported) return {};
    m_reported = true;
    return error;
}

std::optional<QRect> geometryToStore(const QRect& window, const QRect& saved,
                                     const QSize& workArea) {
    if (window.x() == saved.x() && window.y() == saved.y() && window.width() == saved.width() &&
        window.height() == saved.height())
        return std::nullopt;
    QRect r = window;
    if (r.width() > workArea.width()) r.setWidth(r.width() - WorkAreaShrink);
    if (r.height() > workArea.height()) r.setHeight(r.height() - WorkAreaShrink);
    return r;
}
