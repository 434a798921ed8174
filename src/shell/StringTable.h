#pragma once

#include <QHash>
#include <QString>

// The numbered message texts, read once from the resource ":/strings/strings.tsv"
// (one "number<TAB>text" per line; lines starting with '#' are comments).
class StringTable
{
public:
    static const StringTable &instance();
    // Our own texts, numbered from 1001, from ":/strings/texts.tsv" (same format).
    static const StringTable &ownTexts();

    // Parses table text; malformed lines are skipped.
    static StringTable fromText(const QString &data);

    bool contains(int number) const { return m_texts.contains(number); }
    QString text(int number) const { return m_texts.value(number); }
    int size() const { return int(m_texts.size()); }
    // The lowest number whose text, with each "%1".."%5" standing for any
    // text, gives `shown`; 0 when none does.
    int numberOf(const QString &shown) const;

private:
    static StringTable fromResource(const QString &name);
    QHash<int, QString> m_texts;
};

// Replaces the first "%k" by args[k-1] for k = 1..5, skipping empty arguments;
// each search runs over the text already filled in.
QString FillPlaceholders(QString text, const QString args[5]);
