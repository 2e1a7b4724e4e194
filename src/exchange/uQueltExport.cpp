#include "exchange/uQueltExport.h"

#include "core/dMain.h"
#include "core/uUtils.h"
#include "platform/Clock.h"
#include "platform/Progress.h"
#include "platform/SqliteEngine.h"
#include "support/OrvErrors.h"

#include <QHash>

#include <algorithm>
#include <map>
#include <vector>

namespace {
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

// What the two selects of the costs that count give (the definitive costs of a counting type, totalled per
// employer without a concern by wage tax number and period, and per concern by concern and period, each in
// its select's order), computed in one pass over the costs instead of two grouped joins. Wage tax numbers
// are unique in Werkgevers under the comparison the grouping uses, so a number's rows are its employer's.
class TKostenTotalen {
public:
    struct TRij {
        QString Loonheffingennummer;
        qint64 ConcernId;
        qint64 Periode;
        double Bedrag;
    };

    explicit TKostenTotalen(TOrvADOConnection& zemlo) {
        struct TWerkgever {
            QString Nummer;
            QVariant Concern;
            std::map<qint64, double> Perioden;
        };
        QHash<qint64, TWerkgever> werkgevers;
        TSqliteStatement werkgever(
            zemlo.Handle(), QStringLiteral("SELECT WerkgeverId, Loonheffingennummer, ConcernId FROM Werkgevers"));
        while (werkgever.Step())
            werkgevers.insert(werkgever.ColumnValue(0).toLongLong(),
                              {werkgever.ColumnValue(1).toString(), werkgever.ColumnValue(2), {}});
        std::map<qint64, std::map<qint64, double>> concerns;
        TSqliteStatement kosten(
            zemlo.Handle(), QStringLiteral("SELECT K.WerkgeverId, K.Periode, K.Bedrag FROM Kosten K, KostenTypen KT "
                                           "WHERE K.KostenTypeId = KT.KostenTypeId AND KT.TeltMee = True AND "
                                           "K.Proforma = False"));
        while (kosten.Step()) {
            const auto w = werkgevers.find(kosten.ColumnValue(0).toLongLong());
            if (w == werkgevers.end()) continue;
            const qint64 periode = kosten.ColumnValue(1).toLongLong();
            const double bedrag = kosten.ColumnValue(2).toDouble();
            if (w->Concern.isNull())
                w->Perioden[periode] += bedrag;
            else
                concerns[w->Concern.toLongLong()][periode] += bedrag;
        }
        std::vector<const TWerkgever*> volgorde;
        for (const TWerkgever& w : std::as_const(werkgevers))
            if (!w.Perioden.empty()) volgorde.push_back(&w);
        std::sort(volgorde.begin(), volgorde.end(), [](const TWerkgever* a, const TWerkgever* b) {
            return AlsDatabaseVergelijkt(a->Nummer) < AlsDatabaseVergelijkt(b->Nummer);
        });
        for (const TWerkgever* w : volgorde)
            for (const auto& [periode, bedrag] : w->Perioden) Werkgevers.push_back({w->Nummer, 0, periode, bedrag});
        for (const auto& [concern, perioden] : concerns)
            for (const auto& [periode, bedrag] : perioden) Concerns.push_back({QString(), concern, periode, bedrag});
    }

    std::vector<TRij> Werkgevers;  // without a concern
    std::vector<TRij> Concerns;
};
}

TKostenExport::TKostenExport(TdmMain& data)
    : TQueltUitwisseling(data, QStringLiteral("uQueltExport.ExporteerKosten: "), QStringLiteral("Kosten exporteren"),
                         QStringLiteral("Alle niet-proforma kosten die meetellen worden naar "),
                         QStringLiteral(" geëxporteerd. De bestaande kosten worden overgeschreven. ")) {}

void TKostenExport::Openen() {
    OpenQueltDatabase(Data(), QueltBestand(), {TQueltTabel::Werkgever, TQueltTabel::Werkkosten},
                      TQueltToegang::Schrijven);
}

TOrvADOConnection& TKostenExport::Doel() { return *Data().ADOConnectionQuelt; }

QString TKostenExport::Werk(TProgress& progress) {
    TOrvADOConnection& quelt = *Data().ADOConnectionQuelt;
    int aantal = 0;
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

    progress.SetStep(QStringLiteral("Kosten lezen"));
    const TKostenTotalen totalen(*Data().ADOConnectionZemlo);
    progress.SetStep(QStringLiteral("Kosten schrijven"));
    progress.SetTotal(int(totalen.Werkgevers.size() + totalen.Concerns.size()));
    const TQueltWerkgeverNummers nummers(quelt);
    int gedaan = 0;
    const auto voegToe = [&](qint64 nummer, const TKostenTotalen::TRij& rij) {
        insert.Bind(QStringLiteral("WGNummer"), nummer);
        insert.Bind(QStringLiteral("Periode"), rij.Periode);
        insert.Bind(QStringLiteral("Bedrag"), rij.Bedrag);
        ExecutePrepared(insert);
        ++aantal;
    };

    for (const TKostenTotalen::TRij& rij : totalen.Werkgevers) {
        progress.Advance(gedaan++);
        const qint64 nummer = nummers.Nummer(rij.Loonheffingennummer);
        if (nummer != -1) voegToe(nummer, rij);
    }

    // Each concern's rows go under its representative, or are skipped as a whole when it has none
    // in the payroll.
    const TKostenTotalen::TRij* vorige = nullptr;
    qint64 vertegenwoordiger = -1;
    for (const TKostenTotalen::TRij& rij : totalen.Concerns) {
        progress.Advance(gedaan++);
        if (!vorige || vorige->ConcernId != rij.ConcernId) {
            QString loonheffingennummer;
            double concernLoonsom = 0;
            GetConcernGegevens(Data().ADOConnectionZemlo, rij.ConcernId, loonheffingennummer, concernLoonsom);
            vertegenwoordiger = loonheffingennummer.isEmpty() ? -1 : nummers.Nummer(loonheffingennummer);
            if (vertegenwoordiger != -1) {
                concernUpdate.Bind(QStringLiteral("AfwLoonsom"), concernLoonsom);
                concernUpdate.Bind(QStringLiteral("WGNummer"), vertegenwoordiger);
                ExecutePrepared(concernUpdate);
            }
        }
        vorige = &rij;
        if (vertegenwoordiger != -1) voegToe(vertegenwoordiger, rij);
    }
    progress.Advance(gedaan);
    return aantal > 0 ? QStringLiteral("De kosten zijn geëxporteerd.") : QStringLiteral("Geen kosten beschikbaar.");
}
