#include "exchange/uQueltImport.h"

#include "core/OrvMessages.h"
#include "core/ZemloMBox.h"
#include "core/dMain.h"
#include "core/uConst.h"
#include "core/uUtils.h"
#include "platform/Clock.h"
#include "platform/Progress.h"
#include "platform/SqliteEngine.h"
#include "platform/WaitCursor.h"
#include "support/OrvErrors.h"

#include <QHash>
#include <QScopeGuard>
#include <memory>
#include <vector>

namespace {
// The bookings of this column are the taxable wage.
constexpr int kLoonKolom = 14;

void RequireConnection(const TOrvADOConnection* connection) {
    if (!connection) throw EOrvError(QStringLiteral("No DB connection specified"));
}

std::unique_ptr<TSqliteStatement> Prepare(TOrvADOConnection& connection, const QString& sql) {
    return std::make_unique<TSqliteStatement>(connection.Handle(), sql);
}

std::unique_ptr<TSqliteStatement> StelQueryOp_SelectBoekingskolommen(TOrvADOConnection& connection) {
    return WithPrefix(QStringLiteral("StelQueryOp_SelectBoekingskolommen: "), [&] {
        return Prepare(connection,
                       QStringLiteral(" SELECT WG.Loonbelastingnummer, SUM(BK.KolomBedrag) AS Bedrag   FROM "
                                      "BoekingsKolommen BK         INNER JOIN Werkgever WG         ON "
                                      "WG.Werkgeversnummer = BK.Werkgeversnummer   WHERE BK.Kolomboeking = 14     "
                                      "AND BK.Boekingsdatum BETWEEN :DtBegin AND :DtEind     AND WG.Ingangsdatum IN "
                                      "        (SELECT MAX(WG2.Ingangsdatum)           FROM Werkgever WG2          "
                                      "WHERE WG2.Werkgeversnummer = WG.Werkgeversnummer)     AND "
                                      "WG.Bericht_TijdvakSoort = :AangifteTijdvak   GROUP BY WG.Loonbelastingnummer "));
    });
}

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

// One run of the wage sum import: the three statements prepared once, and the program's employer keys
// looked up once per wage tax number (the run adds no employers).
class TLoonsomImport {
public:
    explicit TLoonsomImport(TdmMain& data)
        : FZemlo(*data.ADOConnectionZemlo),
          FSelect(StelQueryOp_SelectBoekingskolommen(*data.ADOConnectionQuelt)),
          FUpdate(StelQueryOp_UpdateLoonsommen(FZemlo)),
          FInsert(StelQueryOp_InsertLoonsommen(FZemlo)) {
        const QDateTime now = Clock::Now();
        FUpdate->Bind(QStringLiteral("WijzigDatum"), now);
        FInsert->Bind(QStringLiteral("AanmaakDatum"), now);
        FInsert->Bind(QStringLiteral("WijzigDatum"), now);
    }

