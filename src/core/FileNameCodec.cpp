#include "FileNameCodec.h"

int RawFileNameByte(const QString &name, qsizetype i)
{
    const char16_t c = name.at(i).unicode();
    const bool raw = c >= RawFileNameByteBase + 0x80 && c <= RawFileNameByteBase + 0xFF
        && (i == 0 || !name.at(i - 1).isHighSurrogate());
    return raw ? int(c - RawFileNameByteBase) : -1;
}

bool HasRawFileNameBytes(const QString &name)
{
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (RawFileNameByte(name, i) >= 0)
            return true;
    }
    return false;
}

QString DisplayFileName(const QString &name)
{
    if (!HasRawFileNameBytes(name))
        return name;
    QString shown = name;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (RawFileNameByte(name, i) >= 0)
            shown[i] = QChar(QChar::ReplacementCharacter);
    }
    return shown;
}
