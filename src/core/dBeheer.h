#pragma once
// The data module of the maintenance windows: the record query an edit window loads from, the list
// queries of the list windows and embedded lists, the choice lists, and the two statements that add a
// wage sum or a cost entry to every period of the year at once. Each window owns its own instance.

#include <QObject>

class TOrvADOConnection;
class TOrvQuery;

class TdmBeheer : public QObject {
    Q_OBJECT
public:
    // The queries run on connection; without one, on the main data module's own database.
    explicit TdmBeheer(QObject* owner = nullptr, TOrvADOConnection* connection = nullptr);
    ~TdmBeheer() override;

    TOrvQuery* qrySelConcerns;
    TOrvQuery* qryMutConcern;
    TOrvQuery* qryMutWerkgever;
    TOrvQuery* qrySelKostencategorieen;
    TOrvQuery* qryMutKostencategorie;
    TOrvQuery* qrySelKosten;
    TOrvQuery* qryMutKosten;
    TOrvQuery* qrySelLoonsommen;
    TOrvQuery* qryMutLoonsom;
    TOrvQuery* qrySelVergoedingtypen;
    TOrvQuery* qrySelKostengroepen;
    TOrvQuery* qrySelKostenTypen;

    TOrvADOConnection* Connection() const { return FConnection; }

    // Record queries: each (re)opens its query on one key.
    void GetMutConcern(qint64 iConcernId);
    void GetMutWerkgever(qint64 iWerkgeverId);
    void GetMutKostencategorie(qint64 iKostencategorieId);
    void GetMutKosten(qint64 iKostenId);
    void GetMutLoonsom(qint64 iLoonsomId);

    void OpenConcerns();
    void OpenKostencategorieen();
    // All cost types, or only those the category's reimbursement type allows.
    void OpenKostentypen(qint64 nKostenCategorieId, bool bShowAll);
    void OpenVergoedingtypen();
    void OpenKostengroepen();
    // The costs or wage sums of one employer, their period texts for the return period kind.
    void OpenKosten(qint64 AWGId, int iAangifteTijdvak);
    void OpenLoonsommen(qint64 AWGId, int iAangifteTijdvak);

    // One row per period of the employer's year (13 for four weeks, else 12), each with the full amount;
    // inside the caller's transaction when one is open, otherwise in its own.
    bool InsertKostenAlleTijdvakken(qint64 iWGId, int iAangifteTijdvak, qint64 iKostenCategorieId, bool bProforma,
                                    qint64 iKostenTypeId, double dBedrag);
    bool InsertLoonsommenAlleTijdvakken(qint64 iWGId, int iAangifteTijdvak, bool bProforma, double dBedrag);

private:
    TOrvQuery* NewQuery(const char* name);
    void OpenRecord(TOrvQuery* query, const char* operation, const QString& sql, const QString& parameter, qint64 key);
    void OpenList(TOrvQuery* query, const char* operation, const QString& sql);

    TOrvADOConnection* FConnection;
};
