#include "core/uUtils.h"

#include "binding/OrvADOConnection.h"
#include "binding/OrvQuery.h"
#include "core/uConst.h"
#include "platform/ProgramDirectory.h"
#include "support/OrvErrors.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <array>
#include <functional>

namespace {
const std::array<const char*, kMaandPerioden> kMaandNamen = {"Januari",   "Februari", "Maart",    "April",
                                                             "Mei",       "Juni",     "Juli",     "Augustus",
                                                             "September", "Oktober",  "November", "December"};

bool IsVierWeken(int aangifteTijdvak) { return aangifteTijdvak == kAangifteTijdvakVierWeken; }

// Q(x): x between single quotes with every inner quote doubled.
QString Quoted(const QString& text) {
    QString doubled = text;
    doubled.replace(u'\'', QLatin1String("''"));
    return u'\'' + doubled + u'\'';
}

// One or more characters 0 to 9 whose value is below 2^32.
bool IsDigits(QStringView text) {
    if (text.isEmpty()) return false;
    quint64 value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9') return false;
        value = value * 10 + (c.unicode() - '0');
        if (value >= (quint64(1) << 32)) return false;
    }
    return true;
}

// A whole number in text: digits with an optional leading minus sign.
bool ToWholeNumber(QStringView text, int& value) {
    const QStringView digits = text.startsWith(u'-') ? text.mid(1) : text;
    if (!IsDigits(digits)) return false;
    bool ok = false;
    value = text.toInt(&ok);
    return ok;
}

void RequireConnection(const TOrvADOConnection* connection) {
    if (!connection) throw EOrvError(QStringLiteral("No DB connection specified"));
}

// The first column of the first row of a look-up query, or -1 when it has no row.
qint64 FirstKeyOrMinusOne(TOrvQuery& query) {
    query.Open();
    if (query.IsEmpty() || query.FieldValue(0).isNull()) return -1;
    return query.FieldValue(0).toLongLong();
}

qint64 LookUpKey(TOrvADOConnection* connection, const QString& sql, const QString& parameter, const QString& value) {
    RequireConnection(connection);
    TOrvQuery query(nullptr, connection);
    query.SetSQL(sql);
    query.ParamByName(parameter).SetAsString(value);
    return FirstKeyOrMinusOne(query);
}
}

// ---- Periods ----

int AantalPerioden(int aangifteTijdvak) { return IsVierWeken(aangifteTijdvak) ? kVierWekenPerioden : kMaandPerioden; }

QString PeriodeTekst(int aangifteTijdvak, int periode) {
    if (periode < 1 || periode > AantalPerioden(aangifteTijdvak)) return QString();
    if (IsVierWeken(aangifteTijdvak)) return QString::number(periode) + QStringLiteral("e vier weken");
    return QLatin1String(kMaandNamen[periode - 1]);
}

void PopulatePeriode(QStringList& keyItems, int aangifteTijdvak, bool metAlle) {
    keyItems.clear();
    if (metAlle) keyItems.append(QLatin1String(kAllePeriodenKey) + u'=' + QLatin1String(kAllePeriodenTekst));
    for (int p = 1; p <= AantalPerioden(aangifteTijdvak); ++p)
        keyItems.append(QString::number(p) + u'=' + PeriodeTekst(aangifteTijdvak, p));
}

QString GetSQLVoorPerioden(const QString& column, int aangifteTijdvak) {
    QStringList pairs;
    for (int p = 1; p <= AantalPerioden(aangifteTijdvak); ++p)
        pairs.append(column + QStringLiteral(" = ") + QString::number(p).rightJustified(2, u' ') +
                     QStringLiteral(", ") + Quoted(PeriodeTekst(aangifteTijdvak, p)));
    const QString close = IsVierWeken(aangifteTijdvak) ? QStringLiteral(") ") : QStringLiteral(" ) ");
    return QStringLiteral(" SWITCH( ") + pairs.join(QStringLiteral(", ")) + close;
}

QString GetSQLVoorJaNee(const QString& column) {
    return QStringLiteral(" SWITCH( ") + column + QStringLiteral(" = True, ") + Quoted(QStringLiteral("Ja")) +
           QStringLiteral(", ") + column + QStringLiteral(" = False, ") + Quoted(QStringLiteral("Nee")) +
           QStringLiteral(" ) ");
}

