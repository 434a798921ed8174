#include "JournalFilter.h"

#include <QRegularExpression>

QDateTime ParseJournalTime(const QString &text, bool upperBound)
{
    static const QRegularExpression form(QStringLiteral(
        "^(\\d{4}-\\d{2}-\\d{2})(?:[T ](\\d{2}:\\d{2})(:\\d{2})?)?(Z|[+-]\\d{2}:\\d{2})?$"));
    const QRegularExpressionMatch m = form.match(text.trimmed());
    if (!m.hasMatch())
        return QDateTime();
    const QDate date = QDate::fromString(m.captured(1), Qt::ISODate);
    const bool hasTime = m.hasCaptured(2);
    const bool hasSeconds = m.hasCaptured(3);
    const QTime time = hasTime ? QTime::fromString(m.captured(2) + (hasSeconds ? m.captured(3) : QStringLiteral(":00")),
                                                   Qt::ISODate)
                               : QTime(0, 0);
    if (!date.isValid() || !time.isValid())
        return QDateTime();
    QDateTime at;
    const QString zone = m.captured(4);
    if (zone.isEmpty()) {
        at = QDateTime(date, time, Qt::LocalTime);
    } else {
        int offset = 0;
        if (zone != QLatin1String("Z")) {
            offset = zone.mid(1, 2).toInt() * 3600 + zone.mid(4, 2).toInt() * 60;
            if (zone.startsWith(u'-'))
                offset = -offset;
        }
        at = QDateTime(date, time, Qt::OffsetFromUTC, offset);
    }
    if (upperBound)
        at = !hasTime ? at.addDays(1) : at.addSecs(hasSeconds ? 1 : 60);
    return at.toUTC();
}

bool MatchesJournalFilter(const JournalEntry &entry, const JournalFilter &filter)
{
    if (filter.since.isValid() && entry.time < filter.since)
        return false;
    if (filter.until.isValid() && entry.time >= filter.until)
        return false;
    if (!filter.station.isEmpty() && entry.station.compare(filter.station, Qt::CaseInsensitive) != 0)
        return false;
    if (!filter.machine.isEmpty() && filter.machine != QString::number(entry.machineId)
        && entry.machineNumber.compare(filter.machine, Qt::CaseInsensitive) != 0)
        return false;
    return true;
}

QList<JournalEntry> FilterJournal(const QList<JournalEntry> &entries, const JournalFilter &filter)
{
    QList<JournalEntry> kept;
    for (const JournalEntry &e : entries)
        if (MatchesJournalFilter(e, filter))
            kept.append(e);
    return kept;
}
