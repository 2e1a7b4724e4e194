// zemlo-cli: the scripting and test companion of the program.
// Exit codes: 0 success, 1 failure (message on stderr), 2 usage error (usage on stderr).

#include "core/DatabaseChecks.h"
#include "core/DeliveredDatabase.h"
#include "core/DemoData.h"
#include "core/OverviewCsv.h"
#include "core/dMain.h"
#include "core/uCompactDatabase.h"
#include "core/uConst.h"
#include "core/uFilter.h"
#include "core/uUtils.h"
#include "exchange/uQueltExport.h"
#include "exchange/uQueltImport.h"
#include "exchange/uQueltKoppeling.h"
#include "exchange/uZemloImport.h"
#include "platform/Clock.h"
#include "report/RapportPdf.h"
#include "report/RapportXlsx.h"
#include "report/uRapportage.h"
#include "support/FuzzyMatch.h"
#include "support/OrvErrors.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTextStream>
#include <QtGui/QGuiApplication>

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>

namespace {
const char* const kUsage =
    "Gebruik:\n"
    "  zemlo-cli overzicht --db BESTAND [--exclusief-proforma] [--concern ID] [--werkgever ID]\n"
    "  zemlo-cli rapport --db BESTAND [--exclusief-proforma] [--pdf UIT] [--xlsx UIT] [--csv] [--concernadvies]\n"
    "  zemlo-cli nieuwe-database BESTAND [--conversie]\n"
    "  zemlo-cli demo BESTAND [--werkgevers N] [--seed S] [--quelt]\n"
    "  zemlo-cli koppeling --db BESTAND [MAP]\n"
    "  zemlo-cli importeer-werkgevers --db BESTAND\n"
    "  zemlo-cli importeer-loonsommen --db BESTAND\n"
    "  zemlo-cli exporteer-kosten --db BESTAND\n"
    "  zemlo-cli conversie --db BESTAND --vorig-jaar MAP\n"
    "  zemlo-cli lhnr NUMMER...\n"
    "  zemlo-cli comprimeer BESTAND\n"
    "  zemlo-cli fuzzy GETYPT OPGESLAGEN [--niveau N]\n";

struct EUsage {
    QString Message;
};

// The arguments of one command: positional values and "--name [value]" options.
class TArguments {
public:
    TArguments(const QStringList& args, const QStringList& flags, const QStringList& valued) {
        for (int i = 0; i < args.size(); ++i) {
            const QString& a = args[i];
            if (!a.startsWith(QLatin1String("--"))) {
                FPositional.append(a);
            } else if (flags.contains(a)) {
                FOptions.insert(a, QString());
            } else if (valued.contains(a)) {
                if (i + 1 >= args.size()) throw EUsage{QStringLiteral("%1 verwacht een waarde").arg(a)};
                FOptions.insert(a, args[++i]);
            } else {
                throw EUsage{QStringLiteral("onbekende optie %1").arg(a)};
            }
        }
    }
    const QStringList& Positional() const { return FPositional; }
    bool Has(const QString& option) const { return FOptions.contains(option); }
    QString Value(const QString& option) const { return FOptions.value(option); }
    qint64 Number(const QString& option, qint64 fallback) const {
        if (!Has(option)) return fallback;
        bool ok = false;
        const qint64 n = Value(option).toLongLong(&ok);
        if (!ok) throw EUsage{QStringLiteral("%1 verwacht een geheel getal").arg(option)};
        return n;
    }

private:
    QStringList FPositional;
    QHash<QString, QString> FOptions;
};

// Opens the database of a command's --db with the checks of the program's start-up: a file the program
// refuses, another program's database among them, is refused with a message naming it.
void OpenDatabase(TOrvADOConnection& connection, const QString& path, const QString& mode) {
    ConnectDatabase(connection, path, QString(), mode);
    RequireZemloTables(connection.Handle(), path);
}

int Overzicht(const QStringList& args) {
    const TArguments a(args, {QStringLiteral("--exclusief-proforma")},
                       {QStringLiteral("--db"), QStringLiteral("--concern"), QStringLiteral("--werkgever")});
    if (!a.Has(QStringLiteral("--db")) || !a.Positional().isEmpty())
        throw EUsage{QStringLiteral("overzicht: --db BESTAND is verplicht, andere argumenten niet toegestaan")};
    TFilter filter;
    if (a.Has(QStringLiteral("--exclusief-proforma")))
        filter.SetFilterField(QStringLiteral("ExclusiefProforma"), true, TFieldType::ftBoolean);
    if (a.Has(QStringLiteral("--concern")))
        filter.SetFilterField(QStringLiteral("ConcernId"), QString::number(a.Number(QStringLiteral("--concern"), 0)),
                              TFieldType::ftString);
    if (a.Has(QStringLiteral("--werkgever")))
        filter.SetFilterField(QStringLiteral("WerkgeverId"), a.Number(QStringLiteral("--werkgever"), 0),
                              TFieldType::ftInteger);
    TdmMain data;
    OpenDatabase(*data.ADOConnectionZemlo, a.Value(QStringLiteral("--db")), QStringLiteral("Share Deny None"));
    data.OpenWerkgevers(filter);
    QTextStream out(stdout);
    WriteOverviewCsv(*data.qryWerkgevers, out);
    return 0;
}

// With --conversie the database carries the marker of a database prepared for the new year: the first start
// offers the conversion.
int NieuweDatabase(const QStringList& args) {
    const TArguments a(args, {QStringLiteral("--conversie")}, {});
    if (a.Positional().size() != 1) throw EUsage{QStringLiteral("nieuwe-database: geef precies één BESTAND")};
    CreateDeliveredDatabase(a.Positional().first());
    if (a.Has(QStringLiteral("--conversie"))) {
        TOrvADOConnection connection;
        ConnectDatabase(connection, a.Positional().first(), QString(), QStringLiteral("Share Exclusive"));
        SetDBParamValue(&connection, QLatin1String(kParamZemloConversie), QStringLiteral("Y"));
    }
    return 0;
}

// With --quelt also a payroll database QueltX2024.mdb beside the file, linked from the demo database.
int Demo(const QStringList& args) {
    const TArguments a(args, {QStringLiteral("--quelt")}, {QStringLiteral("--werkgevers"), QStringLiteral("--seed")});
    if (a.Positional().size() != 1) throw EUsage{QStringLiteral("demo: geef precies één BESTAND")};
    TDemoOptions options;
    options.Werkgevers = int(a.Number(QStringLiteral("--werkgevers"), options.Werkgevers));
    options.Seed = quint32(a.Number(QStringLiteral("--seed"), options.Seed));
    if (options.Werkgevers < 0) throw EUsage{QStringLiteral("--werkgevers mag niet negatief zijn")};
    const QString path = a.Positional().first();
    CreateDemoDatabase(path, options);
    if (a.Has(QStringLiteral("--quelt"))) {
        const QString koppeling = QDir::toNativeSeparators(QFileInfo(path).absolutePath()) + QDir::separator();
        // Without its payroll half the demo is not what was asked: what this run made goes again.
        auto unfinished = qScopeGuard([&] { TSqliteDatabase::Remove(path); });
        TOrvADOConnection connection;
        ConnectDatabase(connection, path, QString(), QStringLiteral("Share Exclusive"));
        TDemoQueltOptions quelt;
        quelt.Seed = options.Seed;
        CreateDemoQueltDatabase(QueltDatabaseBestand(koppeling), connection, quelt);
        SaveQueltKoppeling(&connection, koppeling);
        unfinished.dismiss();
    }
    return 0;
}

// What the program shows of an exchange run, printed on stdout; exit code 0 when the run did its work, 1 when
// it could not run.
int Gemeld(const TUitwisselingResultaat& resultaat) {
    if (!resultaat.Tekst.isEmpty()) QTextStream(stdout) << resultaat.Tekst << Qt::endl;
    return resultaat.Status == TUitwisselingStatus::Uitgevoerd ? 0 : 1;
}

// The database of the command's --db, opened as the program opens its own (exclusively).
QString DatabaseArgument(const TArguments& a, const char* command, int maxPositional) {
    if (!a.Has(QStringLiteral("--db")))
        throw EUsage{QStringLiteral("%1: --db BESTAND is verplicht").arg(QLatin1String(command))};
    if (a.Positional().size() > maxPositional)
        throw EUsage{QStringLiteral("%1: te veel argumenten").arg(QLatin1String(command))};
    return a.Value(QStringLiteral("--db"));
}

// Prints the stored link (nothing on stdout when none is set), or stores MAP as the link.
int Koppeling(const QStringList& args) {
    const TArguments a(args, {}, {QStringLiteral("--db")});
    const QString path = DatabaseArgument(a, "koppeling", 1);
    TdmMain data;
    OpenDatabase(*data.ADOConnectionZemlo, path, QStringLiteral("Share Exclusive"));
    if (a.Positional().size() == 1) SaveQueltKoppeling(data.ADOConnectionZemlo, a.Positional().first());
    const QString koppeling = GetQueltKoppeling(data.ADOConnectionZemlo);
    if (koppeling.isEmpty())
        std::fputs("Geen Quelt koppeling ingesteld.\n", stderr);
    else
        QTextStream(stdout) << koppeling << Qt::endl;
    return 0;
}

// Runs a payroll run on the database with its stored link. Giving the command is the confirmation: no
// question is asked.
template <class TRun> int Uitwisseling(const QStringList& args, const char* command) {
    const TArguments a(args, {}, {QStringLiteral("--db")});
    const QString path = DatabaseArgument(a, command, 0);
    TdmMain data;
    OpenDatabase(*data.ADOConnectionZemlo, path, QStringLiteral("Share Exclusive"));
    TRun run(data);
    return Gemeld(run.Uitvoeren());
}

// The report as PDF and workbook files and, with --csv, on stdout: its rows or, with --concernadvies, the
// concern advice.
int Rapport(const QStringList& args) {
    const TArguments a(
        args, {QStringLiteral("--exclusief-proforma"), QStringLiteral("--csv"), QStringLiteral("--concernadvies")},
        {QStringLiteral("--db"), QStringLiteral("--pdf"), QStringLiteral("--xlsx")});
    const QString path = DatabaseArgument(a, "rapport", 0);
    const bool csv = a.Has(QStringLiteral("--csv"));
    if (!csv && !a.Has(QStringLiteral("--pdf")) && !a.Has(QStringLiteral("--xlsx")))
        throw EUsage{QStringLiteral("rapport: geef --pdf UIT, --xlsx UIT of --csv")};
    if (a.Has(QStringLiteral("--concernadvies")) && !csv)
        throw EUsage{QStringLiteral("rapport: --concernadvies hoort bij --csv")};
    TdmMain data;
    OpenDatabase(*data.ADOConnectionZemlo, path, QStringLiteral("Share Deny None"));
    const TRapportage rapport = MaakRapportage(*data.ADOConnectionZemlo, a.Has(QStringLiteral("--exclusief-proforma")));
    if (a.Has(QStringLiteral("--pdf"))) WriteRapportPdf(rapport, a.Value(QStringLiteral("--pdf")), Clock::Now().date());
    if (a.Has(QStringLiteral("--xlsx"))) WriteRapportXlsx(rapport, a.Value(QStringLiteral("--xlsx")));
    if (csv) {
        QTextStream out(stdout);
        if (a.Has(QStringLiteral("--concernadvies")))
            WriteAdviesCsv(rapport, out);
        else
            WriteRapportCsv(rapport, out);
    }
    return 0;
}

// The conversion from last year's program directory as the window's OK runs it, without its question: each
// import's message as it ends; exit code 1 when last year's database is missing or cannot be used.
int Conversie(const QStringList& args) {
    const TArguments a(args, {}, {QStringLiteral("--db"), QStringLiteral("--vorig-jaar")});
    const QString path = DatabaseArgument(a, "conversie", 0);
    if (!a.Has(QStringLiteral("--vorig-jaar")))
        throw EUsage{QStringLiteral("conversie: --vorig-jaar MAP is verplicht")};
    TdmMain data;
    OpenDatabase(*data.ADOConnectionZemlo, path, QStringLiteral("Share Exclusive"));
    TOrvADOConnection vorigJaar;
    TZemloConversie conversie(data, vorigJaar, a.Value(QStringLiteral("--vorig-jaar")));
    for (TUitwisseling* stap : conversie.Stappen())
        if (const int code = Gemeld(stap->Uitvoeren())) return code;
    return 0;
}

// Each wage tax number with "geldig" or "ongeldig"; exit code 1 when any is invalid.
int Lhnr(const QStringList& args) {
    const TArguments a(args, {}, {});
    if (a.Positional().isEmpty()) throw EUsage{QStringLiteral("lhnr: geef een of meer NUMMERS")};
    QTextStream out(stdout);
    bool allValid = true;
    for (const QString& nummer : a.Positional()) {
        const bool valid = IsValidLHNummer(nummer);
        allValid = allValid && valid;
        out << nummer << (valid ? " geldig" : " ongeldig") << Qt::endl;
    }
    return allValid ? 0 : 1;
}

// Compacts a closed database file, leaving the previous file as ".bak".
int Comprimeer(const QStringList& args) {
    const TArguments a(args, {}, {});
    if (a.Positional().size() != 1) throw EUsage{QStringLiteral("comprimeer: geef precies één BESTAND")};
    CompactJetDatabase(a.Positional().first(), kJetEngineType, QString(), QString(), false);
    return 0;
}

// The distance of the two normalised texts and whether they match at the level (both switches on).
int Fuzzy(const QStringList& args) {
    const TArguments a(args, {}, {QStringLiteral("--niveau")});
    if (a.Positional().size() != 2) throw EUsage{QStringLiteral("fuzzy: geef GETYPT en OPGESLAGEN")};
    const QString typed = a.Positional()[0];
    const QString stored = a.Positional()[1];
    const int level = int(a.Number(QStringLiteral("--niveau"), 10));
    QTextStream out(stdout);
    out << "afstand: " << GuthDistance(FuzzyNormalize(typed), FuzzyNormalize(stored)) << Qt::endl;
    out << "overeenkomst: " << (FuzzyMatch(typed, stored, level, true, true) ? "ja" : "nee") << Qt::endl;
    return 0;
}

const QHash<QString, std::function<int(const QStringList&)>>& Commands() {
    static const QHash<QString, std::function<int(const QStringList&)>> commands = {
        {QStringLiteral("overzicht"), Overzicht},
        {QStringLiteral("rapport"), Rapport},
        {QStringLiteral("nieuwe-database"), NieuweDatabase},
        {QStringLiteral("demo"), Demo},
        {QStringLiteral("lhnr"), Lhnr},
        {QStringLiteral("comprimeer"), Comprimeer},
        {QStringLiteral("fuzzy"), Fuzzy},
        {QStringLiteral("koppeling"), Koppeling},
        {QStringLiteral("importeer-werkgevers"),
         [](const QStringList& args) { return Uitwisseling<TWerkgeversImport>(args, "importeer-werkgevers"); }},
        {QStringLiteral("importeer-loonsommen"),
         [](const QStringList& args) { return Uitwisseling<TLoonsommenImport>(args, "importeer-loonsommen"); }},
        {QStringLiteral("exporteer-kosten"),
         [](const QStringList& args) { return Uitwisseling<TKostenExport>(args, "exporteer-kosten"); }},
        {QStringLiteral("conversie"), Conversie},
    };
    return commands;
}
}

int main(int argc, char* argv[]) {
    // The report's PDF needs the fonts of a GUI application; a command line has no screen, so offscreen.
    const bool pdf = argc > 1 && std::strcmp(argv[1], "rapport") == 0 &&
                     std::any_of(argv + 2, argv + argc, [](const char* arg) { return std::strcmp(arg, "--pdf") == 0; });
    if (pdf && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> app =
        pdf ? std::make_unique<QGuiApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    QStringList args = app->arguments().mid(1);
    try {
        if (args.isEmpty() || !Commands().contains(args.first())) throw EUsage{};
        const QString command = args.takeFirst();
        return Commands().value(command)(args);
    } catch (const EUsage& usage) {
        if (!usage.Message.isEmpty()) std::fprintf(stderr, "zemlo-cli: %s\n", qPrintable(usage.Message));
        std::fputs(kUsage, stderr);
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zemlo-cli: %s\n", e.what());
        return 1;
    }
}
