// The payroll exchange on large databases.
// Wage sum import: a payroll database of 1,000,000 bookings (2,000 employers, month and four-week, one to
// three versions each) against one GROUP BY of the column-14 bookings per employer and month.
// Budget: the import within 2 s and within 3x that baseline.
// Cost export: 10,000 employers with costs in every period, once without and once with concerns.
// Budget: within 1 s each.
// Each result is checked against the straightforward way of the statements: per period the select and,
// per row, the single look-up of the employer.

#include "BenchTimes.h"
#include "binding/OrvQuery.h"
#include "core/DemoData.h"
#include "core/dMain.h"
#include "core/uConst.h"
#include "core/uUtils.h"
#include "exchange/uQueltExport.h"
#include "exchange/uQueltImport.h"
#include "exchange/uQueltKoppeling.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMap>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {
constexpr int kRuns = 5;

QStringList Rows(TOrvADOConnection& connection, const QString& sql) {
    TOrvQuery query(nullptr, &connection);
    query.SetSQL(sql);
    query.Open();
    QStringList rows;
    for (int r = 0; r < query.RecordCount(); ++r) {
        QStringList values;
        for (int c = 0; c < query.FieldCount(); ++c) values.append(query.Value(r, c).toString());
        rows.append(values.join(u'|'));
    }
    return rows;
}

// Amounts are compared to the cent: the order in which the engine adds a period's bookings is its own.
QString Amount(double value) { return QString::number(value, 'f', 2); }

// The definitive wage sums the import must leave: those before, with every period's select applied row by
// row through the single look-up.
QStringList ExpectedWageSums(TdmMain& data) {
    QMap<std::pair<qint64, int>, double> sums;
    for (const QString& row :
         Rows(*data.ADOConnectionZemlo,
              QStringLiteral("SELECT WerkgeverId, Periode, Bedrag FROM Loonsommen WHERE Proforma = False"))) {
        const QStringList v = row.split(u'|');
        sums[{v[0].toLongLong(), v[1].toInt()}] = v[2].toDouble();
    }
    TOrvQuery select(nullptr, data.ADOConnectionQuelt);
    select.SetSQL(QStringLiteral(
        " SELECT WG.Loonbelastingnummer, SUM(BK.KolomBedrag) AS Bedrag   FROM BoekingsKolommen BK         INNER JOIN "
        "Werkgever WG         ON WG.Werkgeversnummer = BK.Werkgeversnummer   WHERE BK.Kolomboeking = 14     AND "
        "BK.Boekingsdatum BETWEEN :DtBegin AND :DtEind     AND WG.Ingangsdatum IN         (SELECT MAX(WG2.Ingangsdatum)  "
        "         FROM Werkgever WG2          WHERE WG2.Werkgeversnummer = WG.Werkgeversnummer)     AND "
        "WG.Bericht_TijdvakSoort = :AangifteTijdvak   GROUP BY WG.Loonbelastingnummer "));
    for (const int soort : {kAangifteTijdvakMaand, kAangifteTijdvakVierWeken})
        for (int periode = 1; periode <= AantalPerioden(soort); ++periode) {
            const TImportTijdvak tijdvak = ImportTijdvak(soort, periode);
            select.ParamByName(QStringLiteral("DtBegin")).SetAsDateTime(tijdvak.Begin.startOfDay());
            select.ParamByName(QStringLiteral("DtEind")).SetAsDateTime(tijdvak.Eind.startOfDay());
            select.ParamByName(QStringLiteral("AangifteTijdvak")).SetAsInteger(soort);
            select.Open();
            for (int r = 0; r < select.RecordCount(); ++r) {
                const qint64 id = GetZemloWerkgeverId(data.ADOConnectionZemlo, select.Value(r, 0).toString());
                if (id != -1) sums[{id, periode}] = select.Value(r, 1).toDouble();
            }
        }
    QStringList rows;
    for (auto it = sums.cbegin(); it != sums.cend(); ++it)
        rows.append(QStringLiteral("%1|%2|%3").arg(it.key().first).arg(it.key().second).arg(Amount(it.value())));
    return rows;
}

QStringList WageSums(TdmMain& data) {
    QStringList rows;
    for (const QString& row :
         Rows(*data.ADOConnectionZemlo,
              QStringLiteral("SELECT WerkgeverId, Periode, Bedrag FROM Loonsommen WHERE Proforma = "
                             "False ORDER BY WerkgeverId, Periode"))) {
        const QStringList v = row.split(u'|');
        rows.append(v[0] + u'|' + v[1] + u'|' + Amount(v[2].toDouble()));
    }
    return rows;
}

