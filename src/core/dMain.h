#pragma once
// The main data module: the connections to the program's own database and to the payroll database, and
// the employer overview query with the free-space computation.

#include "binding/OrvADOConnection.h"
#include "binding/OrvQuery.h"

#include <QObject>

class TFilter;

// Opens the connection on the database file at location with the share mode text ("Share Exclusive",
// "Share Deny None"). On failure the connection is closed, its connection string made a dummy, and the
// error raised with "ConnectDatabase: " in front.
void ConnectDatabase(TOrvADOConnection& connection, const QString& location, const QString& password,
                     const QString& mode);

// The program's own database at its default location: the program directory's Zemlo2024.mdb.
QString ZemloDatabasePath();

// The connection string that names no usable database.
inline constexpr const char* kNoImplicitConnection = "c:\\NO IMPLICIT ADOCONNECTIONS ALLOWED";

// The overview statement for a filter (ExclusiefProforma, ConcernId, WerkgeverId).
QString BuildWerkgeversSQL(const TFilter& filter);

class TdmMain : public QObject {
    Q_OBJECT
public:
    explicit TdmMain(QObject* owner = nullptr);
    // Ends all database work: closes the query and both connections, then compacts the own database when
    // this module opened it. A failing compaction is reported (ShowUnhandledError) and sets ShutdownExitCode.
    ~TdmMain() override;

    TOrvADOConnection* ADOConnectionZemlo;
    TOrvADOConnection* ADOConnectionQuelt;
    TOrvQuery* qryWerkgevers;
    TOrvADOConnection* ADOConnection() const { return ADOConnectionZemlo; }

    // Opens the own database exclusively; an empty path means the program directory's Zemlo2024.mdb. A file
    // without the program's tables is refused. Opening that file with ADOConnectionZemlo makes the
    // destructor compact it.
    bool ConnectToZemloDatabase(TOrvADOConnection& connection, const QString& scrambledPassword,
                                const QString& fullPath);
    // Opens the payroll database shared.
    bool ConnectToQueltDatabase(const QString& databaseFile);

    // Builds and opens the overview for the filter.
    void OpenWerkgevers(const TFilter& filter);

private:
    void CompactOwnDatabase();

    // The own database at its default location was opened: it is compacted on destruction.
    bool FOwnDatabaseOpened = false;
};

// The program-wide instance, set while the main window owns one.
extern TdmMain* dmMain;
