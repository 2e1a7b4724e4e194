#pragma once
// One frame for every exchange run: the payroll imports and export, each step of the yearly conversion, and
// any run to come (an import of a file the user picks). A run says what it needs and does its work; the
// frame keeps the order and the rules around them: the check, then the caller's confirmation, then the work
// in one transaction with the wait cursor and the progress report, its errors under the run's name.
// The frame shows nothing: the caller asks before (a question, a preview, or nothing on the command line)
// and shows or prints the result after.

#include <QString>

#include <functional>
#include <optional>

class TOrvADOConnection;
class TProgress;

enum class TUitwisselingStatus {
    Uitgevoerd,     // the work is done; the text is its result
    NietMogelijk,   // what the run needs is missing; the text says what, nothing changed
    NietBevestigd,  // the caller did not confirm; nothing changed, nothing to show
};

struct TUitwisselingResultaat {
    TUitwisselingStatus Status = TUitwisselingStatus::NietBevestigd;
    QString Tekst;  // what the program shows (a result, or why the run could not go); empty: nothing
};

class TUitwisseling {
public:
    virtual ~TUitwisseling() = default;
    TUitwisseling(const TUitwisseling&) = delete;
    TUitwisseling& operator=(const TUitwisseling&) = delete;

    // Checks what the run needs; when it is there, asks bevestig (without one the run goes on) and on true
    // does the work. An error of the work rolls its transaction back and reaches the caller with the run's
    // name in front.
    TUitwisselingResultaat Uitvoeren(const std::function<bool()>& bevestig = {});

protected:
    // naam: the prefix of the work's errors ("uQueltImport.ImporteerWerkgevers: "); titel: of the progress.
    TUitwisseling(QString naam, QString titel);
    const QString& Naam() const { return FNaam; }

private:
    // Nothing when the run can go, else why not in the user's words (empty: nothing to show). Here a run also
    // reads what its caller shows before confirming (the link in a question, a preview). Its errors carry
    // the run's own prefixes.
    virtual std::optional<QString> Controleer() = 0;
    // What the run opens before its transaction, such as the database the transaction is on.
    virtual void Openen() {}
    // The database the run changes, in one transaction.
    virtual TOrvADOConnection& Doel() = 0;
    // The work; gives the result text.
    virtual QString Werk(TProgress& progress) = 0;
    // After the work, however it ended: closes what Openen opened.
    virtual void Sluiten() noexcept {}

    QString FNaam;
    QString FTitel;
};
