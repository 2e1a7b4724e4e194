#include "report/uRapportage.h"

#include "binding/OrvQuery.h"
#include "core/dMain.h"
#include "core/uConst.h"
#include "core/uFilter.h"
#include "platform/Progress.h"
#include "support/OrvErrors.h"

#include <QMap>
#include <QTextStream>

#include <cmath>

namespace {
// One row of the overview, read once by field name.
struct TOverzichtRegel {
    qint64 WerkgeverId = 0;
    QVariant ConcernId;
    QString Loonheffingennummer;
    QString Naam;
    QString Concern;
    int Aangiftetijdvak = 0;
    double TotLoonsom = 0;
    double TotKosten = 0;
    double TotVrijeRuimte = 0;
    double TotRestVrijeRuimte = 0;
    double TotConcernLoonsom = 0;
    double TotConcernVrijeRuimte = 0;
    double TotConcernKosten = 0;
    double TotConcernRestVrijeRuimte = 0;
    double MaxConcernLoonsom = 0;
};

// The overview's amounts, by field name, and where a row keeps them.
const std::pair<const char*, double TOverzichtRegel::*> kBedragen[] = {
    {"TotLoonsom", &TOverzichtRegel::TotLoonsom},
    {"TotKosten", &TOverzichtRegel::TotKosten},
    {"TotVrijeRuimte", &TOverzichtRegel::TotVrijeRuimte},
    {"TotRestVrijeRuimte", &TOverzichtRegel::TotRestVrijeRuimte},
    {"TotConcernLoonsom", &TOverzichtRegel::TotConcernLoonsom},
    {"TotConcernVrijeRuimte", &TOverzichtRegel::TotConcernVrijeRuimte},
    {"TotConcernKosten", &TOverzichtRegel::TotConcernKosten},
    {"TotConcernRestVrijeRuimte", &TOverzichtRegel::TotConcernRestVrijeRuimte},
    {"MaxConcernLoonsom", &TOverzichtRegel::MaxConcernLoonsom}};

class TOverzichtLezer {
public:
    explicit TOverzichtLezer(const TDataSet& overview)
        : FData(overview), FWerkgeverId(Veld("WerkgeverId")), FConcernId(Veld("ConcernId")),
          FLoonheffingennummer(Veld("Loonheffingennummer")), FNaam(Veld("Naam")),
          FAangiftetijdvak(Veld("Aangiftetijdvak")), FConcern(Veld("Concern")) {
        for (const auto& [naam, bedrag] : kBedragen) FBedragen.append({Veld(naam), bedrag});
    }
    TOverzichtRegel Regel(int row) const {
        const auto value = [&](int field) { return FData.Value(row, field); };
        TOverzichtRegel r;
        r.WerkgeverId = value(FWerkgeverId).toLongLong();
        r.ConcernId = value(FConcernId).isNull() ? QVariant() : QVariant(value(FConcernId).toLongLong());
        r.Loonheffingennummer = value(FLoonheffingennummer).toString();
        r.Naam = value(FNaam).toString();
        r.Aangiftetijdvak = value(FAangiftetijdvak).toInt();
        r.Concern = value(FConcern).toString();
        for (const auto& [field, bedrag] : FBedragen) r.*bedrag = value(field).toDouble();
        return r;
    }

private:
    int Veld(const char* naam) const { return FData.FieldIndexOrRaise(QLatin1String(naam)); }

    const TDataSet& FData;
    const int FWerkgeverId;
    const int FConcernId;
    const int FLoonheffingennummer;
    const int FNaam;
    const int FAangiftetijdvak;
    const int FConcern;
    QList<std::pair<int, double TOverzichtRegel::*>> FBedragen;
};

QVariant Benut(double vrijeRuimte, double kosten) {
    if (vrijeRuimte <= 0) return QVariant();
    return kosten / vrijeRuimte * 100.0;
}

// A row from the overview's figures: those of the employer, or the concern's joint ones.
TRapportRegel Regel(const TOverzichtRegel& bron, double loonsom, double vrijeRuimte, double kosten, double restant) {
    TRapportRegel r;
    r.WerkgeverId = bron.WerkgeverId;
    r.ConcernId = bron.ConcernId;
    r.Loonheffingennummer = bron.Loonheffingennummer;
    r.Naam = bron.Naam;
    r.Concern = bron.Concern;
    r.Loonsom = loonsom;
    r.VrijeRuimte = vrijeRuimte;
    r.Kosten = kosten;
    r.Benut = Benut(vrijeRuimte, kosten);
    r.Restant = restant;
    r.Overschrijding = Overschrijding(vrijeRuimte, kosten);
    r.Eindheffing = Eindheffing(vrijeRuimte, kosten);
    if (r.Eindheffing > 0) r.Aangifte = AangifteTijdvak(bron.Aangiftetijdvak);
    return r;
}

// The member that carries the concern's remaining free space in the overview: the one whose wage sum is the
// concern's largest; of several, the first by key.
const TOverzichtRegel& Drager(const QList<TOverzichtRegel>& leden) {
    const TOverzichtRegel* drager = nullptr;
    for (const TOverzichtRegel& lid : leden)
        if (lid.TotLoonsom == lid.MaxConcernLoonsom && (!drager || lid.WerkgeverId < drager->WerkgeverId))
            drager = &lid;
    if (drager) return *drager;
    // Only when members' sums are all below zero while one has none; the largest sum then carries.
    drager = &leden.first();
    for (const TOverzichtRegel& lid : leden)
        if (lid.TotLoonsom > drager->TotLoonsom) drager = &lid;
    return *drager;
}

}

