#include "exchange/uQueltExport.h"

#include "binding/OrvQuery.h"
#include "core/OrvMessages.h"
#include "core/ZemloMBox.h"
#include "core/dMain.h"
#include "core/uUtils.h"
#include "platform/Clock.h"
#include "platform/Progress.h"
#include "platform/SqliteEngine.h"
#include "platform/WaitCursor.h"
#include "support/OrvErrors.h"

#include <QHash>
#include <QScopeGuard>

namespace {
// Text as the database compares it here: ASCII letters without regard to case, everything else as is.
QString AlsDatabaseVergelijkt(const QString& text) {
    QString folded = text;
    for (QChar& c : folded)
        if (c >= u'A' && c <= u'Z') c = QChar(c.unicode() + (u'a' - u'A'));
    return folded;
}

// GetQueltWerkgeverId for every number at once. The payroll table has no index on the wage tax number, so
// each look-up would read the whole table; one pass keeps, per number, the employer number of the first
// row in the table's order, the row the look-up finds.
class TQueltWerkgeverNummers {
public:
    explicit TQueltWerkgeverNummers(TOrvADOConnection& quelt) {
        WithPrefix(QStringLiteral("GetQueltWerkgeverId: "), [&] {
            TSqliteStatement select(quelt.Handle(),
                                    QStringLiteral("SELECT Loonbelastingnummer, Werkgeversnummer FROM Werkgever"));
            while (select.Step()) {
                const QVariant nummer = select.ColumnValue(0);
                if (nummer.isNull()) continue;
                const QString sleutel = AlsDatabaseVergelijkt(nummer.toString());
                if (!FNummers.contains(sleutel))
                    FNummers.insert(sleutel, select.ColumnValue(1).isNull() ? -1 : select.ColumnValue(1).toLongLong());
            }
        });
    }
    qint64 Nummer(const QString& loonheffingennummer) const {
        return FNummers.value(AlsDatabaseVergelijkt(loonheffingennummer), -1);
    }

private:
    QHash<QString, qint64> FNummers;
};

const QString kWhereTeltMee = QStringLiteral(
    "   FROM Kosten K, KostenTypen KT, Werkgevers WG   WHERE K.KostenTypeId = KT.KostenTypeId     AND "
    "K.WerkgeverId = WG.WerkgeverId     AND KT.TeltMee = True     AND K.Proforma = False     AND ");

void OpenKosten(TOrvQuery& query, const QString& sql) {
    query.SetSQL(sql);
    query.Open();
}
}

