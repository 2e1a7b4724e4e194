#include "exchange/uQueltImport.h"

#include "core/dMain.h"
#include "core/uConst.h"
#include "core/uUtils.h"
#include "platform/Clock.h"
#include "platform/Progress.h"
#include "platform/SqliteEngine.h"
#include "support/OrvErrors.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <memory>
#include <sqlite3.h>
#include <vector>

namespace {
void RequireConnection(const TOrvADOConnection* connection) {
    if (!connection) throw EOrvError(QStringLiteral("No DB connection specified"));
}

std::unique_ptr<TSqliteStatement> Prepare(TOrvADOConnection& connection, const QString& sql) {
    return std::make_unique<TSqliteStatement>(connection.Handle(), sql);
}

// What the select of the bookings per period gives (per wage tax number the total of column 14 booked from
// the period's first to its last day, for the employers whose current version has the period's kind), for
// every kind and period at once: one pass over the bookings instead of a select per period, which reads
// each booking through the index once per period and is slower the larger the payroll. Per period the rows
// come in the select's order, its GROUP BY on the number as the database orders text.
class TBoekingsSommen {
public:
    explicit TBoekingsSommen(TOrvADOConnection& quelt) {
        WithPrefix(QStringLiteral("StelQueryOp_SelectBoekingskolommen: "), [&] {
            for (const int soort : {kAangifteTijdvakMaand, kAangifteTijdvakVierWeken})
                for (int periode = 1; periode <= AantalPerioden(soort); ++periode) {
                    const TImportTijdvak t = ImportTijdvak(soort, periode);
                    // The bound dates as the engine compares them with the stored text.
                    FTijdvakken[soort - 1].push_back({ToEngineValue(t.Begin.startOfDay()).toString(),
                                                      ToEngineValue(t.Eind.startOfDay()).toString()});
                }
            LeesHuidigeVersies(quelt);
            LeesBoekingen(quelt);
        });
    }

    // The rows of the period: wage tax number and total.
    std::vector<std::pair<QString, double>> Rijen(int soort, int periode) const {
        std::vector<std::pair<QString, double>> rijen;
        const std::vector<TSom>& sommen = FSommen[soort - 1];
        for (const int groep : FVolgorde) {
            const TSom& som = sommen[size_t(periode - 1) * FNummers.size() + size_t(groep)];
            if (som.Aanwezig) rijen.emplace_back(FNummers[size_t(groep)], som.Bedrag);
        }
        return rijen;
    }

private:
    struct TVersie {
        int Soort;
        int Groep;
    };
    struct TSom {
        double Bedrag = 0;
        bool Aanwezig = false;  // a booking in the period, even one without an amount
    };

    // The current version of every payroll employer; its number decides the group, its kind the periods.
    void LeesHuidigeVersies(TOrvADOConnection& quelt) {
        TSqliteStatement select(
            quelt.Handle(), QStringLiteral(" SELECT WG.Werkgeversnummer, WG.Loonbelastingnummer, "
                                           "WG.Bericht_TijdvakSoort    FROM Werkgever WG   WHERE WG.Ingangsdatum IN "
                                           "        (SELECT MAX(WG2.Ingangsdatum)            FROM Werkgever WG2    "
                                           "       WHERE WG2.Werkgeversnummer = WG.Werkgeversnummer ) "));
        QHash<QString, int> groepen;
        while (select.Step()) {
            const QVariant nummer = select.ColumnValue(1);
            bool isGetal = false;
            const double soort = select.ColumnValue(2).toDouble(&isGetal);
            if (nummer.isNull() || !isGetal || (soort != kAangifteTijdvakMaand && soort != kAangifteTijdvakVierWeken))
                continue;
            const QString sleutel = AlsDatabaseVergelijkt(nummer.toString());
            auto groep = groepen.constFind(sleutel);
            if (groep == groepen.constEnd()) {
                groep = groepen.insert(sleutel, int(FNummers.size()));
                FNummers.push_back(nummer.toString());
            }
            FVersies[select.ColumnValue(0).toLongLong()].append({int(soort), *groep});
        }
        for (int i = 0; i < int(FNummers.size()); ++i) FVolgorde.push_back(i);
        std::sort(FVolgorde.begin(), FVolgorde.end(), [&](int a, int b) {
            return AlsDatabaseVergelijkt(FNummers[size_t(a)]) < AlsDatabaseVergelijkt(FNummers[size_t(b)]);
        });
        for (const int soort : {kAangifteTijdvakMaand, kAangifteTijdvakVierWeken})
            FSommen[soort - 1].resize(size_t(AantalPerioden(soort)) * FNummers.size());
    }