    void LoonsommenBijwerkenPerTijdvakNummer(int aangifteTijdvak, int periode) {
        WithPrefix(QStringLiteral("LoonsommenBijwerkenPerTijdvakNummer: "), [&] {
            const TImportTijdvak tijdvak = ImportTijdvak(aangifteTijdvak, periode);
            FSelect->Reset();
            FSelect->Bind(QStringLiteral("DtBegin"), tijdvak.Begin.startOfDay());
            FSelect->Bind(QStringLiteral("DtEind"), tijdvak.Eind.startOfDay());
            FSelect->Bind(QStringLiteral("AangifteTijdvak"), aangifteTijdvak);
            while (FSelect->Step()) {
                const qint64 werkgeverId = ZemloWerkgeverId(FSelect->ColumnValue(0).toString());
                if (werkgeverId == -1) continue;
                // A sum of only empty amounts is no wage.
                const double bedrag = FSelect->ColumnValue(1).toDouble();
                for (TSqliteStatement* statement : {FUpdate.get(), FInsert.get()}) {
                    statement->Bind(QStringLiteral("WGId"), werkgeverId);
                    statement->Bind(QStringLiteral("Periode"), periode);
                    statement->Bind(QStringLiteral("Bedrag"), bedrag);
                }
                if (ExecutePrepared(*FUpdate) == 0) ExecutePrepared(*FInsert);
            }
            FSelect->Reset();
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
    std::unique_ptr<TSqliteStatement> FSelect;
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

TUitwisseling ImporteerWerkgevers(TdmMain& data) {
    return WithPrefix(QStringLiteral("uQueltImport.ImporteerWerkgevers: "), [&] {
        const std::optional<QString> koppeling = GeldigeQueltKoppeling(data.ADOConnectionZemlo);
        if (!koppeling) return TUitwisseling::KoppelingOngeldig;
        if (ZemloQuestion(QueltVraag(QStringLiteral("Alle werkgevers worden vanuit "), *koppeling,
                                     QStringLiteral(" overgenomen. ")),
                          false) != mrYes)
            return TUitwisseling::NietBevestigd;
        int aantal = 0;
        {
            const TWaitCursor wait;
            TProgress progress(QStringLiteral("Werkgevers importeren"));
            const auto sluitQuelt = qScopeGuard([&] { data.ADOConnectionQuelt->Close(); });
            TOrvADOConnection& zemlo = *data.ADOConnectionZemlo;
            RunInTransaction(zemlo, [&] {
                OpenQueltDatabase(data, QueltDatabaseBestand(*koppeling), {TQueltTabel::Werkgever});
                TSqliteStatement insert(zemlo.Handle(),
                                        QStringLiteral(" INSERT INTO Werkgevers ( Loonheffingennummer, Naam,     "
                                                       "AangifteTijdvak, AanmaakDatum, WijzigDatum )  VALUES (:LHNr, "
                                                       ":Naam, :Tijdvak, :AanmaakDatum, :WijzigDatum) "));
                const std::vector<TQueltWerkgever> werkgevers = HuidigeQueltWerkgevers(*data.ADOConnectionQuelt);
                progress.SetTotal(int(werkgevers.size()));
                int gedaan = 0;
                for (const TQueltWerkgever& werkgever : werkgevers) {
                    progress.Advance(gedaan++);
                    // Tested against the database as it is now, so a number twice in the payroll comes in once.
                    if (CheckValueExists(&zemlo, QStringLiteral("werkgevers"), QStringLiteral("loonheffingennummer"),
                                         QString(), -1, QString(), werkgever.Loonbelastingnummer.toString()))
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
            });
        }
        ZemloInfo(WerkgeversResultaat(aantal));
        return TUitwisseling::Uitgevoerd;
    });
}

TUitwisseling ImporteerLoonsommen(TdmMain& data) {
    return WithPrefix(QStringLiteral("uQueltImport.ImporteerLoonsommen: "), [&] {
        const std::optional<QString> koppeling = GeldigeQueltKoppeling(data.ADOConnectionZemlo);
        if (!koppeling) return TUitwisseling::KoppelingOngeldig;
        if (ZemloQuestion(QueltVraag(QStringLiteral("Alle loonsommen worden vanuit "), *koppeling,
                                     QStringLiteral(" overgenomen. De bestaande loonsommen worden overgeschreven. ")),
                          false) != mrYes)
            return TUitwisseling::NietBevestigd;
        {
            const TWaitCursor wait;
            TProgress progress(QStringLiteral("Loonsommen importeren"), kMaandPerioden + kVierWekenPerioden);
            const auto sluitQuelt = qScopeGuard([&] { data.ADOConnectionQuelt->Close(); });
            RunInTransaction(*data.ADOConnectionZemlo, [&] {
                OpenQueltDatabase(data, QueltDatabaseBestand(*koppeling),
                                  {TQueltTabel::Werkgever, TQueltTabel::BoekingsKolommen});
                TLoonsomImport import(data);
                int gedaan = 0;
                for (const int soort : {kAangifteTijdvakMaand, kAangifteTijdvakVierWeken}) {
                    const int perioden = AantalPerioden(soort);
                    if (!BestaanWerkgeversMetAangifteTijvak(data.ADOConnectionQuelt, soort)) {
                        progress.Advance(gedaan += perioden);
                        continue;
                    }
                    for (int periode = 1; periode <= perioden; ++periode) {
                        progress.SetStep(PeriodeTekst(soort, periode));
                        import.LoonsommenBijwerkenPerTijdvakNummer(soort, periode);
                        progress.Advance(++gedaan);
                    }
                }
            });
        }
        ZemloInfo(QStringLiteral("Loonsommen zijn geïmporteerd."));
        return TUitwisseling::Uitgevoerd;
    });
}
