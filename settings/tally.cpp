// The tally of finished games: own totals and the counts against each followed opponent.
#include "settings/tally.h"

#include "settings/lzrw1kh.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringDecoder>

#include <limits>

namespace {

// Caps on what a stored text may claim, so a hand-made file cannot make the table huge.
constexpr int MaxStoredColumns = 1000;
constexpr int MaxBadCopies = 1000;

const QByteArray LineEnd("\r\n");

QString decodeText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    // Files from a system with a single-byte code page are read as Latin-1.
    if (utf8.hasError()) text = QString::fromLatin1(bytes);
    return text;
}

QString freeBadName(const QString& path) {
    const QString first = path + QStringLiteral(".bad");
    if (!QFileInfo::exists(first)) return first;
    for (int n = 1; n <= MaxBadCopies; ++n) {
        const QString name = first + QLatin1Char('.') + QString::number(n);
        if (!QFileInfo::exists(name)) return name;
    }
    return {};
}

QString writeError(const QString& path) {
    return QStringLiteral("Lzrw1 : Error writing to output file : ") + path;
}

} // namespace

Tally::Tally() {
    m_rows.append(zeroRow(QStringLiteral("0")));
}

Tally::Row Tally::zeroRow(const QString& name) {
    Row row;
    row.fill(QStringLiteral("0"));
    row[NameColumn] = name;
    return row;
}

QString Tally::cell(int column, int row) const {
    if (column < 0 || column >= ColumnCount || row < 0 || row >= rowCount()) return {};
    return m_rows[row][column];
}

int Tally::value(int column, int row) const {
    return cell(column, row).trimmed().toInt();
}

void Tally::setValue(int column, int row, int v) {
    m_rows[row][column] = QString::number(v);
}

int Tally::followedIndex(const QString& name) const {
    return int(m_followed.indexOf(cleanName(name)));
}

std::array<int, 8> Tally::opponent(int index) const {
    std::array<int, 8> counts{};
    for (int c = Games; c <= SessionNeitherWon; ++c) counts[c - 1] = value(c, index + 1);
    return counts;
}

void Tally::loadchecklist(const QStringList& otherSeatNames) {
    m_currentGame.clear();
    for (const QString& name : otherSeatNames)
        if (name != Waiting) m_currentGame.append(cleanName(name));
}

bool Tally::follow(const QString& name) {
    const QString clean = cleanName(name);
    if (clean.trimmed().isEmpty() || m_followed.contains(clean)) return false;
    m_followed.append(clean);
    m_rows.append(zeroRow(clean));
    return true;
}

bool Tally::unfollow(int index) {
    if (index < 0 || index >= m_followed.size()) return false;
    m_followed.removeAt(index);
    m_rows.removeAt(index + 1);
    return true;
}

void Tally::reset() {
    m_rows = {zeroRow(QString())};
    m_followed.clear();
}

int Tally::addit(int column, int row) {
    if (column < 0 || column >= ColumnCount || row < 0 || row >= rowCount()) return 0;
    // A hand-edited cell may already hold the largest number; it stays there.
    const int old = value(column, row);
    const int v = old == std::numeric_limits<int>::max() ? old : old + 1;
    setValue(column, row, v);
    return v;
}

void Tally::addtomineincrease(int column) {
    addit(column, 0);
}

void Tally::addgame(const QString& winner, const QString& partner) {
    const bool mine = winner == AddToMine;
    const QString w = cleanName(winner);
    const QString q = cleanName(partner);

    addtomineincrease(Games);
    if (mine) addtomineincrease(TheirWins);

    // Two seats may carry the same name; the row still gets one game, not two.
    QSet<int> counted;
    for (const QString& p : std::as_const(m_currentGame)) {
        const int index = int(m_followed.indexOf(p));
        if (index < 0) continue;
        const int r = index + 1;
        if (counted.contains(r)) continue;
        counted.insert(r);

        for (int c = Games; c < ColumnCount; ++c)
            if (m_rows[r][c].isEmpty()) m_rows[r][c] = QStringLiteral("0");
        addit(Games, r);
        addit(SessionGames, r);
        if (p == w || (!q.isEmpty() && p == q)) {
            addit(TheirWins, r);
            addit(SessionTheirWins, r);
        } else if (!mine) {
            addit(NeitherWon, r);
            addit(SessionNeitherWon, r);
        } else {
            addit(YourWins, r);
            addit(SessionYourWins, r);
        }
    }
}

