#include "core/dMain.h"

#include "core/DatabaseChecks.h"
#include "core/OrvMessages.h"
#include "core/uCompactDatabase.h"
#include "core/uFilter.h"
#include "core/uGlobals.h"
#include "platform/ProgramDirectory.h"
#include "support/OrvErrors.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QScopeGuard>

TdmMain* dmMain = nullptr;

namespace {
QString Prefix(const char* method) { return MethodPrefix("TdmMain", method); }

void MakeUnusable(TOrvADOConnection& connection) {
    connection.Close();
    connection.SetConnectionString(QLatin1String(kNoImplicitConnection));
}

// N(x): NULL replaced by a floating-point 0, so amount columns always come out as floating point.
QString N(const QString& x) {
    return QStringLiteral("IIF(") + x + QStringLiteral(" is null, 0.0, ") + x + QStringLiteral(") ");
}

// The free space of a wage sum: 1.92 % of the first 400,000 and 1.18 % of the rest. lowerBase is what the
// lower branch multiplies (the NULL-safe wage sum where the sum may be NULL).
QString FreeSpaceOf(const QString& wageSum, const QString& lowerBase) {
    return QStringLiteral("IIF(%1 > 400000, (400000 * 0.0192) + ((%1 - 400000) * 0.0118), %2 * 0.0192)")
        .arg(wageSum, lowerBase);
}

// A concern key list as the filter holds it: whole numbers separated by commas. Anything else is refused,
// because the text becomes part of the statement.
QString ConcernKeyList(const QString& text) {
    static const QRegularExpression keys(QStringLiteral("^\\s*-?\\d+\\s*(,\\s*-?\\d+\\s*)*$"));
    if (!keys.match(text).hasMatch()) throw EOrvError(QStringLiteral("Invalid concern key in filter: ") + text);
    QStringList parts = text.split(u',');
    for (QString& p : parts) p = QString::number(p.trimmed().toLongLong());
    return parts.join(u',');
}
}

void ConnectDatabase(TOrvADOConnection& connection, const QString& location, const QString& password,
                     const QString& mode) {
    WithPrefix(QStringLiteral("ConnectDatabase: "), [&] {
        auto unusable = qScopeGuard([&] { MakeUnusable(connection); });
        connection.Close();
        CheckDatabaseFile(location);
        connection.Open(location, password, mode);
        unusable.dismiss();
    });
}

TdmMain::TdmMain(QObject* owner)
    : QObject(owner), ADOConnectionZemlo(new TOrvADOConnection(this)), ADOConnectionQuelt(new TOrvADOConnection(this)),
      qryWerkgevers(new TOrvQuery(this, ADOConnectionZemlo)) {
    ADOConnectionZemlo->setObjectName(QStringLiteral("ADOConnectionZemlo"));
    ADOConnectionQuelt->setObjectName(QStringLiteral("ADOConnectionQuelt"));
    qryWerkgevers->setObjectName(QStringLiteral("qryWerkgevers"));
}

QString ZemloDatabasePath() {
    return ProgramDirectory() + QLatin1String(kZemloDatabaseName) + QLatin1String(kDatabaseExtension);
}

TdmMain::~TdmMain() {
    qryWerkgevers->Close();
    ADOConnectionQuelt->Close();
    ADOConnectionZemlo->Close();
    if (dmMain == this) dmMain = nullptr;
    if (FOwnDatabaseOpened) CompactOwnDatabase();
}

// Runs while the program ends, outside every error handler: an error is reported here and ends the
// process with a non-zero exit code instead of escaping the destructor.
void TdmMain::CompactOwnDatabase() {
    try {
        CompactJetDatabase(ZemloDatabasePath(), kJetEngineType, UnscramblePassword(QLatin1String(kScrambledPassword)),
                           QString(), false);
    } catch (const std::exception& e) {
        ShutdownExitCode = 1;
        ShowUnhandledError(QString::fromUtf8(e.what()));
    }
}