    void LeesBoekingen(TOrvADOConnection& quelt) {
        // Column 14 holds the taxable wage.
        TSqliteStatement select(quelt.Handle(),
                                QStringLiteral("SELECT Werkgeversnummer, Boekingsdatum, KolomBedrag FROM "
                                               "BoekingsKolommen WHERE Kolomboeking = 14"));
        while (select.Step()) {
            const auto versies = FVersies.constFind(select.ColumnValue(0).toLongLong());
            // A date stored as anything but text lies between no two bound dates.
            if (versies == FVersies.constEnd() || select.ColumnStorageClass(1) != SQLITE_TEXT) continue;
            const QString datum = select.ColumnValue(1).toString();
            const QVariant bedrag = select.ColumnValue(2);
            for (const TVersie& versie : *versies) {
                const int periode = PeriodeVan(versie.Soort, datum);
                if (periode == 0) continue;
                TSom& som = FSommen[versie.Soort - 1][size_t(periode - 1) * FNummers.size() + size_t(versie.Groep)];
                som.Aanwezig = true;
                if (!bedrag.isNull()) som.Bedrag += bedrag.toDouble();
            }
        }
    }

    // The period of the kind whose dates hold the text, 0 for none (the periods do not overlap).
    int PeriodeVan(int soort, const QString& datum) const {
        const auto& tijdvakken = FTijdvakken[soort - 1];
        const auto na = std::upper_bound(tijdvakken.begin(), tijdvakken.end(), datum,
                                         [](const QString& d, const auto& t) { return d < t.first; });
        if (na == tijdvakken.begin() || datum > std::prev(na)->second) return 0;
        return int(na - tijdvakken.begin());
    }

    std::array<std::vector<std::pair<QString, QString>>, 2> FTijdvakken;  // first and last day per kind
    QHash<qint64, QVector<TVersie>> FVersies;                             // by payroll employer number
    std::vector<QString> FNummers;                                        // per group, as stored
    std::vector<int> FVolgorde;                                           // the groups in the select's order
    std::array<std::vector<TSom>, 2> FSommen;                             // per kind: period by group
};

std::unique_ptr<TSqliteStatement> StelQueryOp_UpdateLoonsommen(TOrvADOConnection& connection) {
    return WithPrefix(QStringLiteral("StelQueryOp_UpdateLoonsommen: "), [&] {
        return Prepare(connection, QStringLiteral(" UPDATE Loonsommen SET        Bedrag = :Bedrag,        "
                                                  "WijzigDatum = :WijzigDatum  WHERE WerkgeverId = :WGId    AND "
                                                  "Periode = :Periode    AND Proforma = False "));
    });
}

std::unique_ptr<TSqliteStatement> StelQueryOp_InsertLoonsommen(TOrvADOConnection& connection) {
    return WithPrefix(QStringLiteral("StelQueryOp_InsertLoonsommen: "), [&] {
        return Prepare(connection, QStringLiteral(" INSERT INTO Loonsommen ( WerkgeverId, Periode, Proforma,    "
                                                  "Bedrag, AanmaakDatum, WijzigDatum )  VALUES (:WGId, :Periode, "
                                                  "False, :Bedrag, :AanmaakDatum, :WijzigDatum) "));
    });
}

// One run of the wage sum import: the sums of all periods computed at once, the update and the insert
// prepared once, and the program's employer keys looked up once per wage tax number (the run adds no
// employers).
class TLoonsomBijwerking {
public:
    explicit TLoonsomBijwerking(TdmMain& data)
        : FZemlo(*data.ADOConnectionZemlo), FSommen(*data.ADOConnectionQuelt),
          FUpdate(StelQueryOp_UpdateLoonsommen(FZemlo)), FInsert(StelQueryOp_InsertLoonsommen(FZemlo)) {
        const QDateTime now = Clock::Now();
        FUpdate->Bind(QStringLiteral("WijzigDatum"), now);
        FInsert->Bind(QStringLiteral("AanmaakDatum"), now);
        FInsert->Bind(QStringLiteral("WijzigDatum"), now);
    }