struct TSetup {
    QString Zemlo;
    QString Koppeling;
};

TSetup Databases(const QString& directory, const QString& name, const TDemoOptions& zemlo,
                 const TDemoQueltOptions& quelt) {
    const QString folder = directory + u'/' + name;
    QDir().mkpath(folder);
    TSetup setup{folder + QStringLiteral("/Zemlo2024.mdb"), folder + u'/'};
    QElapsedTimer timer;
    timer.start();
    CreateDemoDatabase(setup.Zemlo, zemlo);
    TOrvADOConnection connection;
    ConnectDatabase(connection, setup.Zemlo, QString(), QStringLiteral("Share Exclusive"));
    CreateDemoQueltDatabase(QueltDatabaseBestand(setup.Koppeling), connection, quelt);
    SaveQueltKoppeling(&connection, setup.Koppeling);
    std::printf("  %s: databases generated in %.1f s\n", qPrintable(name), timer.elapsed() / 1000.0);
    return setup;
}

bool WageSumImport(const QString& directory) {
    TDemoOptions zemlo;
    zemlo.Werkgevers = 2000;
    TDemoQueltOptions quelt;
    quelt.Bekend = 1.0;
    quelt.Onbekend = 0;
    quelt.BoekingenPerWerkgever = 500;
    const TSetup setup = Databases(directory, QStringLiteral("import"), zemlo, quelt);
    TdmMain data;
    ConnectDatabase(*data.ADOConnectionZemlo, setup.Zemlo, QString(), QStringLiteral("Share Exclusive"));

    ConnectDatabase(*data.ADOConnectionQuelt, QueltDatabaseBestand(setup.Koppeling), QString(),
                    QStringLiteral("Share Deny None"));
    const QStringList counts =
        Rows(*data.ADOConnectionQuelt,
             QStringLiteral("SELECT (SELECT COUNT(*) FROM BoekingsKolommen), (SELECT COUNT(*) FROM "
                            "Werkgever), (SELECT COUNT(DISTINCT Werkgeversnummer) FROM Werkgever)"));
    const QStringList expected = ExpectedWageSums(data);
    TSqliteStatement baseline(data.ADOConnectionQuelt->Handle(),
                              QStringLiteral("SELECT Werkgeversnummer, substr(Boekingsdatum, 1, 7) AS Maand, "
                                             "SUM(KolomBedrag) FROM BoekingsKolommen WHERE Kolomboeking = 14 GROUP BY "
                                             "Werkgeversnummer, Maand"));
    double sink = 0;
    const double baselineMs = MedianMs(kRuns, [&] {
        baseline.Reset();
        while (baseline.Step()) sink += baseline.ColumnValue(2).toDouble();
    });
    data.ADOConnectionQuelt->Close();

    const double importMs = MedianMs(kRuns, [&] { TLoonsommenImport(data).Uitvoeren(); });
    const bool equal = WageSums(data) == expected;
    const double ratio = importMs / baselineMs;
    const bool within = importMs <= 2000 && ratio <= 3 && equal;
    std::printf("  bookings|versions|employers: %s\n", qPrintable(counts.first()));
    std::printf("Wage sum import: %.0f ms (budget 2000 ms), GROUP BY baseline %.0f ms, ratio %.2f (budget 3x); "
                "result %s the per-period statements to the cent (%lld wage sums)%s\n",
                importMs, baselineMs, ratio, equal ? "equals" : "DIFFERS FROM", qlonglong(expected.size()),
                sink < 0 ? "." : "");
    return within;
}