bool TdmMain::ConnectToZemloDatabase(TOrvADOConnection& connection, const QString& scrambledPassword,
                                     const QString& fullPath) {
    return WithPrefix(QStringLiteral("ConnectToZemloDatabase: "), [&] {
        // A failed open leaves the connection unusable and the program closing without a question.
        auto failed = qScopeGuard([&] {
            MakeUnusable(connection);
            SluitZonderVraag = true;
        });
        connection.Close();
        const QString location = fullPath.isEmpty() ? ZemloDatabasePath() : fullPath;
        ConnectDatabase(connection, location, UnscramblePassword(scrambledPassword), QStringLiteral("Share Exclusive"));
        RequireZemloTables(connection.Handle(), location);
        if (&connection == ADOConnectionZemlo && connection.Connected() &&
            QFileInfo(location) == QFileInfo(ZemloDatabasePath()))
            FOwnDatabaseOpened = true;
        failed.dismiss();
        return connection.Connected();
    });
}

bool TdmMain::ConnectToQueltDatabase(const QString& databaseFile) {
    return WithPrefix(QStringLiteral("ConnectToQueltDatabase: "), [&] {
        auto unusable = qScopeGuard([&] { MakeUnusable(*ADOConnectionQuelt); });
        ADOConnectionQuelt->Close();
        ConnectDatabase(*ADOConnectionQuelt, databaseFile, UnscramblePassword(QLatin1String(kScrambledPassword)),
                        QStringLiteral("Share Deny None"));
        unusable.dismiss();
        return ADOConnectionQuelt->Connected();
    });
}