double Overschrijding(double vrijeRuimte, double kosten) {
    // In cents: costs equal to the free space do not exceed it by the free space's rounding error.
    const double centen = std::round((kosten - vrijeRuimte) * 100.0);
    return centen > 0 ? centen / 100.0 : 0.0;
}

double Eindheffing(double vrijeRuimte, double kosten) {
    return std::round(Overschrijding(vrijeRuimte, kosten) * kEindheffingTarief * 100.0) / 100.0;
}

QString AangifteTijdvak(int aangiftetijdvak) {
    return aangiftetijdvak == kAangifteTijdvakVierWeken ? QStringLiteral("2e vier weken 2025")
                                                        : QStringLiteral("februari 2025");
}

QString AdviesTekst(double verschil) {
    const qint64 centen = std::llround(verschil * 100.0);
    if (centen > 0) return QStringLiteral("Apart aangeven voordeliger");
    if (centen < 0) return QStringLiteral("Concernregeling voordeliger");
    return QStringLiteral("Geen verschil");
}

TRapportage BerekenRapportage(const TDataSet& overview, bool exclusiefProforma) {
    TRapportage rapport;
    WithPrefix(QStringLiteral("BerekenRapportage: "), [&] {
        rapport.ExclusiefProforma = exclusiefProforma;
        const TOverzichtLezer lezer(overview);
        QMap<qint64, QList<TOverzichtRegel>> concerns;
        QMap<qint64, TRapportRegel> regels;
        for (int row = 0; row < overview.RecordCount(); ++row) {
            const TOverzichtRegel r = lezer.Regel(row);
            if (r.ConcernId.isNull())
                regels.insert(r.WerkgeverId,
                              Regel(r, r.TotLoonsom, r.TotVrijeRuimte, r.TotKosten, r.TotRestVrijeRuimte));
            else
                concerns[r.ConcernId.toLongLong()].append(r);
        }
        for (auto c = concerns.cbegin(); c != concerns.cend(); ++c) {
            const TOverzichtRegel& drager = Drager(c.value());
            TRapportRegel regel = Regel(drager, drager.TotConcernLoonsom, drager.TotConcernVrijeRuimte,
                                        drager.TotConcernKosten, drager.TotConcernRestVrijeRuimte);
            TConcernAdvies advies;
            advies.ConcernId = c.key();
            advies.Concern = drager.Concern;
            advies.Werkgevers = int(c.value().size());
            advies.HeffingConcern = regel.Eindheffing;
            for (const TOverzichtRegel& lid : c.value())
                advies.HeffingApart += Eindheffing(lid.TotVrijeRuimte, lid.TotKosten);
            advies.Verschil = advies.HeffingConcern - advies.HeffingApart;
            advies.Advies = AdviesTekst(advies.Verschil);
            rapport.Advies.append(advies);
            regels.insert(regel.WerkgeverId, regel);
        }
        rapport.Regels = regels.values();
    });
    return rapport;
}

TRapportage MaakRapportage(TOrvADOConnection& connection, bool exclusiefProforma) {
    TRapportage rapport;
    WithPrefix(QStringLiteral("MaakRapportage: "), [&] {
        TProgress progress(QStringLiteral("Rapportage maken"));
        progress.SetStep(QStringLiteral("Vrije ruimte berekenen"));
        TFilter filter;
        if (exclusiefProforma) filter.SetFilterField(QStringLiteral("ExclusiefProforma"), true, TFieldType::ftBoolean);
        // A query of its own, so the main window's overview query keeps its filter and rows.
        TOrvQuery overzicht(nullptr, &connection);
        overzicht.SetSQL(BuildWerkgeversSQL(filter));
        overzicht.Open();
        progress.SetStep(QStringLiteral("Eindheffing berekenen"));
        rapport = BerekenRapportage(overzicht, exclusiefProforma);
    });
    return rapport;
}

