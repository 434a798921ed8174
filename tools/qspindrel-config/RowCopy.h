#pragma once

#include "MdbExport.h"

#include <QString>
#include <QStringList>

class clsAccessDBConnection;

// Adds every row of `rows` to the database table `tableName`, with the values
// as they are (ids and nulls kept), inside the caller's transaction. Columns
// are matched to the table's own without regard to case; source columns the
// table lacks are not copied and their names go to *skipped.
bool InsertRows(clsAccessDBConnection &connection, const QString &tableName, const TableRows &rows,
                QStringList *skipped, QString *error);