QString BuildWerkgeversSQL(const TFilter& filter) {
    const bool exclusiefProforma = filter.FilterFieldHasValue(QStringLiteral("ExclusiefProforma")) &&
                                   filter.FilterFieldByName(QStringLiteral("ExclusiefProforma")).AsBoolean();
    // A provisional wage sum counts only while its employer has no definitive one for the same period
    // (looked up through the unique index on employer, period and proforma).
    const QString wageSumClause =
        exclusiefProforma
            ? QStringLiteral(" and LS.Proforma = False ")
            : QStringLiteral(" and ((LS.ProForma = False) or not exists (select 1 from Loonsommen D where "
                             "D.WerkgeverId = LS.WerkgeverId and D.Periode = LS.Periode and D.ProForma = False)) ");
    const QString costClause = exclusiefProforma ? QStringLiteral(" and K.Proforma = False ") : QString();
    const auto wageSumOf = [&](const QString& employer) {
        return QStringLiteral("(select SUM(LS.Bedrag) from Loonsommen LS where LS.WerkgeverId = %1.WerkgeverId %2)")
            .arg(employer, wageSumClause);
    };
    const auto costsOf = [&](const QString& employer) {
        return QStringLiteral("(select SUM(K.Bedrag) from Kosten K, KostenTypen KT where K.WerkgeverId = "
                              "%1.WerkgeverId and K.KostenTypeId = KT.KostenTypeId and KT.TeltMee = True %2)")
            .arg(employer, costClause);
    };
    // One employer's row needs the sums of that employer and of its concern's members only.
    QString employers;
    if (filter.FilterFieldHasValue(QStringLiteral("WerkgeverId"))) {
        const QString id = QString::number(filter.FilterFieldByName(QStringLiteral("WerkgeverId")).AsInteger());
        employers = QStringLiteral(" WHERE WG.WerkgeverId = %1 OR WG.ConcernId = (SELECT W1.ConcernId FROM Werkgevers "
                                   "W1 WHERE W1.WerkgeverId = %1)")
                        .arg(id);
    }
    const QString totLoonsom = N(QStringLiteral("TotLoonsom"));
    const QString totKosten = N(QStringLiteral("TotKosten"));

    // Each employer's raw sums are computed once (materialised: the outer level names them many times),
    // and the concern totals are grouped over all employers, so a row filter never changes them.
    QString sql =
        QStringLiteral("WITH Sommen AS MATERIALIZED (SELECT WG.WerkgeverId, WG.ConcernId, WG.Loonheffingennummer, "
                       "WG.Naam, WG.Aangiftetijdvak, ") +
        wageSumOf(QStringLiteral("WG")) + QStringLiteral(" AS TotLoonsom, ") + costsOf(QStringLiteral("WG")) +
        QStringLiteral(" AS TotKosten FROM Werkgevers WG") + employers +
        QStringLiteral("), "
                       "ConcernTotalen AS MATERIALIZED (SELECT C2.ConcernId, C2.Naam, ") +
        N(QStringLiteral("SUM(TotLoonsom)")) + QStringLiteral(" as TotConcernLoonsom, ") +
        N(QStringLiteral("SUM(TotKosten)")) + QStringLiteral(" as TotConcernKosten, ") +
        N(QStringLiteral("MAX(TotLoonsom)")) +
        QStringLiteral(" as MaxConcernLoonsom FROM Concerns C2, Sommen WG2 WHERE C2.ConcernId = WG2.ConcernId "
                       "GROUP BY C2.ConcernId, C2.Naam) ");
    // Outer level: NULL sums become 0, the free space and the remaining free space are computed.
    sql += QStringLiteral("SELECT WerkgeverId, ConcernId, Loonheffingennummer, Naam, Aangiftetijdvak, Concern, ") +
           totLoonsom + QStringLiteral(" as TotLoonsom, ") + totKosten + QStringLiteral(" as TotKosten, ") +
           FreeSpaceOf(QStringLiteral("TotLoonsom"), totLoonsom) + QStringLiteral(" as TotVrijeRuimte, ") +
           QStringLiteral("IIF(ConcernId is NULL, ") + FreeSpaceOf(QStringLiteral("TotLoonsom"), totLoonsom) +
           QStringLiteral(" - ") + totKosten + QStringLiteral(", IIF(") + totLoonsom +
           QStringLiteral(" = MaxConcernLoonsom, TotConcernVrijeRuimte - TotConcernKosten, 0.0)) AS "
                          "TotRestVrijeRuimte, TotConcernLoonsom, TotConcernVrijeRuimte - TotConcernKosten as "
                          "TotConcernRestVrijeRuimte, TotConcernVrijeRuimte, TotConcernKosten, MaxConcernLoonsom ");
    sql += QStringLiteral(" FROM (SELECT S.*, C.Naam AS Concern, ") +
           FreeSpaceOf(QStringLiteral("C.TotConcernLoonsom"), QStringLiteral("C.TotConcernLoonsom")) +
           QStringLiteral(" as TotConcernVrijeRuimte, C.TotConcernKosten, C.MaxConcernLoonsom, C.TotConcernLoonsom "
                          "FROM Sommen S LEFT OUTER JOIN ConcernTotalen C ON S.ConcernId = C.ConcernId) ");

    // The row filters choose rows at the outer level only. Should both be present, the second joins the
    // first with AND instead of a second WHERE.
    QString where = QStringLiteral("\n WHERE ");
    if (filter.FilterFieldHasValue(QStringLiteral("ConcernId"))) {
        sql += where + QStringLiteral("ConcernId in (") +
               ConcernKeyList(filter.FilterFieldByName(QStringLiteral("ConcernId")).AsString()) + u')';
        where = QStringLiteral("\n AND ");
    }
    if (filter.FilterFieldHasValue(QStringLiteral("WerkgeverId")))
        sql += where + QStringLiteral("WerkgeverId in (") +
               QString::number(filter.FilterFieldByName(QStringLiteral("WerkgeverId")).AsInteger()) + u')';
    return sql;
}

void TdmMain::OpenWerkgevers(const TFilter& filter) {
    WithPrefix(Prefix("OpenWerkgevers"), [&] {
        WithPrefix(QStringLiteral("CloseIfActive: "), [&] { qryWerkgevers->Close(); });
        qryWerkgevers->SetSQL(BuildWerkgeversSQL(filter));
        qryWerkgevers->Open();
    });
}
