#include "exchange/uQueltKoppeling.h"

#include "core/dMain.h"
#include "core/uConst.h"
#include "core/uUtils.h"
#include "platform/AccessFile.h"
#include "platform/SqliteEngine.h"
#include "support/OrvErrors.h"

#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QtEndian>

namespace {
struct TTabelKolommen {
    TQueltTabel Tabel;
    const char* Naam;
    QStringList Kolommen;
};

// The columns of the payroll tables that the exchange reads or writes; the rest of the payroll program's
// definition does not matter here.
const TTabelKolommen& Kolommen(TQueltTabel tabel) {
    static const TTabelKolommen kTabellen[] = {
        {TQueltTabel::Werkgever,
         "Werkgever",
         {QStringLiteral("Werkgeversnummer"), QStringLiteral("Loonbelastingnummer"), QStringLiteral("Naam"),
          QStringLiteral("Bericht_TijdvakSoort"), QStringLiteral("Ingangsdatum"),
          QStringLiteral("AfwijkendeLoonsomVoorZemlo")}},
        {TQueltTabel::BoekingsKolommen,
         "BoekingsKolommen",
         {QStringLiteral("Werkgeversnummer"), QStringLiteral("Kolomboeking"), QStringLiteral("KolomBedrag"),
          QStringLiteral("Boekingsdatum")}},
        {TQueltTabel::Werkkosten,
         "Werkkosten",
         {QStringLiteral("Werkgeversnummer"), QStringLiteral("Periode"), QStringLiteral("Bedrag"),
          QStringLiteral("WijzigDatum")}},
    };
    for (const TTabelKolommen& t : kTabellen)
        if (t.Tabel == tabel) return t;
    throw EOrvError(QStringLiteral("Unknown payroll table"));
}

// What makes the file unusable before the engine is asked, in the user's words; empty when nothing is
// found. A database file starts with its signature, and its header tells how long it must be.
QString BestandsProbleem(const QString& bestand) {
    const QFileInfo info(bestand);
    if (!info.isReadable()) return QStringLiteral("het bestand kan niet worden gelezen.");
    // Marked read-only (the owner's write permission off) counts, also for a user who may write anything.
    if (!info.isWritable() || !(info.permissions() & QFileDevice::WriteOwner))
        return QStringLiteral("het bestand is alleen-lezen.");
    QFile file(bestand);
    if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("het bestand kan niet worden gelezen.");
    const QByteArray header = file.read(100);
    static const QByteArray kSignature("SQLite format 3\0", 16);
    if (header.size() < 100 || !header.startsWith(kSignature))
        return QStringLiteral("het bestand is beschadigd of is geen database.");
    const auto at = [&](int offset, int size) {
        return size == 2 ? qFromBigEndian<quint16>(header.constData() + offset)
                         : qFromBigEndian<quint32>(header.constData() + offset);
    };
    const qint64 pageSize = at(16, 2) == 1 ? 65536 : at(16, 2);
    // The page count in the header holds only while its "valid for" number equals the change counter.
    if (at(92, 4) == at(24, 4) && qint64(at(28, 4)) * pageSize > info.size())
        return QStringLiteral("het bestand is onvolledig of beschadigd.");
    return QString();
}
}

void EisTabellen(TOrvADOConnection& connection, const std::vector<TTabelEis>& tabellen) {
    QStringList ontbreekt;
    for (const TTabelEis& t : tabellen) {
        TSqliteStatement info(connection.Handle(), QStringLiteral("SELECT name FROM pragma_table_info(:Tabel)"));
        info.Bind(QStringLiteral("Tabel"), t.Tabel);
        QStringList aanwezig;
        while (info.Step()) aanwezig.append(info.ColumnValue(0).toString());
        if (aanwezig.isEmpty()) {
            ontbreekt.append(QStringLiteral("de tabel ") + t.Tabel);
            continue;
        }
        for (const QString& kolom : t.Kolommen)
            if (!aanwezig.contains(kolom, Qt::CaseInsensitive))
                ontbreekt.append(QStringLiteral("de kolom %1 in de tabel %2").arg(kolom, t.Tabel));
    }
    if (ontbreekt.size() == 1) throw EOrvError(ontbreekt.first() + QStringLiteral(" ontbreekt."));
    if (ontbreekt.size() > 1)
        throw EOrvError(ontbreekt.mid(0, ontbreekt.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" en ") +
                        ontbreekt.last() + QStringLiteral(" ontbreken."));
}

