#include "EditorDocument.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace {

const QByteArray Utf8Bom("\xEF\xBB\xBF");

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

EditorDocument::LineEnding NativeLineEnding()
{
#ifdef Q_OS_WIN
    return EditorDocument::LineEnding::CrLf;
#else
    return EditorDocument::LineEnding::Lf;
#endif
}

bool HasNonAscii(const QByteArray &bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}

} // namespace

bool EditorDocument::Load(const QString &path, QString *error)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        *error = QStringLiteral("The file %1 does not exist.").arg(path);
        return false;
    }
    if (info.isDir()) {
        *error = QStringLiteral("%1 is a folder, not a file.").arg(path);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("The file %1 cannot be opened: %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = QStringLiteral("The file %1 cannot be read: %2").arg(path, file.errorString());
        return false;
    }
    m_path = info.absoluteFilePath();
    Decode(bytes);
    RememberDiskState();
    return true;
}

void EditorDocument::Decode(const QByteArray &bytes)
{
    m_encoding = Encoding::Latin1;
    m_bom = false;
    QString text;
    const bool bom = bytes.startsWith(Utf8Bom);
    if (bom || HasNonAscii(bytes)) {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless
                                                         | QStringConverter::Flag::ConvertInitialBom);
        const QString decoded = decoder(bom ? bytes.mid(Utf8Bom.size()) : bytes);
        if (!decoder.hasError()) {
            m_encoding = Encoding::Utf8;
            m_bom = bom;
            text = decoded;
        }
    }
    if (m_encoding == Encoding::Latin1)
        text = QString::fromLatin1(bytes);

    int lf = 0, crLf = 0, cr = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\r')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) {
                ++crLf;
                ++i;
            } else {
                ++cr;
            }
        } else if (text[i] == QLatin1Char('\n')) {
            ++lf;
        }
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

    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    m_text = text;
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
    QString withEndings = text;
    if (m_lineEnding != LineEnding::Lf)
        withEndings.replace(QLatin1Char('\n'), EndingText(m_lineEnding));
    if (m_encoding == Encoding::Latin1)
        return withEndings.toLatin1();
    return (m_bom ? Utf8Bom : QByteArray()) + withEndings.toUtf8();
}

bool EditorDocument::Save(const QString &text, QString *error)
{
    const int bad = FirstUnencodable(text);
    if (bad >= 0) {
        *error = QStringLiteral("The character \"%1\" (U+%2) cannot be written in %3, the "
                                "encoding of this file. Nothing was saved.")
                     .arg(text.mid(bad, text[bad].isHighSurrogate() ? 2 : 1))
                     .arg(text[bad].unicode(), 4, 16, QLatin1Char('0'))
                     .arg(EncodingName());
        return false;
    }
    const QByteArray bytes = Encode(text);
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("The file %1 cannot be saved: %2").arg(m_path, file.errorString());
        return false;
    }
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        *error = QStringLiteral("The file %1 cannot be saved: %2").arg(m_path, file.errorString());
        file.cancelWriting();
        return false;
    }
    m_text = text;
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

QString EditorDocument::FromEditorText(QString raw)
{
    return raw.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}
