#include "core/OverviewCsv.h"

#include "support/OrvClientDataSet.h"

#include <QTextStream>

const QStringList& OverviewColumns() {
    static const QStringList columns = {
        QStringLiteral("WerkgeverId"),         QStringLiteral("ConcernId"),
        QStringLiteral("Loonheffingennummer"), QStringLiteral("Naam"),
        QStringLiteral("Aangiftetijdvak"),     QStringLiteral("Concern"),
        QStringLiteral("TotLoonsom"),          QStringLiteral("TotKosten"),
        QStringLiteral("TotVrijeRuimte"),      QStringLiteral("TotRestVrijeRuimte"),
        QStringLiteral("TotConcernLoonsom"),   QStringLiteral("TotConcernVrijeRuimte"),
        QStringLiteral("TotConcernKosten"),    QStringLiteral("TotConcernRestVrijeRuimte"),
        QStringLiteral("MaxConcernLoonsom")};
    return columns;
}

QString CsvField(const QString& text) {
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r')) return text;
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

namespace {
// The columns from TotLoonsom on are amounts.
constexpr size_t kFirstAmountColumn = 6;

}

QString CsvAmount(double value) {
    QString text = QString::number(value, 'f', 2);
    if (text == u"-0.00") text = QStringLiteral("0.00");
    return text;
}

void WriteOverviewCsv(const TDataSet& overview, QTextStream& out) {
    TOrvClientDataSet rows;
    rows.CopyFrom(overview);
    std::vector<int> fields;
    for (const QString& name : OverviewColumns()) fields.push_back(rows.FieldIndexOrRaise(name));
    rows.Sort({TSortKey{fields[0], false}});

    out << OverviewColumns().join(u',') << "\r\n";
    for (int r = 0; r < rows.RecordCount(); ++r) {
        QStringList line;
        for (size_t i = 0; i < fields.size(); ++i) {
            const QVariant value = rows.Value(r, fields[i]);
            if (value.isNull())
                line.append(QString());
            else if (i >= kFirstAmountColumn)
                line.append(CsvAmount(value.toDouble()));
            else
                line.append(CsvField(value.toString()));
        }
        out << line.join(u',') << "\r\n";
    }
}
