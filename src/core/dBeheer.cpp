#include "core/dBeheer.h"

#include "binding/OrvADOConnection.h"
#include "binding/OrvQuery.h"
#include "core/dMain.h"
#include "core/uUtils.h"
#include "platform/Clock.h"
#include "support/OrvErrors.h"

ORV_METHOD_PREFIXES(TdmBeheer)

namespace {
// The statements keep the layout of the Jet originals, blanks included, so they read the same in a trace.
const QString kSelConcerns = QStringLiteral(" SELECT ConcernId, Naam, AanmaakDatum, WijzigDatum    FROM Concerns ");

const QString kSelKostencategorieen = QStringLiteral(
    " SELECT KostencategorieId, KG.Omschrijving AS Kostengroep, KC.Omschrijving,         VT.Omschrijving as "
    "VergoedingType, KC.Grootboekrekening,         KC.GrootboekOmschrijving, KC.AanmaakDatum, KC.WijzigDatum    "
    "FROM (Kostencategorieen KC         INNER JOIN Vergoedingtypen VT         ON KC.VergoedingtypeId = "
    "VT.VergoedingtypeId)         LEFT OUTER JOIN Kostengroepen KG         ON KC.KostengroepId = KG.KostengroepId  "
    " ORDER BY KG.Omschrijving, KC.Omschrijving ");

const QString kSelKostenTypen = QStringLiteral(" SELECT KostenTypeId, Omschrijving, TeltMee    FROM KostenTypen ");
const QString kKostenTypenVanCategorie =
    QStringLiteral("  WHERE KostenTypeId IN (SELECT VK.KostenTypeId ") +
    QStringLiteral("                           FROM VergoedingKosten VK, KostenCategorieen KC ") +
    QStringLiteral("                          WHERE VK.VergoedingTypeId = KC.VergoedingTypeId ") +
    QStringLiteral("                            AND KC.KostenCategorieId = :KostenCategorieId ) ");

const QString kKostenRest = QStringLiteral(
    "        KS.Periode, IIF(KS.KostenTypeID = 1, KS.Bedrag, 0) AS KostenType1,         IIF(KS.KostenTypeID = 2, "
    "KS.Bedrag, 0) AS KostenType2,         IIF(KS.KostenTypeID = 3, KS.Bedrag, 0) AS KostenType3,         "
    "IIF(KS.KostenTypeID = 4, KS.Bedrag, 0) AS KostenType4,         KS.AanmaakDatum, KS.WijzigDatum    FROM "
    "Werkgevers WG, Kosten KS, KostenTypen KT, Kostencategorieen KC   WHERE KS.WerkgeverId = WG.WerkgeverId     AND "
    "KS.KostenTypeId = KT.KostenTypeId     AND KS.KostencategorieId = KC.KostencategorieID     AND KS.WerkgeverId = "
    ":WerkgeverId   ORDER BY KS.Periode, KS.Proforma ");

const QString kLoonsommenRest = QStringLiteral(
    "        LS.Periode, LS.Bedrag, LS.AanmaakDatum, LS.WijzigDatum    FROM Loonsommen LS         INNER JOIN "
    "Werkgevers WG         ON WG.WerkgeverId = LS.WerkgeverId   WHERE LS.WerkgeverId = :WerkgeverId   ORDER BY "
    "LS.Periode, LS.Proforma ");

const QString kInsertLoonsom = QStringLiteral(
    "INSERT INTO Loonsommen (WerkgeverId, Periode, Proforma, Bedrag, AanmaakDatum, WijzigDatum )  VALUES "
    "(:WerkgeverId, :Periode, :Proforma, :Bedrag, :AanmaakDatum, :WijzigDatum )");

const QString kInsertKosten = QStringLiteral(
    "INSERT INTO Kosten (WerkgeverId, KostenCategorieId, Periode, Proforma,    Bedrag, KostenTypeId, AanmaakDatum, "
    "WijzigDatum )  VALUES (:WerkgeverId, :KostenCatId, :Periode, :Proforma,    :Bedrag, :KostenTypeId, "
    ":AanmaakDatum, :WijzigDatum )");

// The lines of a list statement: the first replaces the text, the others follow on lines of their own.
QString Lines(const QStringList& lines) { return lines.join(u'\n'); }

// Sets the common values of an all-periods insert and executes it once per period.
void InsertPerPeriode(TOrvQuery& statement, qint64 werkgeverId, int aangifteTijdvak, bool proforma, double bedrag) {
    const QDateTime nu = Clock::Now();
    statement.ParamByName(QStringLiteral("WerkgeverId")).SetAsInteger(werkgeverId);
    statement.ParamByName(QStringLiteral("Proforma")).SetAsBoolean(proforma);
    statement.ParamByName(QStringLiteral("Bedrag")).SetAsFloat(bedrag);
    statement.ParamByName(QStringLiteral("AanmaakDatum")).SetAsDateTime(nu);
    statement.ParamByName(QStringLiteral("WijzigDatum")).SetAsDateTime(nu);
    for (int p = 1; p <= AantalPerioden(aangifteTijdvak); ++p) {
        statement.ParamByName(QStringLiteral("Periode")).SetAsInteger(p);
        statement.ExecSQL();
    }
}
}