QDate HerleidDagInTijdvak(int aangifteTijdvak, int periode, bool eind, const QDate& eersteMaandag) {
    const QDate eersteDag(kBelastingjaar, 1, 1);
    const QDate laatsteDag(kBelastingjaar, 12, 31);
    QDate result;
    if (aangifteTijdvak == kAangifteTijdvakMaand) {
        if (periode < 1 || periode > kMaandPerioden) {
            result = eind ? laatsteDag : eersteDag;
        } else {
            const QDate eerste(kBelastingjaar, periode, 1);
            result = eind ? eerste.addDays(DagenInMaand(eerste) - 1) : eerste;
        }
    } else if (aangifteTijdvak == kAangifteTijdvakVierWeken) {
        result = eersteMaandag.addDays(28 * qint64(periode - 1) + (eind ? 27 : 0));
    } else {
        result = eersteDag;
    }
    return result > laatsteDag ? laatsteDag : result;
}

QDate StartWeek1(int jaar) {
    const QDate nieuwjaar(jaar, 1, 1);
    // Weekday numbers from 1 for Sunday to 7 for Saturday.
    const int weekdag = nieuwjaar.addDays(2).dayOfWeek() % 7 + 1;
    return nieuwjaar.addDays(4 - weekdag);
}

QDate StartWeek1Van2024() { return StartWeek1(kBelastingjaar); }

int DagenInMaand(const QDate& datum) {
    static constexpr std::array<int, 12> kDagen = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (datum.month() == 2 && IsSchrikkeljaar(datum.year())) return 29;
    return kDagen[datum.month() - 1];
}

bool IsSchrikkeljaar(int jaar) { return (jaar % 4 == 0 && jaar % 100 != 0) || jaar % 400 == 0; }

// ---- Settings ----

QString GetDBParamValue(TOrvADOConnection* connection, const QString& key) {
    return WithPrefix(QStringLiteral("GetDBParamValue (") + key + QStringLiteral("): "), [&] {
        RequireConnection(connection);
        TOrvQuery query(nullptr, connection);
        query.SetSQL(QStringLiteral("select param_value from dbparams where param_cd = ") + Quoted(key.toLower()));
        query.Open();
        return query.IsEmpty() ? QString() : query.FieldValue(0).toString();
    });
}

void SetDBParamValue(TOrvADOConnection* connection, const QString& key, const QString& value) {
    WithPrefix(QStringLiteral("SetDBParamValue (") + key + QStringLiteral("): "), [&] {
        RequireConnection(connection);
        RunInTransaction(*connection, [&] {
            if (value.isEmpty()) throw EOrvError(QStringLiteral("Parameter waarde is een lege string"));
            const QString k = Quoted(key.toLower());
            const QString v = Quoted(value);
            if (connection->Execute(QStringLiteral("update dbparams set param_value = ") + v +
                                    QStringLiteral(" where param_cd = ") + k) == 0)
                connection->Execute(QStringLiteral("insert into dbparams (param_cd, param_value) values (") + k +
                                    QStringLiteral(", ") + v + QStringLiteral(")"));
        });
    });
}

void DeleteDBParam(TOrvADOConnection* connection, const QString& key) {
    WithPrefix(QStringLiteral("DeleteDBParam "), [&] {
        RequireConnection(connection);
        if (key.isEmpty()) throw EOrvError(QStringLiteral("No param name specified"));
        connection->Execute(QStringLiteral("delete from dbparams       where param_cd = ") + Quoted(key.toLower()));
    });
}

QDate GetDBParamDateValue(TOrvADOConnection* connection, const QString& key, const QDate& defaultDate) {
    return WithPrefix(QStringLiteral("GetDBParamDateValue (") + key + QStringLiteral("): "), [&] {
        const QString value = GetDBParamValue(connection, key);
        if (value.isEmpty()) return defaultDate;
        int jaar = 0;
        int maand = 0;
        int dag = 0;
        const QStringView v(value);
        if (value.size() != 8 || !ToWholeNumber(v.mid(0, 4), jaar) || !ToWholeNumber(v.mid(4, 2), maand) ||
            !ToWholeNumber(v.mid(6, 2), dag))
            throw EOrvError(QStringLiteral("Waarde niet geldig: ") + value);
        const QDate datum(jaar, maand, dag);
        if (!datum.isValid()) throw EOrvError(QStringLiteral("Invalid argument to date encode"));
        return datum;
    });
}

void SetDBParamDateOnlyValue(TOrvADOConnection* connection, const QString& key, const QDateTime& date) {
    WithPrefix(QStringLiteral("SetDBParamDateOnlyValue (") + key + QStringLiteral("): "), [&] {
        if (date.time() != QTime(0, 0))
            throw EOrvError(QStringLiteral("Datum met tijdsinformatie is niet ondersteund"));
        SetDBParamValue(connection, key, date.date().toString(QStringLiteral("yyyyMMdd")));
    });
}

