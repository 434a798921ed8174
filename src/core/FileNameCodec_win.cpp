#include "FileNameCodec.h"

#include <QFile>

// Names are text here: the system's own conversions lose nothing.

QString DecodeFileName(QByteArrayView bytes)
{
    return QFile::decodeName(bytes.toByteArray());
}

QByteArray EncodeFileName(const QString &name)
{
    return QFile::encodeName(name);
}
