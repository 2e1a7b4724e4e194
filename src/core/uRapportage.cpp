#include "core/uRapportage.h"

#include "binding/OrvQuery.h"
#include "core/OverviewCsv.h"
#include "core/dMain.h"
#include "core/uConst.h"
#include "core/uFilter.h"
#include "platform/Progress.h"
#include "support/OrvClientDataSet.h"
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

class TOverzichtLezer {
public:
    explicit TOverzichtLezer(const TDataSet& overview) : FData(overview) {
        for (const QString& name : OverviewColumns()) FFields.append(overview.FieldIndexOrRaise(name));
    }
    TOverzichtRegel Regel(int row) const {
        const auto value = [&](int column) { return FData.Value(row, FFields[column]); };
        TOverzichtRegel r;
        r.WerkgeverId = value(0).toLongLong();
        r.ConcernId = value(1).isNull() ? QVariant() : QVariant(value(1).toLongLong());
        r.Loonheffingennummer = value(2).toString();
        r.Naam = value(3).toString();
        r.Aangiftetijdvak = value(4).toInt();
        r.Concern = value(5).toString();
        double* amounts[] = {&r.TotLoonsom,        &r.TotKosten,
                             &r.TotVrijeRuimte,    &r.TotRestVrijeRuimte,
                             &r.TotConcernLoonsom, &r.TotConcernVrijeRuimte,
                             &r.TotConcernKosten,  &r.TotConcernRestVrijeRuimte,
                             &r.MaxConcernLoonsom};
        for (size_t i = 0; i < std::size(amounts); ++i) *amounts[i] = value(int(6 + i)).toDouble();
        return r;
    }

private:
    const TDataSet& FData;
    QList<int> FFields;
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

// The fields by name and type: i integer, s text, f floating point.
void MaakVelden(TOrvClientDataSet& set, const QStringList& names, const char* types) {
    set.Close();
    set.ClearFields();
    for (int i = 0; i < names.size(); ++i)
        set.AddFieldDef(names[i], types[i] == 'i'   ? TFieldType::ftInteger
                                  : types[i] == 'f' ? TFieldType::ftFloat
                                                    : TFieldType::ftString);
    set.CreateDataSet();
}

QString CsvNumber(const QVariant& value) { return value.isNull() ? QString() : CsvAmount(value.toDouble()); }
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

const QList<TRapportKolom>& RegelKolommen() {
    static const QList<TRapportKolom> kolommen = {
        {QStringLiteral("Loonheffingennummer"), QStringLiteral("Loonheffingennummer"), false, 120},
        {QStringLiteral("Naam"), QStringLiteral("Werkgever"), false, 200},
        {QStringLiteral("Concern"), QStringLiteral("Concern"), false, 150},
        {QStringLiteral("Loonsom"), QStringLiteral("Loonsom"), true, 105},
        {QStringLiteral("VrijeRuimte"), QStringLiteral("Vrije ruimte"), true, 95},
        {QStringLiteral("Kosten"), QStringLiteral("Kosten"), true, 95},
        {QStringLiteral("Benut"), QStringLiteral("Benut %"), true, 60},
        {QStringLiteral("Restant"), QStringLiteral("Restant vrije ruimte"), true, 110},
        {QStringLiteral("Overschrijding"), QStringLiteral("Overschrijding"), true, 100},
        {QStringLiteral("Eindheffing"), QStringLiteral("Eindheffing"), true, 95},
        {QStringLiteral("Aangifte"), QStringLiteral("Aangifte"), false, 120}};
    return kolommen;
}

const QList<TRapportKolom>& AdviesKolommen() {
    static const QList<TRapportKolom> kolommen = {
        {QStringLiteral("Concern"), QStringLiteral("Concern"), false, 260},
        {QStringLiteral("Werkgevers"), QStringLiteral("Werkgevers"), false, 80},
        {QStringLiteral("HeffingConcern"), QStringLiteral("Heffing als concern"), true, 140},
        {QStringLiteral("HeffingApart"), QStringLiteral("Heffing apart"), true, 140},
        {QStringLiteral("Verschil"), QStringLiteral("Verschil"), true, 120},
        {QStringLiteral("Advies"), QStringLiteral("Advies"), false, 220}};
    return kolommen;
}

const QStringList& RapportColumns() {
    static const QStringList columns = {
        QStringLiteral("WerkgeverId"), QStringLiteral("ConcernId"),      QStringLiteral("Loonheffingennummer"),
        QStringLiteral("Naam"),        QStringLiteral("Concern"),        QStringLiteral("Loonsom"),
        QStringLiteral("VrijeRuimte"), QStringLiteral("Kosten"),         QStringLiteral("Benut"),
        QStringLiteral("Restant"),     QStringLiteral("Overschrijding"), QStringLiteral("Eindheffing"),
        QStringLiteral("Aangifte")};
    return columns;
}

const QStringList& AdviesColumns() {
    static const QStringList columns = {QStringLiteral("ConcernId"), QStringLiteral("Concern"),
                                        QStringLiteral("HeffingConcern"), QStringLiteral("HeffingApart"),
                                        QStringLiteral("Verschil")};
    return columns;
}

void VulRapportRegels(const TRapportage& rapport, TOrvClientDataSet& regels) {
    MaakVelden(regels, RapportColumns(), "iisssfffffffs");
    for (const TRapportRegel& r : rapport.Regels)
        regels.AppendRecord({r.WerkgeverId, r.ConcernId, r.Loonheffingennummer, r.Naam, r.Concern, r.Loonsom,
                             r.VrijeRuimte, r.Kosten, r.Benut, r.Restant, r.Overschrijding, r.Eindheffing, r.Aangifte});
}

void VulConcernAdvies(const TRapportage& rapport, TOrvClientDataSet& advies) {
    MaakVelden(advies, AdviesColumns() + QStringList{QStringLiteral("Werkgevers"), QStringLiteral("Advies")},
               "isfffis");
    for (const TConcernAdvies& a : rapport.Advies)
        advies.AppendRecord(
            {a.ConcernId, a.Concern, a.HeffingConcern, a.HeffingApart, a.Verschil, a.Werkgevers, a.Advies});
}

void WriteRapportCsv(const TRapportage& rapport, QTextStream& out) {
    out << RapportColumns().join(u',') << "\r\n";
    for (const TRapportRegel& r : rapport.Regels) {
        const QStringList line = {QString::number(r.WerkgeverId),
                                  r.ConcernId.isNull() ? QString() : r.ConcernId.toString(),
                                  CsvField(r.Loonheffingennummer),
                                  CsvField(r.Naam),
                                  CsvField(r.Concern),
                                  CsvAmount(r.Loonsom),
                                  CsvAmount(r.VrijeRuimte),
                                  CsvAmount(r.Kosten),
                                  CsvNumber(r.Benut),
                                  CsvAmount(r.Restant),
                                  CsvAmount(r.Overschrijding),
                                  CsvAmount(r.Eindheffing),
                                  r.Aangifte};
        out << line.join(u',') << "\r\n";
    }
}

void WriteAdviesCsv(const TRapportage& rapport, QTextStream& out) {
    out << AdviesColumns().join(u',') << "\r\n";
    for (const TConcernAdvies& a : rapport.Advies)
        out << QStringList{QString::number(a.ConcernId), CsvField(a.Concern), CsvAmount(a.HeffingConcern),
                           CsvAmount(a.HeffingApart), CsvAmount(a.Verschil)}
                   .join(u',')
            << "\r\n";
}
