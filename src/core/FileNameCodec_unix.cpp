#include "FileNameCodec.h"

#include <QFile>

// Qt takes file names on Unix for UTF-8, whatever the locale.

namespace {

// Length of the valid UTF-8 sequence at `p`, or 0.
qsizetype validSequence(const unsigned char *p, qsizetype left)
{
    const unsigned char c = p[0];
    if (c < 0x80)
        return 1;
    qsizetype n = 0;
    unsigned char min = 0x80, max = 0xBF;  // allowed range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        if (c == 0xE0) min = 0xA0;        // no overlong forms
        if (c == 0xED) max = 0x9F;        // no surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        if (c == 0xF0) min = 0x90;
        if (c == 0xF4) max = 0x8F;        // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (left < n || p[1] < min || p[1] > max)
        return 0;
    for (qsizetype i = 2; i < n; ++i) {
        if (p[i] < 0x80 || p[i] > 0xBF)
            return 0;
    }
    return n;
}

} // namespace

QString DecodeFileName(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype size = bytes.size();
    QString name;
    name.reserve(size);
    qsizetype start = 0;  // of the valid run not yet converted
    for (qsizetype i = 0; i < size;) {
        const qsizetype n = validSequence(p + i, size - i);
        if (n > 0) {
            i += n;
            continue;
        }
        name += QString::fromUtf8(bytes.sliced(start, i - start));
        name += QChar(char16_t(RawFileNameByteBase + p[i]));
        start = ++i;
    }
    name += QString::fromUtf8(bytes.sliced(start));
    return name;
}

QByteArray EncodeFileName(const QString &name)
{
    if (!HasRawFileNameBytes(name))
        return QFile::encodeName(name);
    QByteArray bytes;
    qsizetype start = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const int raw = RawFileNameByte(name, i);
        if (raw < 0)
            continue;
        bytes += QStringView(name).sliced(start, i - start).toUtf8();
        bytes += char(raw);
        start = i + 1;
    }
    bytes += QStringView(name).sliced(start).toUtf8();
    return bytes;
}
