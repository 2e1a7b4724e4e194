#include "core/DemoData.h"

#include "binding/OrvADOConnection.h"
#include "core/DeliveredDatabase.h"
#include "platform/Clock.h"
#include "platform/SqliteEngine.h"
#include "support/OrvErrors.h"

#include <QRandomGenerator>
#include <QScopeGuard>
#include <QSet>

#include <algorithm>
#include <vector>

namespace {
const char* const kTrades[] = {"Bakkerij",     "Transportbedrijf", "Installatiebedrijf", "Hoveniersbedrijf",
                               "Adviesbureau", "Schildersbedrijf", "Autobedrijf",        "Drukkerij",
                               "Zorggroep",    "Bouwbedrijf",      "Kapsalon",           "Accountantskantoor"};
const char* const kFamilies[] = {"De Vries", "Jansen",         "Bakker",   "Visser",   "Smit",
                                 "Meijer",   "De Boer",        "Mulder",   "De Groot", "Bos",
                                 "Vos",      "Peters",         "Hendriks", "Van Dijk", "Dekker",
                                 "Brouwer",  "Van der Linden", "Kok",      "Jacobs",   "Van Leeuwen"};
const char* const kForms[] = {" B.V.", " V.O.F.", "", " & Zn."};
const char* const kConcernWords[] = {"Holding", "Groep", "Beheer", "Combinatie"};

template <size_t N> QString Pick(QRandomGenerator& random, const char* const (&words)[N]) {
    return QString::fromUtf8(words[random.bounded(int(N))]);
}

// Nine digits that pass the eleven test, then "L01".
QString WageTaxNumber(QRandomGenerator& random) {
    for (;;) {
        int digits[9];
        digits[0] = 1 + random.bounded(9);
        for (int i = 1; i < 8; ++i) digits[i] = random.bounded(10);
        int sum = 0;
        for (int i = 0; i < 8; ++i) sum += (9 - i) * digits[i];
        if (sum % 11 == 10) continue;
        digits[8] = sum % 11;
        QString number;
        for (int d : digits) number += QChar(u'0' + d);
        return number + QStringLiteral("L01");
    }
}

// A wage sum of one period: 2,000 to 60,000 in whole cents.
double PeriodWageSum(QRandomGenerator& random, double size) {
    return qRound64(size * (0.9 + random.bounded(0.2)) * 100) / 100.0;
}

class TInsert {
public:
    TInsert(TOrvADOConnection& connection, const QString& sql) : FStatement(connection.Handle(), sql) {}
    TInsert& operator()(const QString& name, const QVariant& value) {
        FStatement.Bind(name, value);
        return *this;
    }
    void Run() {
        FStatement.Step();
        FStatement.Reset();
    }

private:
    TSqliteStatement FStatement;
};
}

