#pragma once
// The employer overview as CSV: the 15 columns in their fixed order, one line per employer ordered by
// WerkgeverId, amounts with a point and two decimals, NULL as an empty field.

#include <QString>
#include <QStringList>

class TDataSet;
class QTextStream;

const QStringList& OverviewColumns();
void WriteOverviewCsv(const TDataSet& overview, QTextStream& out);
// One field as RFC 4180 wants it: quoted when it holds a comma, a quote or a line break.
QString CsvField(const QString& text);
// An amount as the CSV files write it: a point and two decimals, never "-0.00".
QString CsvAmount(double value);
