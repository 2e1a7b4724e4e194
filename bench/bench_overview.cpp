// The overview computation against a plain baseline on generated databases of 1,000 and 10,000 employers
// (concerns of about ten employers, 24-26 wage sums and 50 cost entries per employer).
// Budget: overview within 3x the baseline and under 0.5 s at 10,000; 1,000 -> 10,000 at most 12x.

#include "BenchTimes.h"
#include "core/DemoData.h"
#include "core/dMain.h"
#include "core/uFilter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {
constexpr int kRuns = 5;

// Reads every value once.
double Touch(const TDataSet& data) {
    double sum = 0;
    for (int r = 0; r < data.RecordCount(); ++r)
        for (int f = 0; f < data.FieldCount(); ++f) sum += data.Value(r, f).isNull() ? 0 : 1;
    return sum;
}

struct TFigures {
    double Overview;
    double Baseline;
};

TFigures Measure(const QString& directory, int employers) {
    const QString path = directory + QStringLiteral("/bench_%1.mdb").arg(employers);
    TDemoOptions options;
    options.Werkgevers = employers;
    options.WerkgeversPerConcern = 10;
    options.KostenPerWerkgever = 50;
    QElapsedTimer timer;
    timer.start();
    CreateDemoDatabase(path, options);
    std::printf("  %d employers: database generated in %.1f s\n", employers, timer.elapsed() / 1000.0);

    TdmMain data;
    ConnectDatabase(*data.ADOConnectionZemlo, path, QString(), QStringLiteral("Share Exclusive"));
    const TFilter filter;
    double sink = 0;
    TFigures figures;
    figures.Overview = MedianMs(kRuns, [&] {
        data.OpenWerkgevers(filter);
        sink += Touch(*data.qryWerkgevers);
    });
    TOrvQuery baseline(nullptr, data.ADOConnectionZemlo);
    baseline.SetSQL(QStringLiteral("SELECT WerkgeverId, SUM(Loonsom) AS TotLoonsom, SUM(Kosten) AS TotKosten FROM ("
                                   " SELECT WerkgeverId, Bedrag AS Loonsom, 0.0 AS Kosten FROM Loonsommen"
                                   " UNION ALL SELECT WerkgeverId, 0.0, Bedrag FROM Kosten) GROUP BY WerkgeverId"));
    figures.Baseline = MedianMs(kRuns, [&] {
        baseline.Open();
        sink += Touch(baseline);
    });
    if (sink < 0) std::printf("%f", sink);
    std::printf("  %d employers: overview %.1f ms, baseline %.1f ms, ratio %.2f\n", employers, figures.Overview,
                figures.Baseline, figures.Overview / figures.Baseline);
    return figures;
}
}

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir directory;
    std::printf("Overview benchmark (median of %d runs)\n", kRuns);
    const TFigures small = Measure(directory.path(), 1000);
    const TFigures large = Measure(directory.path(), 10000);
    const double ratio = large.Overview / large.Baseline;
    const double growth = large.Overview / small.Overview;
    std::printf("10,000 employers: %.1f ms (budget 500 ms), %.2fx baseline (budget 3x); 1,000 -> 10,000: %.1fx "
                "(budget 12x)\n",
                large.Overview, ratio, growth);
    const bool within = large.Overview < 500 && ratio <= 3 && growth <= 12;
    std::printf("%s\n", within ? "within budget" : "OVER BUDGET");
    return within ? 0 : 1;
}