QByteArray Tally::toText() const {
    QByteArray text;
    text += QByteArray::number(ColumnCount) + LineEnd;
    text += QByteArray::number(rowCount()) + LineEnd;
    for (int c = 0; c < ColumnCount; ++c)
        for (const Row& row : m_rows) text += row[c].toUtf8() + LineEnd;
    return text;
}

bool Tally::fromText(const QByteArray& bytes) {
    QStringList lines = decodeText(bytes).split(QLatin1Char('\n'));
    if (bytes.endsWith('\n')) lines.removeLast();
    for (QString& line : lines)
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    if (lines.size() < 2) return false;

    bool okColumns = false;
    bool okRows = false;
    const int columns = lines[0].trimmed().toInt(&okColumns);
    const int rows = lines[1].trimmed().toInt(&okRows);
    if (!okColumns || !okRows || columns < 1 || columns > MaxStoredColumns || rows < 1)
        return false;
    // Every cell has its line; a shorter text is not a table (this also bounds rows).
    if (qint64(columns) * rows > lines.size() - 2) return false;

    QList<Row> table(rows, zeroRow(QStringLiteral("0")));
    for (int c = 0; c < std::min(columns, int(ColumnCount)); ++c)
        for (int r = 0; r < rows; ++r) table[r][c] = lines[2 + qsizetype(c) * rows + r];

    // Stored names are taken as they are: cleaning them here could merge two rows into one.
    m_rows = std::move(table);
    m_followed.clear();
    for (int r = 1; r < rowCount(); ++r) {
        m_followed.append(m_rows[r][NameColumn]);
        for (int c = SessionGames; c < ColumnCount; ++c) m_rows[r][c] = QStringLiteral("0");
    }
    return true;
}

QString Tally::cleanName(const QString& name) {
    QString clean;
    clean.reserve(name.size());
    for (const QChar c : name) {
        const auto category = c.category();
        if (category != QChar::Other_Control && category != QChar::Separator_Line &&
            category != QChar::Separator_Paragraph)
            clean.append(c);
    }
    return clean;
}

QString Tally::load(const QString& path) {
    m_rows = {zeroRow(QStringLiteral("0"))};
    m_followed.clear();
    m_damagedPath.clear();

    QFile file(path);
    if (!file.exists()) return {};
    if (!file.open(QIODevice::ReadOnly)) {
        m_damagedPath = path;
        return QStringLiteral("Lzrw1 (de)compression : Failed to open input file : ") + path;
    }
    const QByteArray container = file.readAll();
    file.close();

    QByteArray text;
    const LZRW1KH::Error error = LZRW1KH::unpack(container, &text);
    if (error != LZRW1KH::Error::None) {
        m_damagedPath = path;
        return LZRW1KH::errorMessage(error, path);
    }
    if (!fromText(text)) {
        m_damagedPath = path;
        return path + QStringLiteral(" : the tally in this file cannot be read !");
    }
    return {};
}

QString Tally::keepDamagedFile() {
    if (m_damagedPath.isEmpty() || !QFileInfo::exists(m_damagedPath)) return {};
    const QString bad = freeBadName(m_damagedPath);
    if (bad.isEmpty() || !QFile::rename(m_damagedPath, bad)) return {};
    m_damagedPath.clear();
    return bad;
}

QString Tally::store(const QString& path) {
    if (!m_damagedPath.isEmpty() && QFileInfo::exists(path) &&
        QFileInfo(m_damagedPath).absoluteFilePath() == QFileInfo(path).absoluteFilePath()) {
        const QString bad = freeBadName(path);
        if (bad.isEmpty() || !QFile::rename(path, bad)) return writeError(path);
    }
    m_damagedPath.clear();

    const UserFiles::WriteResult written = UserFiles::replaceFile(path, LZRW1KH::pack(toText()));
    switch (written.failed) {
    case UserFiles::WriteResult::Failed::Nothing:
        return {};
    case UserFiles::WriteResult::Failed::Folder:
    case UserFiles::WriteResult::Failed::Open:
        return QStringLiteral("Lzrw1 (de)compression : Failed to open output file : ") + path;
    case UserFiles::WriteResult::Failed::Write:
        break;
    }
    return writeError(path);
}
