#include "Registry.h"

#include <QtEndian>

QVariant RegistryValueFromData(unsigned long type, const QByteArray &data,
                               const QVariant &defaultValue)
{
    if (type == RegistryString) {
        if (data.isEmpty())
            return defaultValue;
        QString text(data.size() / 2, Qt::Uninitialized);
        for (qsizetype i = 0; i < text.size(); ++i)
            text[i] = QChar(qFromLittleEndian<quint16>(data.constData() + 2 * i));
        const qsizetype nul = text.indexOf(QChar(0));
        return nul < 0 ? text : text.left(nul);
    }
    if (type == RegistryDword && data.size() == 4)
        return QVariant(qFromLittleEndian<qint32>(data.constData()));
    return defaultValue;
}

QByteArray RegistryDataFor(const QVariant &value, unsigned long *type)
{
    QByteArray data;
    if (value.typeId() == QMetaType::QString) {
        *type = RegistryString;
        const QString text = value.toString();
        data.resize((text.size() + 1) * 2);
        for (qsizetype i = 0; i < text.size(); ++i)
            qToLittleEndian<quint16>(text.at(i).unicode(), data.data() + 2 * i);
        qToLittleEndian<quint16>(0, data.data() + 2 * text.size());
        return data;
    }
    *type = RegistryDword;
    data.resize(4);
    qToLittleEndian<qint32>(value.toInt(), data.data());
    return data;
}
