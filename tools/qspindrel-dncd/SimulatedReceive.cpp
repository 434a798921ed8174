#include "SimulatedReceive.h"

#include <QDateTime>
#include <QDir>
#include <QRegularExpression>

SimulatedReceive::SimulatedReceive(const QString &root, const QString &receiveCommand)
    : m_root(std::make_shared<const RootFolder>(root)),
      m_givenRoot(QDir::cleanPath(QDir(root).absolutePath())),
      m_receiveCommand(receiveCommand)
{
}

QString SimulatedReceive::handle(const QByteArray &line) const
{
    const qsizetype blank = line.indexOf(' ');
    if (blank < 0 || QString::fromLocal8Bit(line.left(blank)) != m_receiveCommand)
        return QString();
    const QString path = QString::fromLocal8Bit(line.mid(blank + 1));
    QString why;
    const QStringList names = namesInsideRoot(path, &why);
    if (names.isEmpty())
        return QStringLiteral("refused: ") + why;
    const QByteArray program = sampleProgram(names.last());
    if (!m_root->writeFile(names, program, &why))
        return QStringLiteral("refused: ") + why;
    return QStringLiteral("wrote %1 bytes to %2/%3")
        .arg(program.size())
        .arg(m_root->path(), names.join(QLatin1Char('/')));
}

QStringList SimulatedReceive::namesInsideRoot(const QString &path, QString *why) const
{
    auto refuse = [why](const QString &reason) {
        *why = reason;
        return QStringList();
    };
    if (!m_root->isOpen())
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
    QString rest;
    for (const QString &root : {m_root->path(), m_givenRoot}) {
        if (path.startsWith(root + QLatin1Char('/'))) {
            rest = path.mid(root.size() + 1);
            break;
        }
    }
    if (rest.isNull())
        return refuse(QStringLiteral("outside ") + m_root->path());
    const QStringList names = rest.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (names.isEmpty() || rest.endsWith(QLatin1Char('/')))
        return refuse(QStringLiteral("no file name"));
    // A line feed or another control would end up in a name nobody can type.
    for (const QChar c : rest) {
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Separator_Line
            || category == QChar::Separator_Paragraph)
            return refuse(QStringLiteral("path contains a control character"));
    }
    return names;
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
