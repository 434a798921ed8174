#include "ImportChecks.h"

#include "DBAssist.h"
#include "StationCodes.h"
#include "StationRowReader.h"

#include <QHostAddress>
#include <QRegularExpression>

namespace {

enum class Kind { Int, OptionalInt, Text };

struct ColumnRule {
    const char *column;
    Kind kind;
    // Empty when the value is fine; only for Int.
    QString (*range)(int value);
    // Empty when the value is fine; only for Text.
    QString (*text)(const QString &value);
};

QString TcpPort(int value)
{
    return value >= 1 && value <= 65535
               ? QString()
               : QStringLiteral("%1 is not a TCP port (1 to 65535).").arg(value);
}

QString EditModeCode(int value)
{
    return IsEditMode(value) ? QString()
                             : QStringLiteral("%1 is not an edit mode (0, 1 or 2).").arg(value);
}

QString CmdTypeCode(int value)
{
    return IsCmdType(value) ? QString()
                            : QStringLiteral("%1 is not a command type (0, 1 or 2).").arg(value);
}

QString ServerAddress(const QString &value)
{
    return IsServerAddress(value)
               ? QString()
               : QStringLiteral("\"%1\" is neither an IP address nor a host name.").arg(value);
}

// The columns the station reads, as it reads them.
const ColumnRule kMachineRules[] = {
    {"MACHINE_ID", Kind::Int, nullptr, nullptr},
    {"MACHINE_NUMBER", Kind::Text, nullptr, nullptr},
    {"MACHINE_NAME", Kind::Text, nullptr, nullptr},
    {"IP_ADDRESS", Kind::Text, nullptr, ServerAddress},
    {"PORT", Kind::Int, TcpPort, nullptr},
    {"ICON_INDEX", Kind::Int, nullptr, nullptr},
};

const ColumnRule kMppcRules[] = {
    {"MPPC_ID", Kind::Int, nullptr, nullptr},
    {"MACHINE_ID", Kind::OptionalInt, nullptr, nullptr},
    {"EDIT_MODE", Kind::Int, EditModeCode, nullptr},
    {"CMD_TYPE", Kind::Int, CmdTypeCode, nullptr},
};

QString CheckValue(StationRowReader &reader, const ColumnRule &rule)
{
    const QString column = QLatin1String(rule.column);
    switch (rule.kind) {
    case Kind::OptionalInt:
        if (reader.isNull(column))
            return QString();
        [[fallthrough]];
    case Kind::Int: {
        const int value = reader.requiredInt(column);
        if (!reader.ok())
            return reader.error();
        return rule.range ? rule.range(value) : QString();
    }
    case Kind::Text: {
        const QString value = reader.requiredText(column);
        if (!reader.ok())
            return reader.error();
        return rule.text ? rule.text(value) : QString();
    }
    }
    return QString();
}

template <size_t N>
QString CheckRows(const QString &table, const TableRows &rows, const ColumnRule (&rules)[N])
{
    const RecordSet records(rows.columns, rows.rows);
    for (const ColumnRule &rule : rules) {
        if (!records.hasColumn(QLatin1String(rule.column)))
            return QStringLiteral("%1 has no column %2.").arg(table, QLatin1String(rule.column));
    }
    for (int row = 0; row < records.count(); ++row) {
        StationRowReader reader(records, row);
        for (const ColumnRule &rule : rules) {
            const QString fault = CheckValue(reader, rule);
            if (!fault.isEmpty())
                return QStringLiteral("%1, row %2, column %3: %4")
                    .arg(table).arg(row + 1).arg(QLatin1String(rule.column), fault);
        }
    }
    return QString();
}

} // namespace

QString CheckStationTableRows(const QString &table, const TableRows &rows)
{
    if (table.compare(QLatin1String("T_DNC_MACHINES"), Qt::CaseInsensitive) == 0)
        return CheckRows(table, rows, kMachineRules);
    if (table.compare(QLatin1String("T_DNC_MPPC"), Qt::CaseInsensitive) == 0)
        return CheckRows(table, rows, kMppcRules);
    return QString();
}

bool IsServerAddress(const QString &text)
{
    if (text.isEmpty() || text != text.trimmed())
        return false;
    if (QHostAddress(text).protocol() != QAbstractSocket::UnknownNetworkLayerProtocol)
        return true;
    static const QRegularExpression label(QStringLiteral("^[A-Za-z0-9]([A-Za-z0-9-]{0,61}[A-Za-z0-9])?$"));
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    QString name = text;
    if (name.endsWith(QLatin1Char('.')))
        name.chop(1);
    if (name.isEmpty() || name.size() > 253)
        return false;
    const QStringList labels = name.split(QLatin1Char('.'));
    for (const QString &part : labels) {
        if (!label.match(part).hasMatch())
            return false;
    }
    return !digits.match(labels.constLast()).hasMatch();
}
