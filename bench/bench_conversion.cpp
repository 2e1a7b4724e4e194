// The yearly conversion on a large last year's database: 10,000 employers in 1,000 concerns and 1,000 cost
// categories. First into an empty year (everything new), then again into the converted year with a tenth of
// last year's employers and categories changed (everything present).
// Budget: each run within 1 s. Each result is checked: the rows that must come over and the messages.

#include "binding/OrvADOConnection.h"
#include "core/DeliveredDatabase.h"
#include "core/dMain.h"
#include "exchange/uZemloImport.h"
#include "platform/SqliteEngine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr int kRuns = 3;
constexpr int kConcerns = 1000;
constexpr int kWerkgevers = 10000;
constexpr int kCategorieen = 1000;
constexpr double kBudgetMs = 1000;

void Exec(TOrvADOConnection& c, const QString& sql) { c.Execute(sql); }

qint64 Count(TOrvADOConnection& c, const QString& table) {
    TSqliteStatement s(c.Handle(), QStringLiteral("SELECT COUNT(*) FROM ") + table);
    s.Step();
    return s.ColumnValue(0).toLongLong();
}

// Last year's database; with changed, every tenth employer and category has a change time after its creation.
void VulVorigJaar(const QString& path, bool changed) {
    TOrvADOConnection c;
    ConnectDatabase(c, path, QString(), QStringLiteral("Share Exclusive"));
    c.BeginTrans();
    Exec(c, QStringLiteral("DELETE FROM Concerns"));
    Exec(c, QStringLiteral("DELETE FROM Werkgevers"));
    Exec(c, QStringLiteral("DELETE FROM Kostencategorieen WHERE Omschrijving LIKE 'Categorie %'"));
    TSqliteStatement concern(c.Handle(), QStringLiteral("INSERT INTO Concerns (ConcernId, Naam) VALUES (:Id, :Naam)"));
    for (int i = 1; i <= kConcerns; ++i) {
        concern.Bind(QStringLiteral("Id"), i);
        concern.Bind(QStringLiteral("Naam"), QStringLiteral("Concern %1").arg(i));
        while (concern.Step()) {
        }
        concern.Reset();
    }
    const QString aanmaak = QStringLiteral("2023-01-02 08:00:00");
    const QString wijzig = QStringLiteral("2023-06-01 12:00:00");
    TSqliteStatement werkgever(c.Handle(),
                               QStringLiteral("INSERT INTO Werkgevers (Loonheffingennummer, Naam, AangifteTijdvak, "
                                              "ConcernId, AanmaakDatum, WijzigDatum) VALUES (:Nr, :Naam, 1, "
                                              ":Concern, :Aanmaak, :Wijzig)"));
    for (int i = 0; i < kWerkgevers; ++i) {
        werkgever.Bind(QStringLiteral("Nr"), QStringLiteral("%1L01").arg(100000000 + i));
        werkgever.Bind(QStringLiteral("Naam"), QStringLiteral("Werkgever %1").arg(i));
        werkgever.Bind(QStringLiteral("Concern"), i % 10 == 9 ? QVariant() : QVariant(1 + i % kConcerns));
        werkgever.Bind(QStringLiteral("Aanmaak"), aanmaak);
        werkgever.Bind(QStringLiteral("Wijzig"), changed && i % 10 == 0 ? wijzig : aanmaak);
        while (werkgever.Step()) {
        }
        werkgever.Reset();
    }
    TSqliteStatement categorie(c.Handle(),
                               QStringLiteral("INSERT INTO Kostencategorieen (KostengroepId, Omschrijving, "
                                              "VergoedingtypeId, Grootboekrekening, AanmaakDatum, WijzigDatum) "
                                              "VALUES (1, :Omschrijving, 1, '4000', :Aanmaak, :Wijzig)"));
    for (int i = 0; i < kCategorieen; ++i) {
        categorie.Bind(QStringLiteral("Omschrijving"), QStringLiteral("Categorie %1").arg(i));
        categorie.Bind(QStringLiteral("Aanmaak"), aanmaak);
        categorie.Bind(QStringLiteral("Wijzig"), changed && i % 10 == 0 ? wijzig : aanmaak);
        while (categorie.Step()) {
        }
        categorie.Reset();
    }
    c.CommitTrans();
}

