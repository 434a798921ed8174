#pragma once

#include <QChar>
#include <QDir>
#include <QString>

// Operators type "o2" for "O2.NC", and the station compares file names
// without regard to case; a case-sensitive file system does not. When
// `fullPath` does not exist but exactly one entry of its folder has its last
// component for a name, ignoring case, returns the path with that entry's
// name; otherwise `fullPath` unchanged.
QString MatchExistingNameCase(const QString &fullPath, QChar separator = QDir::separator());
