#pragma once
// The two databases of an exchange test: the program's own database, opened as the program opens it, and a
// payroll database in a folder of its own that is stored as the link. Rows are read back as text,
// "value|value|...", with NULL for an empty value.

#include "binding/OrvADOConnection.h"
#include "core/dMain.h"
#include "exchange/uQueltKoppeling.h"
#include "platform/SqliteEngine.h"
#include "testlib/ScriptedPresenter.h"
#include "testlib/TestDatabase.h"

#include <QStringList>

inline QStringList RowsOf(TOrvADOConnection& connection, const QString& sql) {
    TSqliteStatement select(connection.Handle(), sql);
    QStringList rows;
    while (select.Step()) {
        QStringList values;
        for (int c = 0; c < select.ColumnCount(); ++c) {
            const QVariant v = select.ColumnValue(c);
            if (v.isNull())
                values.append(QStringLiteral("NULL"));
            else if (v.typeId() == QMetaType::Double)
                values.append(QString::number(v.toDouble(), 'g', 15));
            else
                values.append(v.toString());
        }
        rows.append(values.join(u'|'));
    }
    return rows;
}

// Every row of every table, the engine's counters included, in stored order.
inline QStringList AllRowsOf(TOrvADOConnection& connection) {
    QStringList rows;
    for (const QString& table :
         RowsOf(connection, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name")))
        for (const QString& row : RowsOf(connection, QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(table)))
            rows.append(table + u':' + row);
    return rows;
}

class TQueltFixture {
public:
    TQueltFixture() {
        ConnectDatabase(Zemlo(), FZemlo.Path(), QString(), QStringLiteral("Share Exclusive"));
        SaveQueltKoppeling(&Zemlo(), Koppeling());
    }

    QString Koppeling() const { return FQuelt.Directory() + u'/'; }
    QString QueltPath() const { return FQuelt.Path(); }
    TOrvADOConnection& Zemlo() { return *Data.ADOConnectionZemlo; }

    void InZemlo(const QStringList& statements) {
        for (const QString& sql : statements) Exec(Zemlo(), sql);
    }
    // Through a payroll connection of the test's own, closed again afterwards.
    void InQuelt(const QStringList& statements) const {
        TOrvADOConnection quelt;
        FQuelt.Open(quelt);
        for (const QString& sql : statements) Exec(quelt, sql);
    }
    QStringList ZemloRows(const QString& sql) { return RowsOf(Zemlo(), sql); }
    QStringList QueltRows(const QString& sql) const {
        TOrvADOConnection quelt;
        FQuelt.Open(quelt);
        return RowsOf(quelt, sql);
    }
    // A payroll run confirmed, as the program runs it after Ja; the question it would ask goes to vraag. The
    // run itself shows nothing: the scripted presenter fails on any message.
    template <class TRun> TUitwisselingResultaat Bevestigd(QString* vraag = nullptr) {
        const TScriptedPresenter geenBerichten;
        TRun run(Data);
        return run.Uitvoeren([&] {
            if (vraag) *vraag = run.Vraag();
            return true;
        });
    }
    // Both databases whole: the program's own, then the payroll's.
    QStringList AllRows() {
        TOrvADOConnection quelt;
        FQuelt.Open(quelt);
        return AllRowsOf(Zemlo()) + QStringList{QStringLiteral("----")} + AllRowsOf(quelt);
    }

private:
    TTestDatabase FZemlo;
    TTestDatabase FQuelt{QStringLiteral("QueltX2024.mdb"), true};

public:
    TdmMain Data;
};

// A payroll employer version and a booking as statements.
inline QString QueltWerkgever(int nummer, const char* ingang, const char* lhnr, const char* naam, const char* soort) {
    return QStringLiteral("INSERT INTO Werkgever (Werkgeversnummer, Ingangsdatum, Loonbelastingnummer, Naam, "
                          "Bericht_TijdvakSoort) VALUES (%1, '%2 00:00:00', '%3', '%4', %5)")
        .arg(nummer)
        .arg(QLatin1String(ingang), QLatin1String(lhnr), QLatin1String(naam), QLatin1String(soort));
}

// A date without a time of day is stored at midnight, as the payroll program stores its booking dates.
inline QString Boeking(int nummer, int kolom, double bedrag, const QString& datum) {
    return QStringLiteral("INSERT INTO BoekingsKolommen (Werkgeversnummer, Kolomboeking, KolomBedrag, Boekingsdatum) "
                          "VALUES (%1, %2, %3, '%4')")
        .arg(nummer)
        .arg(kolom)
        .arg(bedrag)
        .arg(datum.size() == 10 ? datum + QStringLiteral(" 00:00:00") : datum);
}
