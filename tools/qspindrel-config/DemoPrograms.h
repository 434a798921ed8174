#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// A file of the demo's program folders, relative to programs/.
struct DemoFile {
    QString path;
    QByteArray content;
};

// Sample part programs for each demo machine (Fanuc-style turning and
// milling, Sinumerik, Heidenhain plain language, wire EDM), with subfolders,
// a hidden folder and hidden files: the files under resources/demo/programs,
// and two large ones generated.
QList<DemoFile> DemoProgramFiles();

// Folders that exist without files of their own (receive folders).
QStringList DemoEmptyFolders();

// A raster finishing program over a smooth freeform surface: `passes` lines
// of `pointsPerPass` points, Fanuc (or Sinumerik when `siemens`) syntax.
QByteArray SurfacingProgram(const QString &name, int passes, int pointsPerPass, bool siemens);
