#pragma once

#include <QString>
#include <QStringList>

namespace sorvane {

// Splits one row of an option list or one preset line into its columns.
// Commas and blanks (codes 1 to 32) separate columns; a column that begins with
// a double quote runs to the next lone double quote and may hold commas and
// blanks ("" inside stands for one quote). A comma as the very last character
// adds one empty column; a comma followed only by blanks adds none.
QStringList SplitCommaText(const QString &row);

} // namespace sorvane