void FillDemoDatabase(TOrvADOConnection& connection, const TDemoOptions& options) {
    WithPrefix(QStringLiteral("FillDemoDatabase: "), [&] {
        QRandomGenerator random(options.Seed);
        const QDateTime now = Clock::Now();
        RunInTransaction(connection, [&] {
            TInsert concern(connection, QStringLiteral("INSERT INTO Concerns (Naam, AanmaakDatum, WijzigDatum) "
                                                       "VALUES (:Naam, :Nu, :Nu)"));
            TInsert employer(connection,
                             QStringLiteral("INSERT INTO Werkgevers (Loonheffingennummer, Naam, AangifteTijdvak, "
                                            "ConcernId, AanmaakDatum, WijzigDatum) VALUES (:LHNr, :Naam, "
                                            ":Tijdvak, :ConcernId, :Nu, :Nu)"));
            TInsert wageSum(connection,
                            QStringLiteral("INSERT INTO Loonsommen (WerkgeverId, Periode, Proforma, Bedrag, "
                                           "AanmaakDatum, WijzigDatum) VALUES (:WerkgeverId, :Periode, :Proforma, "
                                           ":Bedrag, :Nu, :Nu)"));
            TInsert cost(connection,
                         QStringLiteral("INSERT INTO Kosten (WerkgeverId, KostenCategorieId, Periode, Proforma, "
                                        "Bedrag, KostenTypeId, AanmaakDatum, WijzigDatum) VALUES (:WerkgeverId, "
                                        ":CategorieId, :Periode, :Proforma, :Bedrag, :TypeId, :Nu, :Nu)"));
            TSqliteStatement lastCategory(connection.Handle(),
                                          QStringLiteral("SELECT MAX(KostencategorieId) FROM Kostencategorieen"));
            lastCategory.Step();
            const int categories = lastCategory.ColumnValue(0).toInt();
            if (categories < 1) throw EOrvError(QStringLiteral("The database holds no cost categories"));
            QSet<QString> numbers, names;
            qint64 concernId = 0;
            int leftInConcern = 0;
            for (int e = 0; e < options.Werkgevers; ++e) {
                // Every few employers start a new concern; a third of the employers belong to none.
                QVariant employerConcern;
                if (options.WerkgeversPerConcern > 0 && leftInConcern == 0 && random.bounded(3) != 0) {
                    QString name = Pick(random, kConcernWords) + u' ' + Pick(random, kFamilies);
                    if (names.contains(name)) name += QStringLiteral(" %1").arg(e + 1);
                    names.insert(name);
                    concern(QStringLiteral("Naam"), name)(QStringLiteral("Nu"), now).Run();
                    concernId = connection.LastInsertId();
                    leftInConcern = 1 + random.bounded(options.WerkgeversPerConcern * 2);
                }
                if (leftInConcern > 0) {
                    employerConcern = concernId;
                    --leftInConcern;
                }
                QString number;
                do number = WageTaxNumber(random);
                while (numbers.contains(number));
                numbers.insert(number);
                QString name;
                int attempt = 0;
                do
                    name = Pick(random, kTrades) + u' ' + Pick(random, kFamilies) + Pick(random, kForms) +
                           (++attempt > 3 ? QStringLiteral(" %1").arg(e + 1) : QString());
                while (names.contains(name));
                names.insert(name);
                const int kind = random.bounded(4) == 0 ? 2 : 1;
                employer(QStringLiteral("LHNr"), number)(QStringLiteral("Naam"), name)(QStringLiteral("Tijdvak"), kind)(
                    QStringLiteral("ConcernId"), employerConcern)(QStringLiteral("Nu"), now)
                    .Run();
                const qint64 employerId = connection.LastInsertId();

                const int periods = kind == 2 ? 13 : 12;
                const double size = 2000 + random.bounded(58000.0);
                const bool dense = options.KostenPerWerkgever > 0;
                // The demo's last two periods have only a provisional wage sum; the one before has both.
                const int lastDefinitive = dense ? periods : periods - 2;
                for (int p = 1; p <= periods; ++p) {
                    const auto add = [&](bool proforma) {
                        wageSum(QStringLiteral("WerkgeverId"), employerId)(QStringLiteral("Periode"),
                                                                           p)(QStringLiteral("Proforma"), proforma)(
                            QStringLiteral("Bedrag"), PeriodWageSum(random, size))(QStringLiteral("Nu"), now)
                            .Run();
                    };
                    if (p <= lastDefinitive) add(false);
                    if (dense || p >= lastDefinitive) add(true);
                }
                const int costs = dense ? options.KostenPerWerkgever : 5 + random.bounded(11);
                for (int c = 0; c < costs; ++c) {
                    const int type = 1 + (random.bounded(10) < 6 ? 0 : random.bounded(4));
                    const int period = 1 + random.bounded(periods);
                    cost(QStringLiteral("WerkgeverId"), employerId)(QStringLiteral("CategorieId"),
                                                                    1 + random.bounded(categories))(
                        QStringLiteral("Periode"), period)(QStringLiteral("Proforma"), period > lastDefinitive)(
                        QStringLiteral("Bedrag"), qRound64(random.bounded(size * 0.02) * 100) /
                                                      100.0)(QStringLiteral("TypeId"), type)(QStringLiteral("Nu"), now)
                        .Run();
                }
            }
        });
    });
}

namespace {
struct TDemoWerkgever {
    QString Nummer;
    QString Naam;
    int Tijdvak;
};

std::vector<TDemoWerkgever> ZemloWerkgevers(TOrvADOConnection& zemlo) {
    TSqliteStatement select(zemlo.Handle(), QStringLiteral("SELECT Loonheffingennummer, Naam, AangifteTijdvak FROM "
                                                           "Werkgevers ORDER BY WerkgeverId"));
    std::vector<TDemoWerkgever> werkgevers;
    while (select.Step())
        werkgevers.push_back(
            {select.ColumnValue(0).toString(), select.ColumnValue(1).toString(), select.ColumnValue(2).toInt()});
    return werkgevers;
}
}