// ---- Checks ----

namespace {
bool CountExisting(TOrvADOConnection* connection, const QString& table, const QString& field,
                   const QString& extraCondition, qint64 excludedKey, const QString& keyField,
                   const std::function<void(TParameter&)>& bindValue) {
    return WithPrefix(QStringLiteral("CheckValueExists: "), [&] {
        RequireConnection(connection);
        QString sql = QStringLiteral("select count(*) from ") + table + QStringLiteral(" where (") + field +
                      QStringLiteral("=:Waarde) ");
        if (!extraCondition.isEmpty()) sql += QStringLiteral(" and (") + extraCondition + QStringLiteral(") ");
        if (excludedKey >= 0)
            sql += QStringLiteral(" and not(") + keyField + u'=' + QString::number(excludedKey) + QStringLiteral(") ");
        TOrvQuery query(nullptr, connection);
        query.SetSQL(sql);
        bindValue(query.ParamByName(QStringLiteral("Waarde")));
        query.Open();
        return query.FieldValue(0).toLongLong() > 0;
    });
}
}

bool CheckValueExists(TOrvADOConnection* connection, const QString& table, const QString& field,
                      const QString& extraCondition, qint64 excludedKey, const QString& keyField, qint64 value) {
    return CountExisting(connection, table, field, extraCondition, excludedKey, keyField,
                         [&](TParameter& p) { p.SetAsInteger(value); });
}

bool CheckValueExists(TOrvADOConnection* connection, const QString& table, const QString& field,
                      const QString& extraCondition, qint64 excludedKey, const QString& keyField,
                      const QString& value) {
    return CountExisting(connection, table, field, extraCondition, excludedKey, keyField,
                         [&](TParameter& p) { p.SetAsString(value); });
}

bool CheckLoonsomUniek(TOrvADOConnection* connection, qint64 werkgeverId, qint64 loonsomId, bool proforma,
                       int periode) {
    return WithPrefix(QStringLiteral("CheckLoonsomUniek: "), [&] {
        RequireConnection(connection);
        QString sql = QStringLiteral("SELECT COUNT(*) AS Aantal   FROM Loonsommen  WHERE WerkgeverId = :WerkgeverId  "
                                     "  AND LoonsomId <> :LoonsomId    AND Proforma = :Proforma ");
        if (periode > 0) sql += QStringLiteral(" AND Periode = :Periode ");
        TOrvQuery query(nullptr, connection);
        query.SetSQL(sql);
        query.ParamByName(QStringLiteral("WerkgeverId")).SetAsInteger(werkgeverId);
        query.ParamByName(QStringLiteral("LoonsomId")).SetAsInteger(loonsomId);
        query.ParamByName(QStringLiteral("Proforma")).SetAsBoolean(proforma);
        if (periode > 0) query.ParamByName(QStringLiteral("Periode")).SetAsInteger(periode);
        query.Open();
        return query.FieldByName(QStringLiteral("Aantal")).toLongLong() == 0;
    });
}

bool IsWerkgeverTijdelijk(const QString& nummer) { return nummer.left(7).toUpper() == QLatin1String("TYDELYK"); }

bool IsValidLHNummer(const QString& nummer) {
    if (IsWerkgeverTijdelijk(nummer)) {
        const QStringView n(nummer);
        // "TYDELYK" "L" 99, or "TYDELYK" 99 "L" 99.
        if (n.size() == 10 && n[7].toUpper() == u'L') return IsDigits(n.mid(8, 2));
        if (n.size() == 12 && n[9].toUpper() == u'L') return IsDigits(n.mid(7, 2)) && IsDigits(n.mid(10, 2));
        return false;
    }
    QString kaal = nummer;
    kaal.remove(QChar(u'L'), Qt::CaseInsensitive);
    if (kaal.size() < 9 || kaal.size() > 11) return false;
    kaal = kaal.rightJustified(11, u'0');
    const QStringView k(kaal);
    return IsDigits(k.right(2)) && IsDigits(k.left(9)) && Elfproef(kaal.left(9));
}

bool Elfproef(const QString& nummer) {
    if (nummer.size() != 9 || !IsDigits(nummer) || nummer.toLongLong() < 1000000) return false;
    int som = 0;
    for (int i = 0; i < 8; ++i) som += (9 - i) * (nummer[i].unicode() - '0');
    return som % 11 == nummer[8].unicode() - '0';
}

