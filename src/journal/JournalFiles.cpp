#include "JournalFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <algorithm>

QString JournalFileName(int generation)
{
    return generation == 0 ? QStringLiteral("journal.jsonl")
                           : QStringLiteral("journal.%1.jsonl").arg(generation);
}

JournalFileWriter::JournalFileWriter(const QString &folder, qint64 maxFileBytes, int maxFiles)
    : m_folder(folder), m_maxFileBytes(qMax<qint64>(1, maxFileBytes)), m_maxFiles(qMax(1, maxFiles))
{
}

QString JournalFileWriter::path(int generation) const
{
    return QDir(m_folder).filePath(JournalFileName(generation));
}

bool JournalFileWriter::rotate(QString *error)
{
    for (int g = m_maxFiles - 1; g >= 0; --g) {
        if (!QFile::exists(path(g)))
            continue;
        if (g + 1 >= m_maxFiles) {
            if (!QFile::remove(path(g))) {
                if (error)
                    *error = QStringLiteral("Cannot remove %1.").arg(path(g));
                return false;
            }
            continue;
        }
        QFile::remove(path(g + 1));
        if (!QFile::rename(path(g), path(g + 1))) {
            if (error)
                *error = QStringLiteral("Cannot rename %1.").arg(path(g));
            return false;
        }
    }
    return true;
}

bool JournalFileWriter::append(const QByteArray &line, QString *error)
{
    if (!QDir().mkpath(m_folder)) {
        if (error)
            *error = QStringLiteral("Cannot create the folder %1.").arg(m_folder);
        return false;
    }
    const qint64 before = QFileInfo(path(0)).size();
    if (before > 0 && before + line.size() > m_maxFileBytes && !rotate(error))
        return false;
    QFile file(path(0));
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    const qint64 size = file.size();
    QByteArray data = line;
    // A line torn by a crash at the wrong moment must not swallow this one.
    if (size > 0 && file.seek(size - 1) && file.read(1) != "\n")
        data.prepend('\n');
    const qint64 written = file.write(data);
    if (written == data.size())
        return true;
    if (error)
        *error = file.errorString();
    // Cut back what did land, so that no half line stays.
    if (written > 0 || file.size() != size)
        file.resize(size);
    return false;
}

QList<JournalEntry> ParseJournalText(const QByteArray &text, int *skipped)
{
    QList<JournalEntry> entries;
    QHash<QString, QString> databaseErrors;
    int bad = 0;
    for (const QByteArray &line : text.split('\n')) {
        if (line.trimmed().isEmpty())
            continue;
        const std::optional<JournalRecord> record = ParseJournalLine(line);
        if (!record)
            ++bad;
        else if (record->entry)
            entries.append(*record->entry);
        else
            databaseErrors.insert(record->noteId, record->noteError);
    }
    for (JournalEntry &e : entries)
        e.databaseError = databaseErrors.value(e.id);
    // Lines are written when a request is complete; a quick refusal may land
    // before a slower send made earlier.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const JournalEntry &a, const JournalEntry &b) { return a.time < b.time; });
    if (skipped)
        *skipped = bad;
    return entries;
}

bool ReadJournalFolder(const QString &folder, QList<JournalEntry> *entries, QString *error, int *skipped)
{
    static const QRegularExpression name(QStringLiteral("^journal(?:\\.([1-9][0-9]*))?\\.jsonl$"));
    QList<QPair<int, QString>> files;
    const QStringList names = QDir(folder).entryList({QStringLiteral("journal*.jsonl")}, QDir::Files);
    for (const QString &n : names) {
        const QRegularExpressionMatch m = name.match(n);
        if (m.hasMatch())
            files.append({m.captured(1).toInt(), n});
    }
    // Oldest first: the highest generation, the file being written last.
    std::sort(files.begin(), files.end(), [](const auto &a, const auto &b) { return a.first > b.first; });
    QByteArray text;
    for (const auto &file : std::as_const(files)) {
        QFile f(QDir(folder).filePath(file.second));
        if (!f.open(QIODevice::ReadOnly)) {
            if (error)
                *error = QStringLiteral("Cannot read %1: %2").arg(f.fileName(), f.errorString());
            return false;
        }
        text += f.readAll();
        if (!text.endsWith('\n'))
            text += '\n';
    }
    *entries = ParseJournalText(text, skipped);
    return true;
}