// The rows the export must leave: the two selects in order, each employer looked up once per number.
QStringList ExpectedExport(TdmMain& data) {
    QHash<QString, qint64> numbers;
    const auto number = [&](const QString& lhnr) {
        if (!numbers.contains(lhnr)) numbers.insert(lhnr, GetQueltWerkgeverId(data.ADOConnectionQuelt, lhnr));
        return numbers.value(lhnr);
    };
    const QString where = QStringLiteral(
        "   FROM Kosten K, KostenTypen KT, Werkgevers WG   WHERE K.KostenTypeId = KT.KostenTypeId     AND "
        "K.WerkgeverId = WG.WerkgeverId     AND KT.TeltMee = True     AND K.Proforma = False     AND ");
    QStringList rows;
    for (
        const QString& row : Rows(
            *data.ADOConnectionZemlo,
            QStringLiteral(" SELECT WG.Loonheffingennummer, Periode, SUM(Bedrag) AS TotBedrag ") + where +
                QStringLiteral(
                    "WG.ConcernId IS NULL   GROUP BY WG.Loonheffingennummer, Periode   ORDER BY WG.Loonheffingennummer, Periode "))) {
        const QStringList v = row.split(u'|');
        if (const qint64 n = number(v[0]); n != -1)
            rows.append(QStringLiteral("%1|%2|%3").arg(n).arg(v[1], Amount(v[2].toDouble())));
    }
    QString concern;
    qint64 representative = -1;
    for (const QString& row :
         Rows(*data.ADOConnectionZemlo,
              QStringLiteral(" SELECT WG.ConcernId, Periode, SUM(Bedrag) AS TotBedrag ") + where +
                  QStringLiteral(
                      "WG.ConcernId IS NOT NULL   GROUP BY WG.ConcernId, Periode   ORDER BY WG.ConcernId, Periode "))) {
        const QStringList v = row.split(u'|');
        if (v[0] != concern) {
            concern = v[0];
            QString lhnr;
            double total = 0;
            GetConcernGegevens(data.ADOConnectionZemlo, concern.toLongLong(), lhnr, total);
            representative = lhnr.isEmpty() ? -1 : number(lhnr);
            if (representative != -1)
                rows.append(QStringLiteral("afwijkend %1|%2").arg(representative).arg(Amount(total)));
        }
        if (representative != -1)
            rows.append(QStringLiteral("%1|%2|%3").arg(representative).arg(v[1], Amount(v[2].toDouble())));
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

QStringList Exported(TdmMain& data) {
    QStringList rows;
    for (const QString& row :
         Rows(*data.ADOConnectionQuelt, QStringLiteral("SELECT Werkgeversnummer, Periode, Bedrag FROM Werkkosten"))) {
        const QStringList v = row.split(u'|');
        rows.append(v[0] + u'|' + v[1] + u'|' + Amount(v[2].toDouble()));
    }
    for (const QString& row : Rows(*data.ADOConnectionQuelt,
                                   QStringLiteral("SELECT DISTINCT Werkgeversnummer, AfwijkendeLoonsomVoorZemlo FROM "
                                                  "Werkgever WHERE AfwijkendeLoonsomVoorZemlo IS NOT NULL"))) {
        const QStringList v = row.split(u'|');
        rows.append(QStringLiteral("afwijkend ") + v[0] + u'|' + Amount(v[1].toDouble()));
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

bool CostExport(const QString& directory, int werkgeversPerConcern) {
    TDemoOptions zemlo;
    zemlo.Werkgevers = 10000;
    zemlo.WerkgeversPerConcern = werkgeversPerConcern;
    zemlo.KostenPerWerkgever = 40;
    TDemoQueltOptions quelt;
    quelt.Bekend = 1.0;
    quelt.Onbekend = 0;
    quelt.BoekingenPerWerkgever = 0;
    const QString name = werkgeversPerConcern > 0 ? QStringLiteral("export-concerns") : QStringLiteral("export");
    const TSetup setup = Databases(directory, name, zemlo, quelt);
    TdmMain data;
    ConnectDatabase(*data.ADOConnectionZemlo, setup.Zemlo, QString(), QStringLiteral("Share Exclusive"));
    const double exportMs = MedianMs(kRuns, [&] { TKostenExport(data).Uitvoeren(); });

    ConnectDatabase(*data.ADOConnectionQuelt, QueltDatabaseBestand(setup.Koppeling), QString(),
                    QStringLiteral("Share Deny None"));
    QElapsedTimer reference;
    reference.start();
    const QStringList expected = ExpectedExport(data);
    const QStringList exported = Exported(data);
    const bool equal = exported == expected;
    std::printf(
        "Cost export, %s: %.0f ms (budget 1000 ms) for %lld rows; result %s the statements one by one to the cent "
        "(checked in %.1f s)\n",
        werkgeversPerConcern > 0 ? "with concerns" : "no concerns", exportMs, qlonglong(exported.size()),
        equal ? "equals" : "DIFFERS FROM", reference.elapsed() / 1000.0);
    return exportMs <= 1000 && equal;
}
}

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir directory;
    std::printf("Payroll exchange benchmark (median of %d runs)\n", kRuns);
    const bool import = WageSumImport(directory.path());
    const bool plain = CostExport(directory.path(), 0);
    const bool concerns = CostExport(directory.path(), 4);
    const bool within = import && plain && concerns;
    std::printf("%s\n", within ? "within budget" : "OVER BUDGET");
    return within ? 0 : 1;
}