void CreateDemoQueltDatabase(const QString& path, TOrvADOConnection& zemlo, const TDemoQueltOptions& options) {
    WithPrefix(QStringLiteral("CreateDemoQueltDatabase: "), [&] {
        QRandomGenerator random(options.Seed);
        std::vector<TDemoWerkgever> werkgevers;
        QSet<QString> numbers;
        for (const TDemoWerkgever& w : ZemloWerkgevers(zemlo)) {
            numbers.insert(w.Nummer);
            if (random.bounded(1.0) >= options.Bekend) continue;
            TDemoWerkgever known = w;
            // The payroll's kind decides the import; now and then it is not the one the program holds.
            if (random.bounded(8) == 0) known.Tijdvak = known.Tijdvak == 2 ? 1 : 2;
            if (random.bounded(6) == 0) known.Naam += QStringLiteral(" (Quelt)");
            werkgevers.push_back(known);
        }
        for (int e = 0; e < options.Onbekend; ++e) {
            QString number;
            do number = WageTaxNumber(random);
            while (numbers.contains(number));
            numbers.insert(number);
            werkgevers.push_back({number,
                                  Pick(random, kTrades) + u' ' + Pick(random, kFamilies) + Pick(random, kForms) +
                                      QStringLiteral(" %1").arg(e + 1),
                                  random.bounded(4) == 0 ? 2 : 1});
        }

        CreateQueltDatabase(path);
        TOrvADOConnection quelt;
        auto unfinished = qScopeGuard([&] {
            quelt.Close();
            TSqliteDatabase::Remove(path);
        });
        quelt.Open(path, QString(), QStringLiteral("Share Exclusive"));
        RunInTransaction(quelt, [&] {
            TInsert version(quelt, QStringLiteral("INSERT INTO Werkgever (Werkgeversnummer, Ingangsdatum, "
                                                  "Loonbelastingnummer, Naam, Bericht_TijdvakSoort) VALUES (:Nr, "
                                                  ":Ingang, :LHNr, :Naam, :Tijdvak)"));
            TInsert booking(quelt, QStringLiteral("INSERT INTO BoekingsKolommen (Werkgeversnummer, Kolomboeking, "
                                                  "KolomBedrag, Boekingsdatum) VALUES (:Nr, :Kolom, :Bedrag, :Datum)"));
            const QDate eersteDag(2023, 12, 1);
            const int dagen = int(eersteDag.daysTo(QDate(2025, 1, 31))) + 1;
            const int loonBoekingenPerPeriode = std::max(1, options.BoekingenPerWerkgever / 2 / 13);
            static const int kAndereKolommen[] = {1, 3, 6, 15, 16, 20};
            for (size_t i = 0; i < werkgevers.size(); ++i) {
                const TDemoWerkgever& w = werkgevers[i];
                const qint64 nummer = 1001 + qint64(i);
                // The current version starts in 2024 or earlier; older ones a year or two before it, under an
                // earlier name and sometimes the other kind.
                QDate ingang = random.bounded(3) == 0 ? QDate(2024, 1 + random.bounded(6), 1) : QDate(2023, 1, 1);
                QDate tot;  // the start of the next newer version
                const int versies = 1 + random.bounded(3);
                for (int v = 0; v < versies; ++v) {
                    const bool huidig = v == 0;
                    version(QStringLiteral("Nr"), nummer)(QStringLiteral("Ingang"), ingang)(QStringLiteral("LHNr"),
                                                                                            w.Nummer)(
                        QStringLiteral("Naam"), huidig ? w.Naam : w.Naam + QStringLiteral(" (tot %1)").arg(tot.year()))(
                        QStringLiteral("Tijdvak"), huidig || random.bounded(3) != 0 ? w.Tijdvak : 3 - w.Tijdvak)
                        .Run();
                    tot = ingang;
                    ingang = ingang.addYears(-1 - random.bounded(2));
                }
                const double loon = 2000 + random.bounded(58000.0);
                for (int b = 0; b < options.BoekingenPerWerkgever; ++b) {
                    const bool loonKolom = random.bounded(2) == 0;
                    const double bedrag = loonKolom ? loon / loonBoekingenPerPeriode * (0.5 + random.bounded(1.0))
                                                    : random.bounded(loon * 0.1);
                    booking(QStringLiteral("Nr"), nummer)(QStringLiteral("Kolom"),
                                                          loonKolom ? 14 : kAndereKolommen[random.bounded(6)])(
                        QStringLiteral("Bedrag"), qRound64(bedrag * 100) / 100.0)(
                        QStringLiteral("Datum"), eersteDag.addDays(random.bounded(dagen)))
                        .Run();
                }
            }
        });
        unfinished.dismiss();
    });
}

// A database that could not be filled (a full disk) is no demo: it goes again, so nothing half made stays
// under the name.
void CreateDemoDatabase(const QString& path, const TDemoOptions& options) {
    CreateDeliveredDatabase(path);
    TOrvADOConnection connection;
    auto unfinished = qScopeGuard([&] {
        connection.Close();
        TSqliteDatabase::Remove(path);
    });
    connection.Open(path, QString(), QStringLiteral("Share Exclusive"));
    FillDemoDatabase(connection, options);
    unfinished.dismiss();
}
