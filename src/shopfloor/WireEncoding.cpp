#include "WireEncoding.h"

#include <QStringDecoder>
#include <QStringEncoder>

QStringConverter::Encoding DefaultWireEncoding()
{
    // Qt's system encoding is the ANSI code page on Windows; elsewhere it is
    // the encoding Qt reads and writes file names in, so the server gets the
    // very bytes of the name on disk.
    return QStringConverter::System;
}

std::optional<QByteArray> EncodeForWire(const QString &text, QStringConverter::Encoding encoding)
{
    QStringEncoder encoder(encoding, QStringConverter::Flag::Stateless);
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    // Some encoders substitute silently (best fit, "?"): only a round trip
    // proves that the server gets the very name.
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    const QString back = decoder.decode(bytes);
    if (decoder.hasError() || back != text)
        return std::nullopt;
    return bytes;
}

Verdict WireEncodingRefusal(const QString &text)
{
    return {MessageId::RequestNotEncodable, {text}};
}