TdmBeheer::TdmBeheer(QObject* owner, TOrvADOConnection* connection)
    : QObject(owner), FConnection(connection ? connection : (dmMain ? dmMain->ADOConnectionZemlo : nullptr)) {
    setObjectName(QStringLiteral("dmBeheer"));
    qrySelConcerns = NewQuery("qrySelConcerns");
    qryMutConcern = NewQuery("qryMutConcern");
    qryMutWerkgever = NewQuery("qryMutWerkgever");
    qrySelKostencategorieen = NewQuery("qrySelKostencategorieen");
    qryMutKostencategorie = NewQuery("qryMutKostencategorie");
    qrySelKosten = NewQuery("qrySelKosten");
    qryMutKosten = NewQuery("qryMutKosten");
    qrySelLoonsommen = NewQuery("qrySelLoonsommen");
    qryMutLoonsom = NewQuery("qryMutLoonsom");
    qrySelVergoedingtypen = NewQuery("qrySelVergoedingtypen");
    qrySelKostengroepen = NewQuery("qrySelKostengroepen");
    qrySelKostenTypen = NewQuery("qrySelKostenTypen");
}

TdmBeheer::~TdmBeheer() {
    for (TOrvQuery* query : findChildren<TOrvQuery*>(Qt::FindDirectChildrenOnly)) query->Close();
}

TOrvQuery* TdmBeheer::NewQuery(const char* name) {
    auto* query = new TOrvQuery(this, FConnection);
    query->setObjectName(QLatin1String(name));
    return query;
}

void TdmBeheer::OpenRecord(TOrvQuery* query, const char* operation, const QString& sql, const QString& parameter,
                           qint64 key) {
    WithPrefix(Prefix(operation), [&] {
        query->Close();
        query->SetSQL(sql);
        query->ParamByName(parameter).SetAsInteger(key);
        query->Open();
    });
}

void TdmBeheer::OpenList(TOrvQuery* query, const char* operation, const QString& sql) {
    WithPrefix(Prefix(operation), [&] {
        query->Close();
        query->SetSQL(sql);
        query->Open();
    });
}

void TdmBeheer::GetMutConcern(qint64 iConcernId) {
    OpenRecord(qryMutConcern, "GetMutConcern",
               QStringLiteral(" SELECT ConcernId, Naam, AanmaakDatum, WijzigDatum    FROM Concerns   WHERE ConcernId = "
                              ":ConcernId "),
               QStringLiteral("ConcernId"), iConcernId);
}

void TdmBeheer::GetMutWerkgever(qint64 iWerkgeverId) {
    // The parameter has always been spelled without the k; callers and traces know it by that name.
    OpenRecord(qryMutWerkgever, "GetMutWerkgever",
               QStringLiteral(" SELECT WerkgeverId, Loonheffingennummer, Naam, AangifteTijdvak,         ConcernId, "
                              "AanmaakDatum, WijzigDatum    FROM Werkgevers   WHERE WerkgeverId = :WergeverId "),
               QStringLiteral("WergeverId"), iWerkgeverId);
}

void TdmBeheer::GetMutKostencategorie(qint64 iKostencategorieId) {
    OpenRecord(qryMutKostencategorie, "GetMutKostencategorie",
               QStringLiteral(" SELECT KostencategorieId, KostengroepId, Omschrijving, VergoedingtypeId, "
                              "Grootboekrekening,         GrootboekOmschrijving, Opmerkingen, AanmaakDatum, "
                              "WijzigDatum    FROM Kostencategorieen   WHERE KostencategorieId = :KostencategorieId "),
               QStringLiteral("KostencategorieId"), iKostencategorieId);
}

void TdmBeheer::GetMutKosten(qint64 iKostenId) {
    OpenRecord(qryMutKosten, "GetMutKosten",
               QStringLiteral(" SELECT KostenId, WerkgeverId, KostenCategorieId, Periode, Proforma, Bedrag,         "
                              "KostenTypeId, AanmaakDatum, WijzigDatum    FROM Kosten   WHERE KostenId = :KostenId "),
               QStringLiteral("KostenId"), iKostenId);
}

void TdmBeheer::GetMutLoonsom(qint64 iLoonsomId) {
    OpenRecord(qryMutLoonsom, "GetMutLoonsom",
               QStringLiteral(" SELECT LoonsomId, WerkgeverId, Periode, Proforma, Bedrag, AanmaakDatum, WijzigDatum "
                              "   FROM Loonsommen   WHERE LoonsomId = :LoonsomId "),
               QStringLiteral("LoonsomId"), iLoonsomId);
}

void TdmBeheer::OpenConcerns() { OpenList(qrySelConcerns, "OpenConcerns", kSelConcerns); }

