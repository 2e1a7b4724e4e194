#include "exchange/uZemloImport.h"

#include "binding/OrvADOConnection.h"
#include "core/dMain.h"
#include "core/uConst.h"
#include "core/uGlobals.h"
#include "core/uUtils.h"
#include "exchange/uQueltKoppeling.h"
#include "platform/AccessFile.h"
#include "platform/Clock.h"
#include "platform/ProgramDirectory.h"
#include "platform/SqliteEngine.h"
#include "support/OrvErrors.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace {
const QString kVorigJaar = QString::number(kBelastingjaar - 1);

// The errors of the steps read as those of the window that runs them.
QString Prefix(const char* method) { return MethodPrefix("TfrmZemloImport", method); }

QString MetScheidingsteken(const QString& map) {
    if (map.isEmpty() || map.endsWith(u'/') || map.endsWith(QDir::separator())) return map;
    return map + QDir::separator();
}

// The tables and columns of last year's database that the three selects read.
const std::vector<TTabelEis>& OudeTabellen() {
    static const std::vector<TTabelEis> tabellen = {
        {QStringLiteral("Concerns"), {QStringLiteral("ConcernId"), QStringLiteral("Naam")}},
        {QStringLiteral("Werkgevers"),
         {QStringLiteral("Loonheffingennummer"), QStringLiteral("Naam"), QStringLiteral("ConcernId"),
          QStringLiteral("AangifteTijdvak"), QStringLiteral("AanmaakDatum"), QStringLiteral("WijzigDatum")}},
        {QStringLiteral("KostenCategorieen"),
         {QStringLiteral("KostengroepId"), QStringLiteral("Omschrijving"), QStringLiteral("VergoedingtypeID"),
          QStringLiteral("Grootboekrekening"), QStringLiteral("GrootboekOmschrijving"), QStringLiteral("Opmerkingen"),
          QStringLiteral("AanmaakDatum"), QStringLiteral("WijzigDatum")}},
    };
    return tabellen;
}

// Values of last year's rows as the imports use them: an empty id is 0, an empty text is empty.
qint64 Id(const QVariant& value) { return value.isNull() ? 0 : value.toLongLong(); }
QString Tekst(const QVariant& value) { return value.isNull() ? QString() : value.toString(); }
// A moment, NULL when empty (a null QDateTime would be bound as an empty text).
QVariant Moment(const QVariant& value) { return FromEngineValue(value, TFieldType::ftDateTime); }

// A row counts as changed by the user when its change time differs from its creation time. Equal stored
// values are the same moment without reading them as dates, which would cost most of a run.
bool Gewijzigd(const QVariant& aanmaak, const QVariant& wijzig) {
    if (aanmaak.isNull() || wijzig.isNull()) return aanmaak.isNull() != wijzig.isNull();
    if (aanmaak == wijzig) return false;
    return Moment(aanmaak).toDateTime() != Moment(wijzig).toDateTime();
}

// The message of an import of new and changed rows: the line about new rows first; the two joined by a
// line feed and carriage return.
struct TTeksten {
    QString EenNieuw, NieuwMeer, EenGewijzigd, GewijzigdMeer, Niets;
};
QString Resultaat(const TTeksten& t, int nieuw, int gewijzigd) {
    QStringList regels;
    if (nieuw == 1) regels.append(t.EenNieuw);
    if (nieuw > 1) regels.append(QString::number(nieuw) + t.NieuwMeer);
    if (gewijzigd == 1) regels.append(t.EenGewijzigd);
    if (gewijzigd > 1) regels.append(QString::number(gewijzigd) + t.GewijzigdMeer);
    return regels.isEmpty() ? t.Niets : regels.join(QStringLiteral("\n\r"));
}
}

QString ZemloOudBestand(const QString& map) {
    return MetScheidingsteken(map) + QStringLiteral("Zemlo") + kVorigJaar + QStringLiteral(".mdb");
}

QString VoorgesteldeZemloMap() {
    const QString map = QDir::cleanPath(ProgramDirectory() + QStringLiteral("../Zemlo") + kVorigJaar);
    return QFileInfo(ZemloOudBestand(map)).isFile() ? MetScheidingsteken(QDir::toNativeSeparators(map)) : QString();
}

QString ConversieVraag() {
    return QStringLiteral("De conversie wordt opgestart. De nieuwe en aangepaste gegevens worden vanuit Zemlo") +
           kVorigJaar + QStringLiteral(" overgenomen.\n\r\n\rWilt u doorgaan?");
}

TZemloConversie::TZemloConversie(TdmMain& data, TOrvADOConnection& oud, const QString& map)
    : FData(data), FNieuw(*data.ADOConnectionZemlo), FOud(oud), FMap(map),
      FConcerns(*this, "ImportConcerns", QStringLiteral("Concerns overnemen"), &TZemloConversie::ImportConcerns),
      FWerkgevers(*this, "ImportWerkgevers", QStringLiteral("Werkgevers overnemen"),
                  &TZemloConversie::ImportWerkgevers),
      FKostencategorieen(*this, "ImportKostencategorieen", QStringLiteral("Kostencategorieën overnemen"),
                         &TZemloConversie::ImportKostencategorieen),
      FStappen{&FConcerns, &FWerkgevers, &FKostencategorieen} {}

