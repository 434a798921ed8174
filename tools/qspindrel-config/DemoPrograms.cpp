#include "DemoPrograms.h"

#include <QDirIterator>
#include <QFile>
#include <QStringList>
#include <cmath>

namespace {

QString Number(double value)
{
    QString text = QString::number(value, 'f', 3);
    // Fanuc style: "12.5" -> "12.5", "3.000" -> "3."
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text == QLatin1String("-0."))
        text = QStringLiteral("0.");
    return text;
}

double Surface(double x, double y)
{
    return -6.0 + 4.0 * std::sin(x / 14.0) * std::cos(y / 11.0) - 0.0008 * (x - 60.0) * (x - 60.0);
}

} // namespace

QByteArray SurfacingProgram(const QString &name, int passes, int pointsPerPass, bool siemens)
{
    const double width = 120.0;
    const double depth = 80.0;
    QString out;
    out.reserve(passes * pointsPerPass * 32 + 1024);
    if (siemens) {
        out += QStringLiteral("; %1  FREEFORM FINISHING, BALL NOSE D6\n").arg(name);
        out += QStringLiteral("G17 G54 G71 G90 G40\nT=\"BALL_D6\" M6\nS12000 M3 D1\nG0 X0 Y0 Z50\nCYCLE832(0.01,_FINISH,1)\n");
    } else {
        out += QStringLiteral("%\nO2003 (%1 - FREEFORM FINISHING, BALL NOSE D6)\n").arg(name);
        out += QStringLiteral("G21 G17 G40 G49 G80 G90\nG54\nT7 M06\nS12000 M03\nG05.1 Q1\nG00 X0. Y0.\nG43 Z50. H07 M08\n");
    }
    int block = 10;
    for (int pass = 0; pass < passes; ++pass) {
        const double y = passes > 1 ? depth * pass / (passes - 1) : 0.0;
        for (int point = 0; point < pointsPerPass; ++point) {
            const int index = pass % 2 == 0 ? point : pointsPerPass - 1 - point;
            const double x = pointsPerPass > 1 ? width * index / (pointsPerPass - 1) : 0.0;
            const double z = Surface(x, y);
            // CAM output is modal: Y only where a new pass begins.
            const bool newPass = point == 0;
            if (siemens) {
                out += QStringLiteral("N%1 G1 X%2").arg(block).arg(x, 0, 'f', 3);
                if (newPass)
                    out += QStringLiteral(" Y%1").arg(y, 0, 'f', 3);
                out += QStringLiteral(" Z%1").arg(z, 0, 'f', 3);
            } else {
                out += QStringLiteral("N%1 G01 X%2").arg(block).arg(Number(x));
                if (newPass)
                    out += QStringLiteral(" Y%1").arg(Number(y));
                out += QStringLiteral(" Z%1").arg(Number(z));
            }
            if (pass == 0 && point == 0)
                out += siemens ? QStringLiteral(" F2500") : QStringLiteral(" F2500.");
            out += QLatin1Char('\n');
            block += 2;
        }
    }
    if (siemens)
        out += QStringLiteral("G0 Z50 M9\nCYCLE832()\nM30\n");
    else
        out += QStringLiteral("G00 Z50. M09\nG05.1 Q0\nG28 G91 Z0.\nM30\n%\n");
    return out.toLatin1();
}

QList<DemoFile> DemoProgramFiles()
{
    // The written programs are data: resources/demo/programs, tree and all.
    const QString root = QStringLiteral(":/demo/programs/");
    QList<DemoFile> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly))
            files.append({file.fileName().mid(root.size()), file.readAll()});
    }
    files.append({QStringLiteral("mill-m201/O2003.NC"),
                  SurfacingProgram(QStringLiteral("MOULD INSERT 120X80"), 101, 121, false)});
    files.append({QStringLiteral("mill-m202/FREEFORM.MPF"), SurfacingProgram(QStringLiteral("FREEFORM.MPF"), 41, 81, true)});
    return files;
}

QStringList DemoEmptyFolders()
{
    return {QStringLiteral("lathe-l101/received"), QStringLiteral("mill-m202/received"),
            QStringLiteral("saw-s501")};
}
