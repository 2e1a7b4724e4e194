// A test's helper: ends the process abruptly, as a crash or a power cut would, at a chosen point, so the
// test can look at what the next start finds.
//   compact_crash_helper compact DATABASE OPERATION before|after [--no-links] [--pause]
//       compacts DATABASE and stops at the first call of the named file operation of the compaction
//       ("Flush", "Link", "Copy", "Rename", "FlushDirectory"); --no-links refuses hard links; --pause
//       waits there instead, with "paused" on stdout, until a line comes on stdin, and then compacts on
//       (exit code 0), so a test can let another process in at that point
//   compact_crash_helper session DATABASE
//       stops while it holds the database exclusively, after a committed change
//   compact_crash_helper transaction DATABASE
//       stops inside a transaction, before its commit
// Exit code 77: it stopped there. Anything else: it never got there.

#include "binding/OrvADOConnection.h"
#include "core/uCompactDatabase.h"

#include <QCoreApplication>

#include <cstdio>
#include <unistd.h>

namespace {
constexpr int kStopped = 77;

class TStoppingFiles : public TCompactFileOperations {
public:
    TStoppingFiles(QString operation, bool before, bool noLinks, bool pause)
        : FOperation(std::move(operation)), FBefore(before), FNoLinks(noLinks), FPause(pause) {}

    bool Flush(const QString& path, QString& error) override {
        return Step("Flush", [&] { return TCompactFileOperations::Flush(path, error); });
    }
    bool Link(const QString& from, const QString& to) override {
        return Step("Link", [&] { return !FNoLinks && TCompactFileOperations::Link(from, to); });
    }
    bool Copy(const QString& from, const QString& to) override {
        return Step("Copy", [&] { return TCompactFileOperations::Copy(from, to); });
    }
    bool Rename(const QString& from, const QString& to) override {
        return Step("Rename", [&] { return TCompactFileOperations::Rename(from, to); });
    }
    bool FlushDirectory(const QString& directory, QString& error) override {
        return Step("FlushDirectory", [&] { return TCompactFileOperations::FlushDirectory(directory, error); });
    }

private:
    template <class Operation> bool Step(const char* name, Operation&& operation) {
        const bool here = FOperation == QLatin1String(name) && !FDone;
        if (here && FBefore) Stop();
        const bool result = operation();
        if (here && !FBefore) Stop();
        return result;
    }
    void Stop() {
        if (!FPause) _exit(kStopped);
        FDone = true;
        std::puts("paused");
        std::fflush(stdout);
        for (int c = std::getchar(); c != '\n' && c != EOF; c = std::getchar()) {
        }
    }
    QString FOperation;
    bool FBefore;
    bool FNoLinks;
    bool FPause;
    bool FDone = false;
};

void AddConcern(TOrvADOConnection& connection) {
    connection.Execute(QStringLiteral("INSERT INTO Concerns (Naam) VALUES ('Toegevoegd voor het einde')"));
}
}

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const QStringList args = application.arguments().mid(1);
    try {
        if (args.size() >= 4 && args[0] == u"compact") {
            TStoppingFiles files(args[2], args[3] == u"before", args.contains(QStringLiteral("--no-links")),
                                 args.contains(QStringLiteral("--pause")));
            SetCompactFileOperations(&files);
            CompactJetDatabase(args[1], kJetEngineType, QString(), QString(), false);
            return 0;
        }
        if (args.size() == 2 && (args[0] == u"session" || args[0] == u"transaction")) {
            TOrvADOConnection connection;
            if (args[0] == u"session") {
                connection.Open(args[1], QString(), QStringLiteral("Share Exclusive"));
                AddConcern(connection);
            } else {
                connection.Open(args[1], QString(), QStringLiteral("Share Deny None"));
                connection.BeginTrans();
                AddConcern(connection);
            }
            _exit(kStopped);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "compact_crash_helper: %s\n", e.what());
        return 1;
    }
    std::fputs("usage: compact_crash_helper compact|session|transaction DATABASE ...\n", stderr);
    return 2;
}