TZemloConversie::TStap::TStap(TZemloConversie& conversie, const char* naam, const QString& titel,
                              QString (TZemloConversie::*import)())
    : TUitwisseling(Prefix(naam), titel), FConversie(conversie), FImport(import) {}

std::optional<QString> TZemloConversie::TStap::Controleer() { return FConversie.SetZemloOldConnection(); }

TOrvADOConnection& TZemloConversie::TStap::Doel() { return FConversie.FNieuw; }

QString TZemloConversie::TStap::Werk(TProgress&) { return (FConversie.*FImport)(); }

std::optional<QString> TZemloConversie::SetZemloOldConnection() {
    if (FVerbonden) return std::nullopt;
    return WithPrefix(Prefix("SetZemloOldConnection"), [&]() -> std::optional<QString> {
        const QString bestand = ZemloOudBestand(FMap);
        if (!QFileInfo(bestand).isFile())
            return QStringLiteral("U dient de programmadirectory voor Zemlo") + kVorigJaar +
                   QStringLiteral(" aan te passen. De huidige directory is niet geldig.");
        if (IsAccessFile(bestand))
            FOud.OpenAccessFile(bestand);
        else if (!FData.ConnectToZemloDatabase(FOud, QLatin1String(kScrambledPassword), bestand))
            return QString();
        WithPrefix(QStringLiteral("De Zemlo%1 database \"%2\" kan niet worden gebruikt: ").arg(kVorigJaar, bestand),
                   [&] { EisTabellen(FOud, OudeTabellen()); });
        FVerbonden = FOud.Connected();
        return FVerbonden ? std::nullopt : std::optional<QString>(QString());
    });
}

QString TZemloConversie::ImportConcerns() {
    TSqliteStatement select(FOud.Handle(), QStringLiteral(" SELECT Naam    FROM Concerns "));
    TSqliteStatement insert(FNieuw.Handle(),
                            QStringLiteral(" INSERT INTO Concerns ( Naam, AanmaakDatum, WijzigDatum )  "
                                           "VALUES (:Naam, :AanmaakDatum, :WijzigDatum) "));
    int aantal = 0;
    while (select.Step()) {
        const QString naam = Tekst(select.ColumnValue(0));
        // Tested against the database as it is now, so a name twice last year comes in once.
        if (CheckValueExists(&FNieuw, QStringLiteral("concerns"), QStringLiteral("naam"), QString(), -1, QString(),
                             naam))
            continue;
        const QDateTime now = Clock::Now();
        insert.Bind(QStringLiteral("Naam"), naam);
        insert.Bind(QStringLiteral("AanmaakDatum"), now);
        insert.Bind(QStringLiteral("WijzigDatum"), now);
        ExecutePrepared(insert);
        ++aantal;
    }
    if (aantal == 0) return QStringLiteral("Geen nieuwe concerns beschikbaar.");
    if (aantal == 1) return QStringLiteral("Eén nieuw concern is geïmporteerd.");
    return QString::number(aantal) + QStringLiteral(" nieuwe concerns zijn geïmporteerd.");
}

QString TZemloConversie::ImportWerkgevers() {
    TSqliteStatement select(FOud.Handle(),
                            QStringLiteral(" SELECT W.Loonheffingennummer, W.Naam, W.ConcernId, W.AangifteTijdvak, "
                                           "W.AanmaakDatum, W.WijzigDatum,         C.Naam AS ConcernNaam    FROM "
                                           "Werkgevers W         LEFT OUTER JOIN Concerns C         ON W.ConcernId = "
                                           "C.ConcernId "));
    TSqliteStatement insert(FNieuw.Handle(),
                            QStringLiteral(" INSERT INTO Werkgevers ( Loonheffingennummer, Naam,     AangifteTijdvak, "
                                           "ConcernId, AanmaakDatum, WijzigDatum )  VALUES (:LHNr, :Naam, :Tijdvak, "
                                           ":ConcernId, :AanmaakDatum, :WijzigDatum) "));
    TSqliteStatement update(FNieuw.Handle(),
                            QStringLiteral(" UPDATE Werkgevers SET         ConcernId = :ConcernId,         WijzigDatum "
                                           "= :WijzigDatum   WHERE Loonheffingennummer = :LHNr "));
    // The import adds no concerns: a name is looked up once.
    QHash<QString, qint64> concernIds;
    const auto concernId = [&](const QVariant& naam) -> QVariant {
        if (naam.isNull()) return QVariant();
        auto found = concernIds.constFind(naam.toString());
        if (found == concernIds.constEnd())
            found = concernIds.insert(naam.toString(), GetZemloConcernId(&FNieuw, naam.toString()));
        return *found == -1 ? QVariant() : QVariant(*found);
    };
    int nieuw = 0, gewijzigd = 0;
    while (select.Step()) {
        const QString lhnr = Tekst(select.ColumnValue(0));
        if (!CheckValueExists(&FNieuw, QStringLiteral("werkgevers"), QStringLiteral("loonheffingennummer"), QString(),
                              -1, QString(), lhnr)) {
            insert.Bind(QStringLiteral("LHNr"), lhnr);
            insert.Bind(QStringLiteral("Naam"), Tekst(select.ColumnValue(1)));
            insert.Bind(QStringLiteral("Tijdvak"), Id(select.ColumnValue(3)));
            insert.Bind(QStringLiteral("ConcernId"), concernId(select.ColumnValue(6)));
            const QVariant wijzig = Moment(select.ColumnValue(5));
            insert.Bind(QStringLiteral("AanmaakDatum"), wijzig);
            insert.Bind(QStringLiteral("WijzigDatum"), wijzig);
            ExecutePrepared(insert);
            ++nieuw;
        } else if (Gewijzigd(select.ColumnValue(4), select.ColumnValue(5))) {
            update.Bind(QStringLiteral("ConcernId"), concernId(select.ColumnValue(6)));
            update.Bind(QStringLiteral("WijzigDatum"), Moment(select.ColumnValue(5)));
            update.Bind(QStringLiteral("LHNr"), lhnr);
            ExecutePrepared(update);
            ++gewijzigd;
        }
    }
    return Resultaat({QStringLiteral("Eén nieuwe werkgever is geïmporteerd."),
                      QStringLiteral(" nieuwe werkgevers zijn geïmporteerd."),
                      QStringLiteral("Eén werkgever is aangepast."), QStringLiteral(" werkgevers zijn aangepast."),
                      QStringLiteral("Werkgevers zijn niet gewijzigd.")},
                     nieuw, gewijzigd);
}