TUitwisseling ExporteerKosten(TdmMain& data) {
    return WithPrefix(QStringLiteral("uQueltExport.ExporteerKosten: "), [&] {
        const std::optional<QString> koppeling = GeldigeQueltKoppeling(data.ADOConnectionZemlo);
        if (!koppeling) return TUitwisseling::KoppelingOngeldig;
        if (ZemloQuestion(QueltVraag(QStringLiteral("Alle niet-proforma kosten die meetellen worden naar "),
                                     *koppeling,
                                     QStringLiteral(" geëxporteerd. De bestaande kosten worden overgeschreven. ")),
                          false) != mrYes)
            return TUitwisseling::NietBevestigd;
        int aantal = 0;
        {
            const TWaitCursor wait;
            TProgress progress(QStringLiteral("Kosten exporteren"));
            const auto sluitQuelt = qScopeGuard([&] { data.ADOConnectionQuelt->Close(); });
            OpenQueltDatabase(data, QueltDatabaseBestand(*koppeling), {TQueltTabel::Werkgever, TQueltTabel::Werkkosten});
            TOrvADOConnection& quelt = *data.ADOConnectionQuelt;
            RunInTransaction(quelt, [&] {
                quelt.Execute(QStringLiteral(" DELETE FROM Werkkosten "));
                quelt.Execute(QStringLiteral(" UPDATE Werkgever SET AfwijkendeLoonsomVoorZemlo = NULL "));
                TSqliteStatement insert(quelt.Handle(),
                                        QStringLiteral(" INSERT INTO Werkkosten ( Werkgeversnummer, Periode, Bedrag, "
                                                       "WijzigDatum ) VALUES (:WGNummer, :Periode, :Bedrag, "
                                                       ":WijzigDatum) "));
                insert.Bind(QStringLiteral("WijzigDatum"), Clock::Now());
                TSqliteStatement concernUpdate(quelt.Handle(),
                                               QStringLiteral("  UPDATE Werkgever      SET AfwijkendeLoonsomVoorZemlo "
                                                              "= :AfwLoonsom    WHERE Werkgeversnummer = :WGNummer "));

                TOrvQuery werkgevers(nullptr, data.ADOConnectionZemlo);
                OpenKosten(werkgevers, QStringLiteral(" SELECT WG.Loonheffingennummer, Periode, SUM(Bedrag) AS "
                                                      "TotBedrag ") +
                                           kWhereTeltMee +
                                           QStringLiteral("WG.ConcernId IS NULL   GROUP BY WG.Loonheffingennummer, "
                                                          "Periode   ORDER BY WG.Loonheffingennummer, Periode "));
                TOrvQuery concerns(nullptr, data.ADOConnectionZemlo);
                OpenKosten(concerns, QStringLiteral(" SELECT WG.ConcernId, Periode, SUM(Bedrag) AS TotBedrag ") +
                                         kWhereTeltMee +
                                         QStringLiteral("WG.ConcernId IS NOT NULL   GROUP BY WG.ConcernId, Periode   "
                                                        "ORDER BY WG.ConcernId, Periode "));
                progress.SetTotal(werkgevers.RecordCount() + concerns.RecordCount());
                const TQueltWerkgeverNummers nummers(quelt);
                int gedaan = 0;
                const auto voegToe = [&](qint64 nummer, const TOrvQuery& rows, int row) {
                    insert.Bind(QStringLiteral("WGNummer"), nummer);
                    insert.Bind(QStringLiteral("Periode"), rows.Value(row, 1).toLongLong());
                    insert.Bind(QStringLiteral("Bedrag"), rows.Value(row, 2).toDouble());
                    ExecutePrepared(insert);
                    ++aantal;
                };

                for (int row = 0; row < werkgevers.RecordCount(); ++row) {
                    progress.Advance(gedaan++);
                    const qint64 nummer = nummers.Nummer(werkgevers.Value(row, 0).toString());
                    if (nummer != -1) voegToe(nummer, werkgevers, row);
                }

                // Rows come grouped by concern; each concern's rows go under its representative, or are
                // skipped as a whole when it has none in the payroll.
                QVariant concern;
                qint64 vertegenwoordiger = -1;
                for (int row = 0; row < concerns.RecordCount(); ++row) {
                    progress.Advance(gedaan++);
                    if (row == 0 || concerns.Value(row, 0) != concern) {
                        concern = concerns.Value(row, 0);
                        QString loonheffingennummer;
                        double concernLoonsom = 0;
                        GetConcernGegevens(data.ADOConnectionZemlo, concern.toLongLong(), loonheffingennummer,
                                           concernLoonsom);
                        vertegenwoordiger = loonheffingennummer.isEmpty() ? -1 : nummers.Nummer(loonheffingennummer);
                        if (vertegenwoordiger != -1) {
                            concernUpdate.Bind(QStringLiteral("AfwLoonsom"), concernLoonsom);
                            concernUpdate.Bind(QStringLiteral("WGNummer"), vertegenwoordiger);
                            ExecutePrepared(concernUpdate);
                        }
                    }
                    if (vertegenwoordiger != -1) voegToe(vertegenwoordiger, concerns, row);
                }
                progress.Advance(gedaan);
            });
        }
        ZemloInfo(aantal > 0 ? QStringLiteral("De kosten zijn geëxporteerd.") : QStringLiteral("Geen kosten beschikbaar."));
        return TUitwisseling::Uitgevoerd;
    });
}