struct TRun {
    double Ms;
    QStringList Messages;
};

// Converts the folder's last year into a copy of thisYear, kRuns times; the median time and the last messages.
TRun Convert(const QString& thisYear, const QString& lastYearFolder, const QString& work) {
    std::vector<double> times;
    TRun run;
    for (int i = 0; i < kRuns; ++i) {
        QFile::remove(work);
        QFile::copy(thisYear, work);
        TdmMain data;
        ConnectDatabase(*data.ADOConnectionZemlo, work, QString(), QStringLiteral("Share Exclusive"));
        TOrvADOConnection oud;
        QStringList messages;
        QElapsedTimer timer;
        timer.start();
        TZemloConversie conversie(data, oud, lastYearFolder);
        for (TUitwisseling* stap : conversie.Stappen()) {
            const TUitwisselingResultaat resultaat = stap->Uitvoeren();
            if (resultaat.Status != TUitwisselingStatus::Uitgevoerd) qFatal("last year's database not found");
            messages.append(resultaat.Tekst);
        }
        times.push_back(timer.nsecsElapsed() / 1e6);
        run.Messages = messages;
    }
    std::sort(times.begin(), times.end());
    run.Ms = times[kRuns / 2];
    return run;
}

bool Report(const char* name, const TRun& run, const QStringList& expected) {
    const bool correct = run.Messages == expected;
    const bool inBudget = run.Ms <= kBudgetMs;
    std::printf("%-44s %8.1f ms (budget %.0f ms) %s%s\n", name, run.Ms, kBudgetMs, inBudget ? "ok" : "OVER BUDGET",
                correct ? "" : ", WRONG RESULT");
    if (!correct) std::printf("  got: %s\n", qPrintable(run.Messages.join(QStringLiteral(" / "))));
    return correct && inBudget;
}
}

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString vorigJaar = dir.filePath(QStringLiteral("Zemlo2023.mdb"));
    const QString leeg = dir.filePath(QStringLiteral("leeg.mdb"));
    const QString omgezet = dir.filePath(QStringLiteral("omgezet.mdb"));
    const QString werk = dir.filePath(QStringLiteral("Zemlo2024.mdb"));
    CreateDeliveredDatabase(vorigJaar);
    CreateDeliveredDatabase(leeg);
    VulVorigJaar(vorigJaar, false);

    bool ok = Report("into an empty year", Convert(leeg, dir.path(), werk),
                     {QStringLiteral("%1 nieuwe concerns zijn geïmporteerd.").arg(kConcerns),
                      QStringLiteral("%1 nieuwe werkgevers zijn geïmporteerd.").arg(kWerkgevers),
                      QStringLiteral("%1 nieuwe kostencategorieën zijn geïmporteerd.").arg(kCategorieen)});
    {
        TOrvADOConnection c;
        ConnectDatabase(c, werk, QString(), QStringLiteral("Share Exclusive"));
        ok = ok && Count(c, QStringLiteral("Werkgevers")) == kWerkgevers &&
             Count(c, QStringLiteral("Concerns")) == kConcerns;
    }
    QFile::copy(werk, omgezet);
    VulVorigJaar(vorigJaar, true);
    ok = Report("again, every row present, a tenth changed", Convert(omgezet, dir.path(), werk),
                {QStringLiteral("Geen nieuwe concerns beschikbaar."),
                 QStringLiteral("%1 werkgevers zijn aangepast.").arg(kWerkgevers / 10),
                 QStringLiteral("%1 kostencategorieën zijn aangepast.").arg(kCategorieen / 10)}) &&
         ok;
    return ok ? 0 : 1;
}