void TdmBeheer::OpenKostencategorieen() {
    OpenList(qrySelKostencategorieen, "OpenKostencategorieen", kSelKostencategorieen);
}

void TdmBeheer::OpenVergoedingtypen() {
    OpenList(qrySelVergoedingtypen, "OpenVergoedingtypen",
             QStringLiteral(" SELECT VergoedingtypeId, Omschrijving FROM Vergoedingtypen ORDER BY Omschrijving "));
}

void TdmBeheer::OpenKostengroepen() {
    OpenList(qrySelKostengroepen, "OpenKostengroepen",
             QStringLiteral(" SELECT KostengroepId, Omschrijving FROM Kostengroepen ORDER BY Omschrijving "));
}

void TdmBeheer::OpenKostentypen(qint64 nKostenCategorieId, bool bShowAll) {
    WithPrefix(Prefix("OpenKostentypen"), [&] {
        qrySelKostenTypen->Close();
        qrySelKostenTypen->SetSQL(bShowAll ? kSelKostenTypen : Lines({kSelKostenTypen, kKostenTypenVanCategorie}));
        if (!bShowAll)
            qrySelKostenTypen->ParamByName(QStringLiteral("KostenCategorieId")).SetAsInteger(nKostenCategorieId);
        qrySelKostenTypen->Open();
    });
}

void TdmBeheer::OpenKosten(qint64 AWGId, int iAangifteTijdvak) {
    WithPrefix(Prefix("OpenKosten"), [&] {
        qrySelKosten->Close();
        qrySelKosten->SetSQL(Lines({
            QStringLiteral(" SELECT KS.KostenId, WG.AangifteTijdvak, KC.Omschrijving AS Categorie, "),
            GetSQLVoorPerioden(QStringLiteral("KS.Periode"), iAangifteTijdvak) + QStringLiteral(" AS PeriodeStr, "),
            GetSQLVoorJaNee(QStringLiteral("KS.Proforma")) + QStringLiteral(" AS Proforma, "),
            QStringLiteral("KT.Omschrijving as KostenType, "),
            GetSQLVoorJaNee(QStringLiteral("KT.TeltMee")) + QStringLiteral(" AS TeltMee, "),
            kKostenRest,
        }));
        qrySelKosten->ParamByName(QStringLiteral("WerkgeverId")).SetAsInteger(AWGId);
        qrySelKosten->Open();
    });
}

void TdmBeheer::OpenLoonsommen(qint64 AWGId, int iAangifteTijdvak) {
    WithPrefix(Prefix("OpenLoonsommen"), [&] {
        qrySelLoonsommen->Close();
        qrySelLoonsommen->SetSQL(Lines({
            QStringLiteral(" SELECT LS.LoonsomId, WG.AangifteTijdvak, "),
            GetSQLVoorPerioden(QStringLiteral("LS.Periode"), iAangifteTijdvak) + QStringLiteral(" AS PeriodeStr, "),
            GetSQLVoorJaNee(QStringLiteral("LS.Proforma")) + QStringLiteral(" AS Proforma, "),
            kLoonsommenRest,
        }));
        qrySelLoonsommen->ParamByName(QStringLiteral("WerkgeverId")).SetAsInteger(AWGId);
        qrySelLoonsommen->Open();
    });
}

bool TdmBeheer::InsertKostenAlleTijdvakken(qint64 iWGId, int iAangifteTijdvak, qint64 iKostenCategorieId,
                                           bool bProforma, qint64 iKostenTypeId, double dBedrag) {
    WithPrefix(QStringLiteral("InsertKostenAlleTijdvakken: "), [&] {
        if (!FConnection) throw EOrvError(QStringLiteral("No DB connection specified"));
        RunInTransaction(*FConnection, [&] {
            TOrvQuery statement(nullptr, FConnection);
            statement.SetSQL(kInsertKosten);
            TParameter& categorie = statement.ParamByName(QStringLiteral("KostenCatId"));
            if (iKostenCategorieId > 0)
                categorie.SetAsInteger(iKostenCategorieId);
            else
                categorie.Set(QVariant(), TFieldType::ftInteger);
            statement.ParamByName(QStringLiteral("KostenTypeId")).SetAsInteger(iKostenTypeId);
            InsertPerPeriode(statement, iWGId, iAangifteTijdvak, bProforma, dBedrag);
        });
    });
    return true;
}

bool TdmBeheer::InsertLoonsommenAlleTijdvakken(qint64 iWGId, int iAangifteTijdvak, bool bProforma, double dBedrag) {
    WithPrefix(QStringLiteral("InsertLoonsommenAlleTijdvakken: "), [&] {
        if (!FConnection) throw EOrvError(QStringLiteral("No DB connection specified"));
        RunInTransaction(*FConnection, [&] {
            TOrvQuery statement(nullptr, FConnection);
            statement.SetSQL(kInsertLoonsom);
            InsertPerPeriode(statement, iWGId, iAangifteTijdvak, bProforma, dBedrag);
        });
    });
    return true;
}
