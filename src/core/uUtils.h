#pragma once
// Free functions every part of the program calls: periods, the settings table dbparams, existence and
// uniqueness checks, the wage tax number check, key look-ups and a few small helpers. Each raises an
// EOrvError with its own name in front of the message on failure.

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

class TOrvADOConnection;
class TOrvQuery;

// ---- Periods ----

// The text of a period for the return period kind (any kind other than four weeks is a month); empty
// for a period outside the year.
QString PeriodeTekst(int aangifteTijdvak, int periode);
// The number of periods of the kind: 12 or 13.
int AantalPerioden(int aangifteTijdvak);

// Fills the key list of a drop-down with "key=text" lines: "X=Alle tijdvakken" first when metAlle, then
// the periods of the kind.
void PopulatePeriode(QStringList& keyItems, int aangifteTijdvak, bool metAlle);

// An SQL expression giving the period text for the period number in column (NULL outside the range).
QString GetSQLVoorPerioden(const QString& column, int aangifteTijdvak);
// An SQL expression giving "Ja" or "Nee" for a yes/no column.
QString GetSQLVoorJaNee(const QString& column);

// The first (eind false) or last (eind true) day of a period of 2024; eersteMaandag is the Monday on
// which the first four-week period begins.
QDate HerleidDagInTijdvak(int aangifteTijdvak, int periode, bool eind, const QDate& eersteMaandag);
// The Monday on which ISO week 1 of the year begins.
QDate StartWeek1(int jaar);
QDate StartWeek1Van2024();
int DagenInMaand(const QDate& datum);
bool IsSchrikkeljaar(int jaar);

// ---- Settings (dbparams; keys are always lower case) ----

// The value of the key, empty when absent. Raises "No DB connection specified" without a connection.
QString GetDBParamValue(TOrvADOConnection* connection, const QString& key);
// Stores the value, adding the key when absent; inside the caller's transaction when one is open. An empty
// value is refused ("Parameter waarde is een lege string"): remove a key with DeleteDBParam.
void SetDBParamValue(TOrvADOConnection* connection, const QString& key, const QString& value);
// Removes the key; an absent key is no error.
void DeleteDBParam(TOrvADOConnection* connection, const QString& key);
// A date stored as "yyyymmdd"; the default when the key is absent.
QDate GetDBParamDateValue(TOrvADOConnection* connection, const QString& key, const QDate& defaultDate);
// Stores a date without time of day; a date-time with a time is refused.
void SetDBParamDateOnlyValue(TOrvADOConnection* connection, const QString& key, const QDateTime& date);

// ---- Checks ----

// Whether a row of table has value in field, besides the row whose keyField is excludedKey (-1: none) and
// only among the rows meeting extraCondition (empty: all). Table, field names and the condition are
// program constants; the value is bound as a parameter.
bool CheckValueExists(TOrvADOConnection* connection, const QString& table, const QString& field,
                      const QString& extraCondition, qint64 excludedKey, const QString& keyField, qint64 value);
bool CheckValueExists(TOrvADOConnection* connection, const QString& table, const QString& field,
                      const QString& extraCondition, qint64 excludedKey, const QString& keyField, const QString& value);

// Whether no other wage sum of the employer with the same proforma flag exists in the period (0: in any
// period); loonsomId is the key of the wage sum being edited, -1 for a new one.
bool CheckLoonsomUniek(TOrvADOConnection* connection, qint64 werkgeverId, qint64 loonsomId, bool proforma, int periode);

// Whether the employer has a temporary wage tax number ("TYDELYK...").
bool IsWerkgeverTijdelijk(const QString& nummer);
// Whether the text is a valid wage tax number: nine digits passing the eleven test, "L" and two digits,
// or a temporary number "TYDELYKL99" / "TYDELYK99L99". Never raises for a malformed number.
bool IsValidLHNummer(const QString& nummer);
// The eleven test of nine digits (value at least 1,000,000).
bool Elfproef(const QString& nummer);

// The rights check of the child lists (0 add, 1 change, 2 delete, 3 view): every right is granted.
bool HeeftRecht(int functieId, int recht);

// ---- Look-ups (-1 when not found) ----

qint64 GetZemloWerkgeverId(TOrvADOConnection* connection, const QString& loonheffingennummer);
qint64 GetZemloConcernId(TOrvADOConnection* connection, const QString& naam);
// Against the payroll database.
qint64 GetQueltWerkgeverId(TOrvADOConnection* connection, const QString& loonheffingennummer);

// The wage tax number of the concern's employer with the largest total of wage sums, and the total of all
// its employers' wage sums; employers without wage sums do not take part. Empty and 0 when none.
void GetConcernGegevens(TOrvADOConnection* connection, qint64 concernId, QString& loonheffingennummer,
                        double& totaalLoonsom);

// The payroll link location (a directory), or empty. When none is stored and the payroll program lies in
// the program directory, that directory is stored and returned.
QString GetQueltKoppeling(TOrvADOConnection* connection);

// The last counter value the connection assigned (whatever the table); 0 when the table has no rows.
qint64 GetLaatsteKeyWaarde(TOrvADOConnection* connection, const QString& table);

// ---- Helpers ----

void CloseIfActive(TOrvQuery* query);
// The user's directory for temporary files, with a trailing separator.
QString GetWindowsTempDirectory();
