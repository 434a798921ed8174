#include "IniDocument.h"

#include "IniTextFormat.h"

#include <QStringDecoder>

namespace {

const QByteArray kByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");

// The section a header names: "General" is the top level, "%General" a
// section of that name; "\" separates nested sections as "/" does.
QString SectionOfHeader(const QString &inside)
{
    QString section = IniText::ParseName(inside);
    if (section.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0)
        return QString();
    if (section.startsWith(QLatin1String("%General"), Qt::CaseInsensitive))
        section.remove(0, 1);
    section.replace(u'\\', u'/');
    return section;
}

QString HeaderOfSection(const QString &section)
{
    if (section.isEmpty())
        return QStringLiteral("[General]");
    QString header = IniText::FormatName(section);
    if (section.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0)
        header.prepend(u'%');
    return u'[' + header + u']';
}

bool SameKey(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool IsBelow(const QString &key, const QString &group)
{
    return group.isEmpty() || (key.size() > group.size() && key.at(group.size()) == u'/'
                               && SameKey(key.left(group.size()), group));
}

} // namespace

bool IniDocument::parse(const QByteArray &bytes)
{
    m_byteOrderMark = bytes.startsWith(kByteOrderMark);
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    const QString text = decoder.decode(m_byteOrderMark ? bytes.mid(kByteOrderMark.size()) : bytes);
    m_exact = !decoder.hasError();
    QStringList texts = text.split(u'\n');
    m_finalLineBreak = texts.size() == 1 || texts.last().isEmpty();
    if (texts.last().isEmpty())
        texts.removeLast();
    m_lines.clear();
    QString section;
    for (const QString &t : std::as_const(texts)) {
        Line line{t, section, QString(), false};
        const QString s = t.trimmed();
        if (s.isEmpty() || s.startsWith(u';') || s.startsWith(u'#')) {
            // a comment or a blank line
        } else if (s.startsWith(u'[') && s.endsWith(u']')) {
            section = SectionOfHeader(s.mid(1, s.size() - 2).trimmed());
            line.section = section;
            line.header = true;
        } else if (const qsizetype equals = s.indexOf(u'='); equals > 0) {
            QString name = IniText::ParseName(s.left(equals).trimmed());
            name.replace(u'\\', u'/');
            line.key = section.isEmpty() ? name : section + u'/' + name;
        }
        m_lines << line;
    }
    return m_exact;
}

QByteArray IniDocument::toBytes() const
{
    QStringList texts;
    for (const Line &line : m_lines)
        texts << line.text;
    QByteArray out = m_byteOrderMark ? kByteOrderMark : QByteArray();
    out += texts.join(u'\n').toUtf8();
    if (m_finalLineBreak && !m_lines.isEmpty())
        out += '\n';
    return out;
}

QVariant IniDocument::value(const QString &key) const
{
    const qsizetype i = find(key);
    if (i < 0)
        return QVariant();
    const QString &text = m_lines.at(i).text;
    const QString raw = text.mid(text.indexOf(u'=') + 1).trimmed();
    // QSettings' typed values (@ByteArray, @Variant, ...) are no text.
    if (raw.startsWith(u'@') && !raw.startsWith(QLatin1String("@@")))
        return raw.toUtf8();
    return IniText::ParseValue(raw);
}

void IniDocument::setValue(const QString &key, const QString &text)
{
    const QString formatted = IniText::FormatValue(text);
    if (const qsizetype i = find(key); i >= 0) {
        Line &line = m_lines[i];
        const bool carriageReturn = line.text.endsWith(u'\r');
        line.text = line.text.left(line.text.indexOf(u'=') + 1) + formatted
                  + (carriageReturn ? QStringLiteral("\r") : QString());
        return;
    }
    const qsizetype slash = key.indexOf(u'/');
    const QString section = slash < 0 ? QString() : key.left(slash);
    const QString name = slash < 0 ? key : key.mid(slash + 1);
    qsizetype at = endOfSection(section);
    if (at < 0) {
        m_lines << Line{HeaderOfSection(section) + lineEnd(), section, QString(), true};
        at = m_lines.size() - 1;
    }
    QStringList parts = name.split(u'/');
    for (QString &part : parts)
        part = IniText::FormatName(part);
    // The section as the file spells it.
    const QString spelled = m_lines.at(at).section;
    m_lines.insert(at + 1, Line{parts.join(u'\\') + u'=' + formatted + lineEnd(), spelled,
                                spelled.isEmpty() ? name : spelled + u'/' + name, false});
}

bool IniDocument::removeValue(const QString &key)
{
    return m_lines.removeIf([&key](const Line &line) { return !line.key.isEmpty() && SameKey(line.key, key); }) > 0;
}

bool IniDocument::removeGroup(const QString &group)
{
    const qsizetype values =
        m_lines.removeIf([&group](const Line &line) { return !line.key.isEmpty() && IsBelow(line.key, group); });
    if (values == 0)
        return false;
    m_lines.removeIf([&group](const Line &line) {
        return line.header && (SameKey(line.section, group) || IsBelow(line.section, group));
    });
    return true;
}

qsizetype IniDocument::find(const QString &key) const
{
    for (qsizetype i = m_lines.size() - 1; i >= 0; --i) {
        if (!m_lines.at(i).key.isEmpty() && SameKey(m_lines.at(i).key, key))
            return i;
    }
    return -1;
}

qsizetype IniDocument::endOfSection(const QString &section) const
{
    qsizetype end = -1;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const Line &line = m_lines.at(i);
        if ((line.header || !line.key.isEmpty()) && SameKey(line.section, section))
            end = i;
    }
    return end;
}

QString IniDocument::lineEnd() const
{
    return !m_lines.isEmpty() && m_lines.first().text.endsWith(u'\r') ? QStringLiteral("\r") : QString();
}