QString QueltDatabaseBestand(const QString& koppeling) {
    return koppeling + QStringLiteral("QueltX") + QString::number(kBelastingjaar) + QStringLiteral(".mdb");
}

void SaveQueltKoppeling(TOrvADOConnection* connection, const QString& koppeling) {
    WithPrefix(QStringLiteral("SaveQueltKoppeling: "),
               [&] { SetDBParamValue(connection, QLatin1String(kParamQueltKoppeling), koppeling); });
}

void OpenQueltDatabase(TdmMain& data, const QString& bestand, std::initializer_list<TQueltTabel> tabellen,
                       TQueltToegang toegang) {
    const QString lead = QStringLiteral("De Quelt database \"%1\" kan niet worden gebruikt: ").arg(bestand);
    std::vector<TTabelEis> eisen;
    for (const TQueltTabel tabel : tabellen) {
        const TTabelKolommen& t = Kolommen(tabel);
        eisen.push_back({QLatin1String(t.Naam), t.Kolommen});
    }
    const bool access = IsAccessFile(bestand);
    // An Access file is read through a copy in memory, so what would be written there would be lost.
    if (access && toegang == TQueltToegang::Schrijven)
        throw EOrvError(lead + QStringLiteral("het bestand is een Access-database, waarin dit programma niet kan "
                                              "schrijven."));
    if (!access)
        if (const QString probleem = BestandsProbleem(bestand); !probleem.isEmpty()) throw EOrvError(lead + probleem);
    WithPrefix(lead, [&] {
        auto sluit = qScopeGuard([&] { data.ADOConnectionQuelt->Close(); });
        if (access)
            data.ADOConnectionQuelt->OpenAccessFile(bestand);
        else
            data.ConnectToQueltDatabase(bestand);
        EisTabellen(*data.ADOConnectionQuelt, eisen);
        sluit.dismiss();
    });
}

QString AlsDatabaseVergelijkt(const QString& text) {
    QString folded = text;
    for (QChar& c : folded)
        if (c >= u'A' && c <= u'Z') c = QChar(c.unicode() + (u'a' - u'A'));
    return folded;
}

int ExecutePrepared(TSqliteStatement& statement) {
    statement.Reset();
    while (statement.Step()) {
    }
    const int changes = statement.Changes();
    // Ready for the next values: the engine binds only to a statement that is not under way.
    statement.Reset();
    return changes;
}

TQueltUitwisseling::TQueltUitwisseling(TdmMain& data, QString naam, QString titel, QString vraagBegin,
                                       QString vraagEind)
    : TUitwisseling(std::move(naam), std::move(titel)), FData(data), FVraagBegin(std::move(vraagBegin)),
      FVraagEind(std::move(vraagEind)) {}

QString TQueltUitwisseling::Vraag() const {
    return FVraagBegin + u'"' + FKoppeling + u'"' + FVraagEind + QStringLiteral("\n\r\n\rWilt u doorgaan?");
}

std::optional<QString> TQueltUitwisseling::Controleer() {
    return WithPrefix(Naam(), [&]() -> std::optional<QString> {
        FKoppeling = GetQueltKoppeling(FData.ADOConnectionZemlo);
        if (!FKoppeling.isEmpty() && QFileInfo(QueltDatabaseBestand(FKoppeling)).isFile()) return std::nullopt;
        return QStringLiteral("U dient de Quelt koppeling voor Quelt2024 aanpassen. De huidige koppeling is niet "
                              "geldig.");
    });
}

void TQueltUitwisseling::Sluiten() noexcept { FData.ADOConnectionQuelt->Close(); }
