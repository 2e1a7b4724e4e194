// Saving an employer through the output set on a demo database of 10,000 employers: generating the
// UPDATE, binding and running it and committing its transaction, as the edit window does on OK.
// Budget: median post at most 5 ms.

#include "binding/ADOOutSet.h"
#include "binding/OrvADOConnection.h"
#include "core/DemoData.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr int kEmployers = 10000;
constexpr int kPosts = 500;
constexpr double kBudgetMs = 5.0;
}

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("Zemlo2024.mdb"));
    TDemoOptions options;
    options.Werkgevers = kEmployers;
    QElapsedTimer timer;
    timer.start();
    CreateDemoDatabase(path, options);
    std::printf("Output set benchmark: %d employers generated in %.1f s\n", kEmployers, timer.elapsed() / 1000.0);

    TOrvADOConnection connection;
    connection.Open(path, QString(), QStringLiteral("Share Exclusive"));
    TOrvADOSQLOutputSet set;
    set.setObjectName(QStringLiteral("osOnderhoud"));
    set.SetConnection(&connection);
    set.SetDataReference(QStringLiteral("Werkgevers"));
    set.Open();

    // The whole save, and the part before the commit (which the disk's flush dominates).
    std::vector<double> times, beforeCommit;
    times.reserve(kPosts);
    beforeCommit.reserve(kPosts);
    for (int i = 0; i < kPosts; ++i) {
        const int id = 1 + (i * 7919) % kEmployers;  // spread over the table
        timer.start();
        set.BeginTrans();
        set.Edit();
        set.FieldByName(QStringLiteral("Naam")).SetAsString(QStringLiteral("Werkgever %1 (%2)").arg(id).arg(i));
        set.FieldByName(QStringLiteral("AangifteTijdvak")).SetAsString(QStringLiteral("%1").arg(1 + i % 2));
        set.FieldByName(QStringLiteral("ConcernId")).Clear();
        set.FieldByName(QStringLiteral("WijzigDatum")).SetAsDateTime(QDateTime::currentDateTime());
        set.PrimaryKeyFieldByName(QStringLiteral("WerkgeverId")).SetAsInteger(id);
        set.Post();
        beforeCommit.push_back(timer.nsecsElapsed() / 1e6);
        set.CommitTrans();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::sort(beforeCommit.begin(), beforeCommit.end());
    const double median = times[kPosts / 2];
    std::printf("employer update post (generate, execute, commit): median %.3f ms, 90th percentile %.3f ms, "
                "max %.3f ms over %d posts (budget %.1f ms); before the commit: median %.3f ms\n",
                median, times[kPosts * 9 / 10], times.back(), kPosts, kBudgetMs, beforeCommit[kPosts / 2]);
    const bool within = median <= kBudgetMs;
    std::printf("%s\n", within ? "within budget" : "OVER BUDGET");
    return within ? 0 : 1;
}
