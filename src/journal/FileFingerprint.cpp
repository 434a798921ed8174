#include "FileFingerprint.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

FileFingerprint ComputeFileFingerprint(const QString &path)
{
    FileFingerprint fp;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fp.error = file.errorString();
        return fp;
    }
    fp.modified = QFileInfo(file).lastModified().toUTC();
    QCryptographicHash hash(QCryptographicHash::Sha256);
    // Counted while hashing: the size that goes with the fingerprint even if
    // the file changes meanwhile.
    qint64 total = 0;
    QByteArray buffer(256 * 1024, Qt::Uninitialized);
    for (;;) {
        const qint64 n = file.read(buffer.data(), buffer.size());
        if (n < 0) {
            fp.error = file.errorString();
            return fp;
        }
        if (n == 0)
            break;
        hash.addData(QByteArrayView(buffer.constData(), n));
        total += n;
    }
    fp.size = total;
    fp.sha256 = QString::fromLatin1(hash.result().toHex());
    return fp;
}
