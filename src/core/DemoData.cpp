#include "core/DemoData.h"

#include "binding/OrvADOConnection.h"
#include "core/DeliveredDatabase.h"
#include "platform/Clock.h"
#include "platform/SqliteEngine.h"
#include "support/OrvErrors.h"

#include <QRandomGenerator>
#include <QSet>

namespace {
const char* const kTrades[] = {"Bakkerij", "Transportbedrijf", "Installatiebedrijf", "Hoveniersbedrijf",
                               "Adviesbureau", "Schildersbedrijf", "Autobedrijf", "Drukkerij",
                               "Zorggroep", "Bouwbedrijf", "Kapsalon", "Accountantskantoor"};
const char* const kFamilies[] = {"De Vries", "Jansen", "Bakker", "Visser", "Smit", "Meijer", "De Boer",
                                 "Mulder", "De Groot", "Bos", "Vos", "Peters", "Hendriks", "Van Dijk",
                                 "Dekker", "Brouwer", "Van der Linden", "Kok", "Jacobs", "Van Leeuwen"};
const char* const kForms[] = {" B.V.", " V.O.F.", "", " & Zn."};
const char* const kConcernWords[] = {"Holding", "Groep", "Beheer", "Combinatie"};

template <size_t N>
QString Pick(QRandomGenerator& random, const char* const (&words)[N]) {
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
                do name = Pick(random, kTrades) + u' ' + Pick(random, kFamilies) + Pick(random, kForms) +
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
                        wageSum(QStringLiteral("WerkgeverId"), employerId)(QStringLiteral("Periode"), p)(
                            QStringLiteral("Proforma"), proforma)(QStringLiteral("Bedrag"), PeriodWageSum(random, size))(
                            QStringLiteral("Nu"), now)
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
                        QStringLiteral("Bedrag"), qRound64(random.bounded(size * 0.02) * 100) / 100.0)(
                        QStringLiteral("TypeId"), type)(QStringLiteral("Nu"), now)
                        .Run();
                }
            }
        });
    });
}

void CreateDemoDatabase(const QString& path, const TDemoOptions& options) {
    CreateDeliveredDatabase(path);
    TOrvADOConnection connection;
    connection.Open(path, QString(), QStringLiteral("Share Exclusive"));
    FillDemoDatabase(connection, options);
}