    void LoonsommenBijwerkenPerTijdvakNummer(int aangifteTijdvak, int periode) {
        WithPrefix(QStringLiteral("LoonsommenBijwerkenPerTijdvakNummer: "), [&] {
            for (const auto& [loonbelastingnummer, bedrag] : FSommen.Rijen(aangifteTijdvak, periode)) {
                const qint64 werkgeverId = ZemloWerkgeverId(loonbelastingnummer);
                if (werkgeverId == -1) continue;
                for (TSqliteStatement* statement : {FUpdate.get(), FInsert.get()}) {
                    statement->Bind(QStringLiteral("WGId"), werkgeverId);
                    statement->Bind(QStringLiteral("Periode"), periode);
                    statement->Bind(QStringLiteral("Bedrag"), bedrag);
                }
                if (ExecutePrepared(*FUpdate) == 0) ExecutePrepared(*FInsert);
            }
        });
    }

private:
    qint64 ZemloWerkgeverId(const QString& loonheffingennummer) {
        auto found = FWerkgeverIds.constFind(loonheffingennummer);
        if (found == FWerkgeverIds.constEnd())
            found = FWerkgeverIds.insert(loonheffingennummer, GetZemloWerkgeverId(&FZemlo, loonheffingennummer));
        return *found;
    }

    TOrvADOConnection& FZemlo;
    const TBoekingsSommen FSommen;
    std::unique_ptr<TSqliteStatement> FUpdate;
    std::unique_ptr<TSqliteStatement> FInsert;
    QHash<QString, qint64> FWerkgeverIds;
};

struct TQueltWerkgever {
    QVariant Loonbelastingnummer;
    QVariant Naam;
    QVariant Tijdvak;
};

// The current version of every payroll employer, in the order the database gives them.
std::vector<TQueltWerkgever> HuidigeQueltWerkgevers(TOrvADOConnection& quelt) {
    TSqliteStatement select(quelt.Handle(),
                            QStringLiteral(" SELECT WG.Loonbelastingnummer, WG.Naam, WG.Bericht_TijdvakSoort    FROM "
                                           "Werkgever WG   WHERE WG.Ingangsdatum IN         (SELECT "
                                           "MAX(WG2.Ingangsdatum)            FROM Werkgever WG2           WHERE "
                                           "WG2.Werkgeversnummer = WG.Werkgeversnummer ) "));
    std::vector<TQueltWerkgever> werkgevers;
    while (select.Step()) werkgevers.push_back({select.ColumnValue(0), select.ColumnValue(1), select.ColumnValue(2)});
    return werkgevers;
}

QString WerkgeversResultaat(int aantal) {
    if (aantal == 0) return QStringLiteral("Geen nieuwe werkgevers beschikbaar.");
    if (aantal == 1) return QStringLiteral("Eén nieuw werkgever is geïmporteerd.");
    return QString::number(aantal) + QStringLiteral(" nieuwe werkgevers zijn geïmporteerd.");
}
}

TImportTijdvak ImportTijdvak(int aangifteTijdvak, int periode) {
    const QDate eersteMaandag = StartWeek1Van2024();
    TImportTijdvak tijdvak{HerleidDagInTijdvak(aangifteTijdvak, periode, false, eersteMaandag),
                           HerleidDagInTijdvak(aangifteTijdvak, periode, true, eersteMaandag)};
    if ((aangifteTijdvak == kAangifteTijdvakMaand && periode == kMaandPerioden) ||
        (aangifteTijdvak == kAangifteTijdvakVierWeken && periode == kVierWekenPerioden))
        tijdvak.Eind = QDate(kBelastingjaar + 1, 1, 31);
    return tijdvak;
}

bool BestaanWerkgeversMetAangifteTijvak(TOrvADOConnection* connection, int aangifteTijdvak) {
    return WithPrefix(QStringLiteral("BestaanWerkgeversMetAangifteTijvak: "), [&] {
        RequireConnection(connection);
        TSqliteStatement select(connection->Handle(), QStringLiteral("SELECT TOP 1 Werkgeversnummer   FROM "
                                                                     "Werkgever   WHERE Bericht_TijdvakSoort = "
                                                                     ":Tijdvak "));
        select.Bind(QStringLiteral("Tijdvak"), aangifteTijdvak);
        return select.Step();
    });
}

