#pragma once

#include <QList>
#include <QString>
#include <QVariant>

// The columns of T_DNC_MACHINES and T_DNC_MPPC that the command line reads
// and writes, and the checks a value must pass before it is stored.
struct ColumnRule {
    enum Kind { Number, Text };
    QString name;
    Kind kind = Text;
    bool required = false; // null refused (an import's header must name it)
    int minimum = 0;       // Number: the range stored without complaint
    int maximum = 0;
    bool outOfRangeWarns = false; // outside the range: warned and stored, not refused
};

struct TableRules {
    QString table;
    QString key; // the column rows are ordered and told apart by
    QList<ColumnRule> columns;
    const ColumnRule *find(const QString &column) const;
};

const TableRules &MachineTableRules();
const TableRules &MppcTableRules();
// T_DNC_MACHINES or T_DNC_MPPC, in any case; nullptr for other names.
const TableRules *RulesForTable(const QString &name);

// Checks one value. A number is given as text; `isNull` for a missing value.
// On success *value holds what to store (int, text, or null) and *warning
// may hold a remark; on failure *problem says what is wrong.
bool CheckColumnValue(const ColumnRule &rule, const QString &text, bool isNull, QVariant *value,
                      QString *problem, QString *warning);

