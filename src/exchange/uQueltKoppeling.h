#pragma once
// The payroll link: where it is stored, the check every payroll run makes before it touches the payroll
// database, its question, and the opening of that database for an exchange.

#include "exchange/uUitwisseling.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class TdmMain;
class TOrvADOConnection;
class TSqliteStatement;

// The payroll database of a link: the link followed by "QueltX2024.mdb", with no separator put between.
QString QueltDatabaseBestand(const QString& koppeling);

// Stores the link in dbparams; an empty link is refused there.
void SaveQueltKoppeling(TOrvADOConnection* connection, const QString& koppeling);

// The payroll tables an exchange reads or writes.
enum class TQueltTabel { Werkgever, BoekingsKolommen, Werkkosten };

// Whether an exchange only reads the payroll database or also writes it.
enum class TQueltToegang { Lezen, Schrijven };

// Opens the payroll connection of data on the file and checks that the tables hold the columns the
// exchange uses. A file that cannot be used is refused with a Dutch message naming it and what is wrong
// (read-only, damaged, a table or column missing); nothing is changed then. An Access file is read into
// memory (AccessFile.h) and refused for writing before anything is opened.
void OpenQueltDatabase(TdmMain& data, const QString& bestand, std::initializer_list<TQueltTabel> tabellen,
                       TQueltToegang toegang);

// A table and the columns a statement reads of it.
struct TTabelEis {
    QString Tabel;
    QStringList Kolommen;
};

// Raises "de tabel X ontbreekt." or "de kolom K in de tabel X ontbreekt." (several joined by "," and "en",
// then "ontbreken.") for what the connection's database lacks; nothing when it holds everything.
void EisTabellen(TOrvADOConnection& connection, const std::vector<TTabelEis>& tabellen);

// Text as the database compares, groups and orders it in both databases (their text columns and
// Loonbelastingnummer compare without regard to case): ASCII letters folded to lower case, the rest as is.
QString AlsDatabaseVergelijkt(const QString& text);

// Runs a prepared statement from the start with its bound values and leaves it ready for new ones;
// returns the changed rows.
int ExecutePrepared(TSqliteStatement& statement);

// A run on the payroll database (the imports, the export). It can go only with a valid link: the stored
// link when its payroll database exists, else "U dient de Quelt koppeling ..." (an empty link is never
// valid: it would name a file in the working directory). The payroll connection is closed after the run.
class TQueltUitwisseling : public TUitwisseling {
public:
    // The question the program asks before the run: the lead, the link between double quotes, the tail, two
    // line breaks and "Wilt u doorgaan?". Known once the link is checked, so from the confirmation on.
    QString Vraag() const;

protected:
    TQueltUitwisseling(TdmMain& data, QString naam, QString titel, QString vraagBegin, QString vraagEind);
    TdmMain& Data() const { return FData; }
    // The payroll database of the checked link.
    QString QueltBestand() const { return QueltDatabaseBestand(FKoppeling); }

private:
    std::optional<QString> Controleer() override;
    void Sluiten() noexcept override;

    TdmMain& FData;
    QString FVraagBegin;
    QString FVraagEind;
    QString FKoppeling;
};