TWerkgeversImport::TWerkgeversImport(TdmMain& data)
    : TQueltUitwisseling(data, QStringLiteral("uQueltImport.ImporteerWerkgevers: "),
                         QStringLiteral("Werkgevers importeren"), QStringLiteral("Alle werkgevers worden vanuit "),
                         QStringLiteral(" overgenomen. ")) {}

void TWerkgeversImport::Openen() {
    OpenQueltDatabase(Data(), QueltBestand(), {TQueltTabel::Werkgever}, TQueltToegang::Lezen);
}

TOrvADOConnection& TWerkgeversImport::Doel() { return *Data().ADOConnectionZemlo; }

QString TWerkgeversImport::Werk(TProgress& progress) {
    TOrvADOConnection& zemlo = *Data().ADOConnectionZemlo;
    TSqliteStatement insert(zemlo.Handle(),
                            QStringLiteral(" INSERT INTO Werkgevers ( Loonheffingennummer, Naam,     "
                                           "AangifteTijdvak, AanmaakDatum, WijzigDatum )  VALUES (:LHNr, "
                                           ":Naam, :Tijdvak, :AanmaakDatum, :WijzigDatum) "));
    const std::vector<TQueltWerkgever> werkgevers = HuidigeQueltWerkgevers(*Data().ADOConnectionQuelt);
    progress.SetTotal(int(werkgevers.size()));
    int aantal = 0;
    int gedaan = 0;
    for (const TQueltWerkgever& werkgever : werkgevers) {
        progress.Advance(gedaan++);
        // Tested against the database as it is now, so a number twice in the payroll comes in once.
        if (CheckValueExists(&zemlo, QStringLiteral("werkgevers"), QStringLiteral("loonheffingennummer"), QString(), -1,
                             QString(), werkgever.Loonbelastingnummer.toString()))
            continue;
        const QDateTime now = Clock::Now();
        insert.Bind(QStringLiteral("LHNr"), werkgever.Loonbelastingnummer);
        insert.Bind(QStringLiteral("Naam"), werkgever.Naam);
        insert.Bind(QStringLiteral("Tijdvak"), werkgever.Tijdvak.isNull() ? 0 : werkgever.Tijdvak.toLongLong());
        insert.Bind(QStringLiteral("AanmaakDatum"), now);
        insert.Bind(QStringLiteral("WijzigDatum"), now);
        ExecutePrepared(insert);
        ++aantal;
    }
    progress.Advance(gedaan);
    return WerkgeversResultaat(aantal);
}

TLoonsommenImport::TLoonsommenImport(TdmMain& data)
    : TQueltUitwisseling(data, QStringLiteral("uQueltImport.ImporteerLoonsommen: "),
                         QStringLiteral("Loonsommen importeren"), QStringLiteral("Alle loonsommen worden vanuit "),
                         QStringLiteral(" overgenomen. De bestaande loonsommen worden overgeschreven. ")) {}

void TLoonsommenImport::Openen() {
    OpenQueltDatabase(Data(), QueltBestand(), {TQueltTabel::Werkgever, TQueltTabel::BoekingsKolommen},
                      TQueltToegang::Lezen);
}

TOrvADOConnection& TLoonsommenImport::Doel() { return *Data().ADOConnectionZemlo; }

QString TLoonsommenImport::Werk(TProgress& progress) {
    progress.SetTotal(kMaandPerioden + kVierWekenPerioden);
    progress.SetStep(QStringLiteral("Boekingen lezen"));
    TLoonsomBijwerking import(Data());
    int gedaan = 0;
    for (const int soort : {kAangifteTijdvakMaand, kAangifteTijdvakVierWeken}) {
        const int perioden = AantalPerioden(soort);
        // Without employers of the kind its periods are not looked at.
        if (!BestaanWerkgeversMetAangifteTijvak(Data().ADOConnectionQuelt, soort)) {
            progress.Advance(gedaan += perioden);
            continue;
        }
        for (int periode = 1; periode <= perioden; ++periode) {
            progress.SetStep(PeriodeTekst(soort, periode));
            import.LoonsommenBijwerkenPerTijdvakNummer(soort, periode);
            progress.Advance(++gedaan);
        }
    }
    return QStringLiteral("Loonsommen zijn geïmporteerd.");
}
