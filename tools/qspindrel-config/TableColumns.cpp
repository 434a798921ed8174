#include "TableColumns.h"

#include "PrintableText.h"

#include <QMetaType>
#include <limits>

namespace {

ColumnRule Number(const char *name, bool required, int minimum, int maximum, bool warns = false)
{
    return {QLatin1String(name), ColumnRule::Number, required, minimum, maximum, warns};
}

ColumnRule Text(const char *name, bool required)
{
    return {QLatin1String(name), ColumnRule::Text, required, 0, 0, false};
}

constexpr int kIntMin = std::numeric_limits<int>::min();
constexpr int kIntMax = std::numeric_limits<int>::max();

} // namespace

const ColumnRule *TableRules::find(const QString &column) const
{
    for (const ColumnRule &rule : columns) {
        if (rule.name.compare(column, Qt::CaseInsensitive) == 0)
            return &rule;
    }
    return nullptr;
}

const TableRules &MachineTableRules()
{
    static const TableRules rules{
        QStringLiteral("T_DNC_MACHINES"), QStringLiteral("MACHINE_ID"),
        {Number("MACHINE_ID", true, kIntMin, kIntMax), Text("MACHINE_NUMBER", true), Text("MACHINE_NAME", true),
         Text("IP_ADDRESS", true), Number("PORT", true, 1, 65535),
         // Pictures MACH1 to MACH31 exist; others show a generic one.
         Number("ICON_INDEX", true, 1, 31, true)}};
    return rules;
}

const TableRules &MppcTableRules()
{
    static const TableRules rules{
        QStringLiteral("T_DNC_MPPC"), QStringLiteral("MPPC_ID"),
        {Number("MPPC_ID", false, kIntMin, kIntMax), Number("MACHINE_ID", true, kIntMin, kIntMax),
         Text("PC_NAME", true), Number("EDIT_MODE", true, 0, 2), Number("CMD_TYPE", true, 0, 2),
         Text("SEND_REMOTE_CMD", false), Text("SEND_EXTENSION", false), Text("SEND_DIRECTORY", false),
         Text("RECV_REMOTE_CMD", false), Text("RECV_EXTENSION", false), Text("RECV_DIRECTORY", false)}};
    return rules;
}

const TableRules *RulesForTable(const QString &name)
{
    for (const TableRules *rules : {&MachineTableRules(), &MppcTableRules()}) {
        if (rules->table.compare(name, Qt::CaseInsensitive) == 0)
            return rules;
    }
    return nullptr;
}

bool CheckColumnValue(const ColumnRule &rule, const QString &text, bool isNull, QVariant *value,
                      QString *problem, QString *warning)
{
    if (isNull) {
        if (rule.required) {
            *problem = QStringLiteral("a value is required.");
            return false;
        }
        *value = QVariant(QMetaType(rule.kind == ColumnRule::Number ? QMetaType::Int : QMetaType::QString));
        return true;
    }
    if (rule.kind == ColumnRule::Text) {
        // The station cannot show or reach a machine, nor key a station, by nothing.
        if (rule.required && text.trimmed().isEmpty()) {
            *problem = QStringLiteral("must not be empty.");
            return false;
        }
        // A null QString would be stored as null, not as the empty text.
        *value = text.isNull() ? QString(QLatin1String("")) : text;
        return true;
    }
    bool ok = false;
    const int number = text.trimmed().toInt(&ok, 10);
    if (!ok) {
        *problem = QStringLiteral("\"%1\" is not a whole number.").arg(EscapeControlCharacters(text));
        return false;
    }
    if (number < rule.minimum || number > rule.maximum) {
        const QString range = QStringLiteral("%1 is outside %2-%3").arg(number).arg(rule.minimum).arg(rule.maximum);
        if (!rule.outOfRangeWarns) {
            *problem = range + QLatin1Char('.');
            return false;
        }
        *warning = range + QStringLiteral("; stored, but the station shows a generic picture.");
    }
    *value = number;
    return true;
}
