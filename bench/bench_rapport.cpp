// The report of 10,000 employers (24-26 wage sums and 50 cost entries each), once in concerns of about ten
// and once without concerns (a row per employer, the PDF's worst case): the computation beyond the
// overview query it reads, the PDF and the workbook.
// Budget: computation at most 100 ms beyond the overview; PDF at most 2 s; workbook at most 1 s.

#include "BenchTimes.h"
#include "binding/OrvQuery.h"
#include "core/DemoData.h"
#include "core/dMain.h"
#include "core/uFilter.h"
#include "report/RapportPdf.h"
#include "report/RapportXlsx.h"
#include "report/uRapportage.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtGui/QGuiApplication>

#include <algorithm>
#include <cstdio>

namespace {
constexpr int kRuns = 5;
constexpr int kEmployers = 10000;

bool Measure(const QString& directory, int perConcern) {
    const QString path = directory + QStringLiteral("/bench_rapport_%1.mdb").arg(perConcern);
    TDemoOptions options;
    options.Werkgevers = kEmployers;
    options.WerkgeversPerConcern = perConcern;
    options.KostenPerWerkgever = 50;
    CreateDemoDatabase(path, options);

    TdmMain data;
    ConnectDatabase(*data.ADOConnectionZemlo, path, QString(), QStringLiteral("Share Exclusive"));
    TOrvQuery overview(nullptr, data.ADOConnectionZemlo);
    overview.SetSQL(BuildWerkgeversSQL(TFilter()));
    const double query = MedianMs(kRuns, [&] { overview.Open(); });
    TRapportage rapport;
    const double beyond = MedianMs(kRuns, [&] { rapport = BerekenRapportage(overview, false); });
    const double report = MedianMs(kRuns, [&] { rapport = MaakRapportage(*data.ADOConnectionZemlo, false); });
    const QString pdf = directory + QStringLiteral("/rapport.pdf");
    const double pdfMs = MedianMs(kRuns, [&] { WriteRapportPdf(rapport, pdf, QDate(2025, 1, 15)); });
    const QString xlsx = directory + QStringLiteral("/rapport.xlsx");
    const double xlsxMs = MedianMs(kRuns, [&] { WriteRapportXlsx(rapport, xlsx); });
    std::printf("  %s: %lld report rows, %lld concerns\n", perConcern > 0 ? "concerns of about ten" : "no concerns",
                qlonglong(rapport.Regels.size()), qlonglong(rapport.Advies.size()));
    std::printf("    overview query %.1f ms, computation on its rows %.1f ms (budget 100 ms), both %.1f ms\n", query,
                beyond, report);
    std::printf("    PDF %.1f ms, %lld kB (budget 2000 ms)\n", pdfMs, QFileInfo(pdf).size() / 1024);
    std::printf("    workbook %.1f ms, %lld kB (budget 1000 ms)\n", xlsxMs, QFileInfo(xlsx).size() / 1024);
    return beyond <= 100 && pdfMs <= 2000 && xlsxMs <= 1000;
}
}

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir directory;
    std::printf("Report benchmark, %d employers (median of %d runs)\n", kEmployers, kRuns);
    const bool concerns = Measure(directory.path(), 10);
    const bool single = Measure(directory.path(), 0);
    std::printf("%s\n", concerns && single ? "within budget" : "OVER BUDGET");
    return concerns && single ? 0 : 1;
}