QString TZemloConversie::ImportKostencategorieen() {
    TSqliteStatement select(FOud.Handle(),
                            QStringLiteral(" SELECT KostengroepId, Omschrijving, VergoedingtypeID,     "
                                           "Grootboekrekening, GrootboekOmschrijving, Opmerkingen, AanmaakDatum, "
                                           "WijzigDatum    FROM KostenCategorieen "));
    TSqliteStatement insert(FNieuw.Handle(),
                            QStringLiteral(" INSERT INTO KostenCategorieen ( KostengroepId, Omschrijving, "
                                           "VergoedingtypeID,     Grootboekrekening, "
                                           "GrootboekOmschrijving,Opmerkingen, AanmaakDatum, WijzigDatum )  VALUES "
                                           "( :KostengroepId, :Omschrijving, :VergoedingtypeID,     "
                                           ":Grootboekrekening, :GrootboekOmschrijving, :Opmerkingen, "
                                           ":AanmaakDatum, :WijzigDatum) "));
    TSqliteStatement update(FNieuw.Handle(),
                            QStringLiteral(" UPDATE KostenCategorieen SET         KostengroepId           = "
                                           ":KostengroepId,         VergoedingtypeID        = :VergoedingtypeID,  "
                                           "       Grootboekrekening       = :Grootboekrekening,         "
                                           "GrootboekOmschrijving   = :GrootboekOmschrijving,         Opmerkingen "
                                           "            = :Opmerkingen,         WijzigDatum             = "
                                           ":WijzigDatum   WHERE Omschrijving = :Omschrijving "));
    int nieuw = 0, gewijzigd = 0;
    while (select.Step()) {
        const QString omschrijving = Tekst(select.ColumnValue(1));
        const bool bestaat = CheckValueExists(&FNieuw, QStringLiteral("KostenCategorieen"),
                                              QStringLiteral("Omschrijving"), QString(), -1, QString(), omschrijving);
        if (bestaat && !Gewijzigd(select.ColumnValue(6), select.ColumnValue(7))) continue;
        const QVariant wijzig = Moment(select.ColumnValue(7));
        TSqliteStatement& statement = bestaat ? update : insert;
        statement.Bind(QStringLiteral("KostengroepId"), Id(select.ColumnValue(0)));
        statement.Bind(QStringLiteral("Omschrijving"), omschrijving);
        statement.Bind(QStringLiteral("VergoedingtypeID"), Id(select.ColumnValue(2)));
        statement.Bind(QStringLiteral("Grootboekrekening"), Tekst(select.ColumnValue(3)));
        statement.Bind(QStringLiteral("GrootboekOmschrijving"), Tekst(select.ColumnValue(4)));
        statement.Bind(QStringLiteral("Opmerkingen"), Tekst(select.ColumnValue(5)));
        statement.Bind(QStringLiteral("WijzigDatum"), wijzig);
        if (!bestaat) statement.Bind(QStringLiteral("AanmaakDatum"), wijzig);
        ExecutePrepared(statement);
        ++(bestaat ? gewijzigd : nieuw);
    }
    return Resultaat({QStringLiteral("Eén nieuwe kostencategorie is geïmporteerd."),
                      QStringLiteral(" nieuwe kostencategorieën zijn geïmporteerd."),
                      QStringLiteral("Eén kostencategorie is aangepast."),
                      QStringLiteral(" kostencategorieën zijn aangepast."),
                      QStringLiteral("Kostencategorieën zijn niet gewijzigd.")},
                     nieuw, gewijzigd);
}