const QList<TRijKolom<TRapportRegel>>& RegelKolommen() {
    using R = const TRapportRegel&;
    static const QList<TRijKolom<TRapportRegel>> kolommen = {
        {{QStringLiteral("WerkgeverId"), QString(), TKolomSoort::Geheel, 0, TKolomPlaats::AlleenCsv},
         [](R r) -> QVariant { return r.WerkgeverId; }},
        {{QStringLiteral("ConcernId"), QString(), TKolomSoort::Geheel, 0, TKolomPlaats::AlleenCsv},
         [](R r) { return r.ConcernId; }},
        {{QStringLiteral("Loonheffingennummer"), QStringLiteral("Loonheffingennummer"), TKolomSoort::Tekst, 120},
         [](R r) -> QVariant { return r.Loonheffingennummer; }},
        {{QStringLiteral("Naam"), QStringLiteral("Werkgever"), TKolomSoort::Tekst, 200},
         [](R r) -> QVariant { return r.Naam; }},
        {{QStringLiteral("Concern"), QStringLiteral("Concern"), TKolomSoort::Tekst, 150},
         [](R r) -> QVariant { return r.Concern; }},
        {{QStringLiteral("Loonsom"), QStringLiteral("Loonsom"), TKolomSoort::Bedrag, 105},
         [](R r) -> QVariant { return r.Loonsom; }},
        {{QStringLiteral("VrijeRuimte"), QStringLiteral("Vrije ruimte"), TKolomSoort::Bedrag, 95},
         [](R r) -> QVariant { return r.VrijeRuimte; }},
        {{QStringLiteral("Kosten"), QStringLiteral("Kosten"), TKolomSoort::Bedrag, 95},
         [](R r) -> QVariant { return r.Kosten; }},
        {{QStringLiteral("Benut"), QStringLiteral("Benut %"), TKolomSoort::Bedrag, 60}, [](R r) { return r.Benut; }},
        {{QStringLiteral("Restant"), QStringLiteral("Restant vrije ruimte"), TKolomSoort::Bedrag, 110},
         [](R r) -> QVariant { return r.Restant; }},
        {{QStringLiteral("Overschrijding"), QStringLiteral("Overschrijding"), TKolomSoort::Bedrag, 100},
         [](R r) -> QVariant { return r.Overschrijding; }},
        {{QStringLiteral("Eindheffing"), QStringLiteral("Eindheffing"), TKolomSoort::Bedrag, 95},
         [](R r) -> QVariant { return r.Eindheffing; }},
        {{QStringLiteral("Aangifte"), QStringLiteral("Aangifte"), TKolomSoort::Tekst, 120},
         [](R r) -> QVariant { return r.Aangifte; }}};
    return kolommen;
}

const QList<TRijKolom<TConcernAdvies>>& AdviesKolommen() {
    using A = const TConcernAdvies&;
    static const QList<TRijKolom<TConcernAdvies>> kolommen = {
        {{QStringLiteral("ConcernId"), QString(), TKolomSoort::Geheel, 0, TKolomPlaats::AlleenCsv},
         [](A a) -> QVariant { return a.ConcernId; }},
        {{QStringLiteral("Concern"), QStringLiteral("Concern"), TKolomSoort::Tekst, 260},
         [](A a) -> QVariant { return a.Concern; }},
        {{QStringLiteral("Werkgevers"), QStringLiteral("Werkgevers"), TKolomSoort::Geheel, 80, TKolomPlaats::NietInCsv},
         [](A a) -> QVariant { return a.Werkgevers; }},
        {{QStringLiteral("HeffingConcern"), QStringLiteral("Heffing als concern"), TKolomSoort::Bedrag, 140},
         [](A a) -> QVariant { return a.HeffingConcern; }},
        {{QStringLiteral("HeffingApart"), QStringLiteral("Heffing apart"), TKolomSoort::Bedrag, 140},
         [](A a) -> QVariant { return a.HeffingApart; }},
        {{QStringLiteral("Verschil"), QStringLiteral("Verschil"), TKolomSoort::Bedrag, 120},
         [](A a) -> QVariant { return a.Verschil; }},
        {{QStringLiteral("Advies"), QStringLiteral("Advies"), TKolomSoort::Tekst, 220, TKolomPlaats::NietInCsv},
         [](A a) -> QVariant { return a.Advies; }}};
    return kolommen;
}

void WriteRapportCsv(const TRapportage& rapport, QTextStream& out) {
    SchrijfCsv(TRapportBlad(RegelKolommen(), rapport.Regels), out);
}

void WriteAdviesCsv(const TRapportage& rapport, QTextStream& out) {
    SchrijfCsv(TRapportBlad(AdviesKolommen(), rapport.Advies), out);
}
