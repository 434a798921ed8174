#include "EditorDocument.h"

#include "EditorFiles.h"

#include <QFileInfo>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextDocument>

namespace {

const QByteArray Utf8Bom("\xEF\xBB\xBF");

// The characters at which QTextDocument starts a new block ("\r\n" is one).
bool IsBlockBreak(QChar c)
{
    return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::ParagraphSeparator
           || c.unicode() == 0xFDD0 || c.unicode() == 0xFDD1;
}

QString EndingText(EditorDocument::LineEnding ending)
{
    switch (ending) {
    case EditorDocument::LineEnding::CrLf:
        return QStringLiteral("\r\n");
    case EditorDocument::LineEnding::Cr:
        return QStringLiteral("\r");
    case EditorDocument::LineEnding::Lf:
        break;
    }
    return QStringLiteral("\n");
}

bool HasNonAscii(const QByteArray &bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}

// Program text holds blanks, tabs, line and page breaks, the tape reader's
// DC1 to DC4, and perhaps a DOS end-of-file mark; any other control
// character, NUL above all, means the file is no text.
bool LooksBinary(const QByteArray &bytes)
{
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 || (b >= 0x09 && b <= 0x0D) || (b >= 0x11 && b <= 0x14) || b == 0x1A)
            continue;
        return true;
    }
    return false;
}

} // namespace

bool EditorDocument::Load(const QString &path, QString *error, qint64 maxBytes)
{
    QByteArray bytes;
    if (!ReadPlainFile(path, maxBytes, &bytes, error))
        return false;
    m_path = QFileInfo(path).absoluteFilePath();
    Decode(bytes);
    RememberDiskState();
    return true;
}

void EditorDocument::Decode(const QByteArray &bytes)
{
    m_encoding = Encoding::Latin1;
    m_bom = false;
    m_binary = LooksBinary(bytes);
    const bool bom = bytes.startsWith(Utf8Bom);
    if (!m_binary && (bom || HasNonAscii(bytes))) {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless
                                                         | QStringConverter::Flag::ConvertInitialBom);
        QString decoded = decoder(bom ? bytes.mid(Utf8Bom.size()) : bytes);
        if (!decoder.hasError()) {
            m_encoding = Encoding::Utf8;
            m_bom = bom;
            m_text = std::move(decoded);
        }
    }
    if (m_encoding == Encoding::Latin1)
        m_text = QString::fromLatin1(bytes);
    IndexLines();

    int lf = 0, crLf = 0, cr = 0;
    for (qsizetype i = 0; i + 1 < m_lineStarts.size(); ++i) {
        const QStringView ending = Ending(i);
        crLf += ending == u"\r\n";
        lf += ending == u"\n";
        cr += ending == u"\r";
    }
    m_mixedLineEndings = (lf > 0) + (crLf > 0) + (cr > 0) > 1;
    if (lf + crLf + cr == 0)
        m_lineEnding = NativeLineEnding();
    else if (crLf >= lf && crLf >= cr)
        m_lineEnding = LineEnding::CrLf;
    else if (lf >= cr)
        m_lineEnding = LineEnding::Lf;
    else
        m_lineEnding = LineEnding::Cr;
}

