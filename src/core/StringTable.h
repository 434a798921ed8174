#pragma once

#include <QHash>
#include <QString>

// The numbered message texts, read once from the resources
// ":/strings/strings.tsv" (the system's, 101-199) and ":/strings/own.tsv" (our
// own, from 1001): one "number<TAB>text" per line; lines starting with '#'
// are comments.
class StringTable
{
public:
    static const StringTable &instance();

    // Parses table text; malformed lines are skipped.
    static StringTable fromText(const QString &data);

    bool contains(int number) const { return m_texts.contains(number); }
    QString text(int number) const { return m_texts.value(number); }
    int size() const { return int(m_texts.size()); }

private:
    QHash<int, QString> m_texts;
};

// Replaces the first "%k" by args[k-1] for k = 1..5, skipping empty arguments;
// each search runs over the text already filled in.
QString FillPlaceholders(QString text, const QString args[5]);
