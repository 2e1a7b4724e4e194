#pragma once
// The payroll link: where it is stored, the check every payroll function makes before it touches the
// payroll database, and the opening of that database for an exchange.

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class TdmMain;
class TOrvADOConnection;
class TSqliteStatement;

// How an exchange function ended without an error.
enum class TUitwisseling {
    Uitgevoerd,         // it ran and showed its result
    KoppelingOngeldig,  // the payroll database was not found; the message was shown, nothing changed
    NietBevestigd,      // the user answered the question with anything but Ja
};

// The payroll database of a link: the link followed by "QueltX2024.mdb", with no separator put between.
QString QueltDatabaseBestand(const QString& koppeling);

// Stores the link in dbparams; an empty link is refused there.
void SaveQueltKoppeling(TOrvADOConnection* connection, const QString& koppeling);

// The stored link when its payroll database exists. Otherwise shows "U dient de Quelt koppeling ..." and
// gives nothing. An empty link is never valid (it would name a file in the working directory).
std::optional<QString> GeldigeQueltKoppeling(TOrvADOConnection* connection);

// The question of an exchange: lead, the link between double quotes, tail, two line breaks and
// "Wilt u doorgaan?".
QString QueltVraag(const QString& lead, const QString& koppeling, const QString& tail);

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