void EditorDocument::IndexLines()
{
    m_lineStarts.clear();
    m_lineStarts.append(0);
    for (qsizetype i = 0; i < m_text.size(); ++i) {
        const QChar c = m_text.at(i);
        if (!IsBlockBreak(c))
            continue;
        if (c == QLatin1Char('\r') && i + 1 < m_text.size() && m_text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        m_lineStarts.append(i + 1);
    }
}

QStringView EditorDocument::Ending(qsizetype index) const
{
    if (index + 1 >= m_lineStarts.size())
        return QStringView();
    const qsizetype next = m_lineStarts.at(index + 1);
    const bool crLf = next >= 2 && m_text.at(next - 1) == QLatin1Char('\n')
                      && m_text.at(next - 2) == QLatin1Char('\r');
    const qsizetype length = crLf ? 2 : 1;
    return QStringView(m_text).mid(next - length, length);
}

QStringView EditorDocument::Line(qsizetype index) const
{
    const qsizetype start = m_lineStarts.at(index);
    const qsizetype end = index + 1 < m_lineStarts.size() ? m_lineStarts.at(index + 1) - Ending(index).size()
                                                          : m_text.size();
    return QStringView(m_text).mid(start, end - start);
}

bool EditorDocument::Matches(const QTextDocument &shown) const
{
    if (shown.blockCount() != LineCount())
        return false;
    qsizetype i = 0;
    for (QTextBlock block = shown.begin(); block.isValid(); block = block.next(), ++i) {
        if (block.text() != Line(i))
            return false;
    }
    return true;
}

// Lines the user left alone at the start and at the end keep their text and
// endings as read; the lines between take the endings of the lines they
// replace, position by position, and new lines the file's most frequent one.
QString EditorDocument::Merged(const QTextDocument &edited) const
{
    const qsizetype before = LineCount();
    const qsizetype after = edited.blockCount();
    qsizetype head = 0;
    QTextBlock block = edited.begin();
    while (head < before && head < after && block.text() == Line(head)) {
        ++head;
        block = block.next();
    }
    qsizetype tail = 0;
    for (QTextBlock last = edited.lastBlock();
         tail < before - head && tail < after - head && last.text() == Line(before - 1 - tail);
         last = last.previous())
        ++tail;

    const QString newEnding = EndingText(m_lineEnding);
    QString out;
    out.reserve(m_text.size() + 64);
    auto endLine = [&](qsizetype index, qsizetype original) {
        if (index + 1 == after)
            return;
        const QStringView ending = original < before ? Ending(original) : QStringView();
        out += ending.isEmpty() ? QStringView(newEnding) : ending;
    };
    for (qsizetype i = 0; i < head; ++i) {
        out += Line(i);
        endLine(i, i);
    }
    for (qsizetype i = head; i < after - tail; ++i, block = block.next()) {
        out += block.text();
        // The original line at this place, while the changed part has one.
        endLine(i, i < before - tail ? i : before);
    }
    for (qsizetype i = after - tail; i < after; ++i) {
        const qsizetype original = i - after + before;
        out += Line(original);
        endLine(i, original);
    }
    return out;
}

int EditorDocument::FirstUnencodable(const QString &text) const
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (m_encoding == Encoding::Latin1) {
            if (c.unicode() > 0xFF)
                return int(i);
        } else if (c.isHighSurrogate()) {
            if (i + 1 >= text.size() || !text[i + 1].isLowSurrogate())
                return int(i);
            ++i;
        } else if (c.isLowSurrogate()) {
            return int(i);
        }
    }
    return -1;
}

QByteArray EditorDocument::Encode(const QString &text) const
{
    if (m_encoding == Encoding::Latin1)
        return text.toLatin1();
    return (m_bom ? Utf8Bom : QByteArray()) + text.toUtf8();
}

bool EditorDocument::Save(const QTextDocument &edited, QString *error)
{
    const QString text = Merged(edited);
    const int bad = FirstUnencodable(text);
    if (bad >= 0) {
        *error = QStringLiteral("The character \"%1\" (U+%2) cannot be written in %3, the "
                                "encoding of this file. Nothing was saved.")
                     .arg(text.mid(bad, text[bad].isHighSurrogate() ? 2 : 1))
                     .arg(text[bad].unicode(), 4, 16, QLatin1Char('0'))
                     .arg(EncodingName());
        return false;
    }
    if (!WriteFileSafely(m_path, Encode(text), error))
        return false;
    m_text = text;
    IndexLines();
    RememberDiskState();
    return true;
}

void EditorDocument::RememberDiskState()
{
    const QFileInfo info(m_path);
    m_diskModified = info.lastModified();
    m_diskSize = info.size();
}

bool EditorDocument::ChangedOnDisk() const
{
    const QFileInfo info(m_path);
    return !info.exists() || info.size() != m_diskSize || info.lastModified() != m_diskModified;
}

QString EditorDocument::EncodingName() const
{
    if (m_encoding == Encoding::Utf8)
        return m_bom ? QStringLiteral("UTF-8 with BOM") : QStringLiteral("UTF-8");
    return QStringLiteral("Latin-1");
}

QString EditorDocument::LineEndingName() const
{
    switch (m_lineEnding) {
    case LineEnding::CrLf:
        return QStringLiteral("CRLF");
    case LineEnding::Cr:
        return QStringLiteral("CR");
    case LineEnding::Lf:
        break;
    }
    return QStringLiteral("LF");
}