bool HeeftRecht(int, int) { return true; }

// ---- Look-ups ----

qint64 GetZemloWerkgeverId(TOrvADOConnection* connection, const QString& loonheffingennummer) {
    return WithPrefix(QStringLiteral("GetZemloWerkgeverId: "), [&] {
        return LookUpKey(connection,
                         QStringLiteral("SELECT WerkgeverId   FROM Werkgevers  WHERE Loonheffingennummer = :LHNr "),
                         QStringLiteral("LHNr"), loonheffingennummer);
    });
}

qint64 GetZemloConcernId(TOrvADOConnection* connection, const QString& naam) {
    return WithPrefix(QStringLiteral("GetZemloConcernId: "), [&] {
        return LookUpKey(connection, QStringLiteral("SELECT ConcernId   FROM Concerns  WHERE Naam = :Naam "),
                         QStringLiteral("Naam"), naam);
    });
}

qint64 GetQueltWerkgeverId(TOrvADOConnection* connection, const QString& loonheffingennummer) {
    return WithPrefix(QStringLiteral("GetQueltWerkgeverId: "), [&] {
        return LookUpKey(connection,
                         QStringLiteral("SELECT Werkgeversnummer   FROM Werkgever  WHERE Loonbelastingnummer = :LHNr "),
                         QStringLiteral("LHNr"), loonheffingennummer);
    });
}

void GetConcernGegevens(TOrvADOConnection* connection, qint64 concernId, QString& loonheffingennummer,
                        double& totaalLoonsom) {
    loonheffingennummer.clear();
    totaalLoonsom = 0;
    WithPrefix(QStringLiteral("GetConcernGegevens: "), [&] {
        RequireConnection(connection);
        TOrvQuery query(nullptr, connection);
        query.SetSQL(QStringLiteral(
            "SELECT WG.Loonheffingennummer, SUM(LS.Bedrag) AS TotBedrag   FROM Werkgevers WG, Loonsommen LS  WHERE "
            "WG.WerkgeverId = LS.WerkgeverId    AND WG.ConcernId = :ConcernId  GROUP BY WG.Loonheffingennummer  "
            "ORDER BY SUM(LS.Bedrag) DESC "));
        query.ParamByName(QStringLiteral("ConcernId")).SetAsInteger(concernId);
        query.Open();
        const int nummer = query.FieldIndexOrRaise(QStringLiteral("Loonheffingennummer"));
        const int bedrag = query.FieldIndexOrRaise(QStringLiteral("TotBedrag"));
        for (int row = 0; row < query.RecordCount(); ++row) {
            if (row == 0) loonheffingennummer = query.Value(row, nummer).toString();
            totaalLoonsom += query.Value(row, bedrag).toDouble();
        }
    });
}

QString GetQueltKoppeling(TOrvADOConnection* connection) {
    return WithPrefix(QStringLiteral("GetQueltKoppeling: "), [&] {
        QString koppeling = GetDBParamValue(connection, QLatin1String(kParamQueltKoppeling));
        if (koppeling.isEmpty()) {
            const QString directory = ProgramDirectory();
            const QString program = directory + QLatin1String(kQueltProgramFile);
            static const QRegularExpression wildcards(QStringLiteral("[%*?]"));
            if (!program.contains(wildcards) && QFileInfo(program).isFile()) {
                SetDBParamValue(connection, QLatin1String(kParamQueltKoppeling), directory);
                koppeling = directory;
            }
        }
        return koppeling;
    });
}

qint64 GetLaatsteKeyWaarde(TOrvADOConnection* connection, const QString& table) {
    return WithPrefix(QStringLiteral("GetLaatsteKeyWaarde: "), [&] {
        RequireConnection(connection);
        TOrvQuery query(nullptr, connection);
        query.SetSQL(QStringLiteral(" SELECT @@Identity AS MaxNummer from  ") + table);
        query.Open();
        return query.IsEmpty() ? qint64(0) : query.FieldByName(QStringLiteral("MaxNummer")).toLongLong();
    });
}

// ---- Helpers ----

void CloseIfActive(TOrvQuery* query) {
    WithPrefix(QStringLiteral("CloseIfActive: "), [&] {
        if (query && query->Active()) query->Close();
    });
}

QString GetWindowsTempDirectory() {
    return WithPrefix(QStringLiteral("GetWindowsTempDirectory: "), [&] {
        QString directory = QDir::toNativeSeparators(QDir::tempPath());
        if (!directory.endsWith(QDir::separator())) directory += QDir::separator();
        return directory;
    });
}
