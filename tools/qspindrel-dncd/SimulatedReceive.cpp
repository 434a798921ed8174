#include "SimulatedReceive.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

SimulatedReceive::SimulatedReceive(const QString &root, const QString &receiveCommand)
    : m_root(QFileInfo(root).canonicalFilePath()), m_receiveCommand(receiveCommand)
{
    if (!m_root.isEmpty() && !QFileInfo(m_root).isDir())
        m_root.clear();
}

QString SimulatedReceive::handle(const QByteArray &line) const
{
    const qsizetype blank = line.indexOf(' ');
    if (blank < 0 || QString::fromLocal8Bit(line.left(blank)) != m_receiveCommand)
        return QString();
    const QString path = QString::fromLocal8Bit(line.mid(blank + 1));
    QString why;
    const QString target = resolveInsideRoot(path, &why);
    if (target.isEmpty())
        return QStringLiteral("refused: ") + why;
    QSaveFile file(target);
    // QSaveFile renames over the target, so a link planted there after the
    // check would be replaced, never followed.
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("failed: ") + file.errorString();
    file.write(sampleProgram(QFileInfo(target).fileName()));
    if (!file.commit())
        return QStringLiteral("failed: ") + file.errorString();
    return QStringLiteral("wrote ") + target;
}

QString SimulatedReceive::resolveInsideRoot(const QString &path, QString *why) const
{
    auto refuse = [why](const QString &reason) {
        *why = reason;
        return QString();
    };
    if (m_root.isEmpty())
        return refuse(QStringLiteral("no root folder"));
    if (path.isEmpty() || !QDir::isAbsolutePath(path))
        return refuse(QStringLiteral("not an absolute path"));
    if (path.contains(QChar(0)))
        return refuse(QStringLiteral("path contains a zero byte"));
    // Both separators: a backslash is a separator on Windows, and refusing
    // it elsewhere costs nothing.
    static const QRegularExpression separators(QStringLiteral("[/\\\\]"));
    const QStringList parts = path.split(separators);
    if (parts.contains(QStringLiteral("..")) || parts.contains(QStringLiteral(".")))
        return refuse(QStringLiteral("path contains \".\" or \"..\""));
    const QFileInfo info(path);
    if (info.fileName().isEmpty())
        return refuse(QStringLiteral("no file name"));
    const QString parent = QFileInfo(info.absolutePath()).canonicalFilePath();
    if (parent.isEmpty())
        return refuse(QStringLiteral("folder does not exist"));
    if (parent != m_root && !parent.startsWith(m_root + QLatin1Char('/')))
        return refuse(QStringLiteral("outside ") + m_root);
    const QFileInfo target(parent + QLatin1Char('/') + info.fileName());
    if (target.isSymLink())
        return refuse(QStringLiteral("path is a symbolic link"));
    if (target.exists() && !target.isFile())
        return refuse(QStringLiteral("path is not a plain file"));
    return target.filePath();
}

QByteArray SimulatedReceive::sampleProgram(const QString &fileName)
{
    const QByteArray stamp =
        QDateTime::currentDateTime().toString(Qt::ISODate).toLatin1();
    QByteArray name = fileName.toLatin1().toUpper();
    name.replace('(', ' ').replace(')', ' ');
    return "%\n"
           "O0001 (" + name + " RECEIVED " + stamp + ")\n"
           "G21 G90 G17 G40 G49 G80\n"
           "T1 M06\n"
           "S1200 M03\n"
           "G00 X0. Y0. Z25.\n"
           "G01 Z-2. F150.\n"
           "G01 X50. F300.\n"
           "G01 Y30.\n"
           "G01 X0.\n"
           "G01 Y0.\n"
           "G00 Z25. M05\n"
           "M30\n"
           "%\n";
}
