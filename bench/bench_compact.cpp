// The compaction at shut-down, with its flushes, on a demo database, against a baseline measured in the
// same run: a copy of the same file flushed to disk. Prints the medians in milliseconds and their ratio
// (budget: at most 3 times the baseline).

#include "BenchTimes.h"
#include "core/DemoData.h"
#include "core/uCompactDatabase.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
double Elapsed(const std::function<void()>& measured) {
    QElapsedTimer timer;
    timer.start();
    measured();
    return Milliseconds(timer);
}
}

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    // On the disk of the working directory, not in a memory file system, so the flushes cost what they do.
    QTemporaryDir dir(QStringLiteral("bench_compact-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("Zemlo2024.mdb"));
    const QString copyPath = dir.filePath(QStringLiteral("baseline.copy"));
    TDemoOptions options;
    options.Werkgevers = 3000;
    options.KostenPerWerkgever = 30;
    CreateDemoDatabase(path, options);
    std::printf("database: %.1f MB in %s\n", QFileInfo(path).size() / 1048576.0, qPrintable(dir.path()));

    TCompactFileOperations files;
    QString error;
    const auto flushedCopy = [&] {
        if (!files.Copy(path, copyPath) || !files.Flush(copyPath, error))
            qFatal("baseline copy failed: %s", qPrintable(error));
    };
    const auto compaction = [&] { CompactJetDatabase(path, kJetEngineType, QString(), QString(), false); };

    // Warm-up of both, then alternating runs, so a change of load on the shared machine hits both alike.
    flushedCopy();
    QFile::remove(copyPath);
    compaction();
    std::vector<double> baseline, compact;
    for (int run = 0; run < 9; ++run) {
        baseline.push_back(Elapsed(flushedCopy));
        QFile::remove(copyPath);
        compact.push_back(Elapsed(compaction));
    }
    const double base = Median(baseline);
    const double measured = Median(compact);
    std::printf("flushed file copy (baseline): %.1f ms\n", base);
    std::printf("compaction with flushes: %.1f ms\n", measured);
    const bool within = measured <= 3 * base;
    std::printf("ratio: %.2f (budget 3.00)\n", measured / base);
    std::printf("%s\n", within ? "within budget" : "OVER BUDGET");
    return within ? 0 : 1;
}
