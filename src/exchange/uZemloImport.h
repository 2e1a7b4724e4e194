#pragma once
// The yearly conversion: the concerns, employers and cost categories that the office added or changed in last
// year's database come over into this year's. Nothing is deleted, wage sums and costs stay behind, and last
// year's database is only read. Each of the three imports is an exchange run of its own: one transaction on
// this year's database and its own result, which the caller shows.

#include "exchange/uUitwisseling.h"

#include <QString>

#include <array>
#include <optional>

class TdmMain;
class TOrvADOConnection;

// Last year's database in its program directory: the folder, a separator added when missing, "Zemlo2023.mdb".
QString ZemloOudBestand(const QString& map);

// The folder proposed for last year's program: "Zemlo2023" beside the program's own folder when it holds
// last year's database, with a trailing separator; else empty.
QString VoorgesteldeZemloMap();

// The question of the OK button: the lead, two line breaks and "Wilt u doorgaan?".
QString ConversieVraag();

// One conversion from last year's program directory. Its errors carry the name of the conversion window as
// the user knows it.
class TZemloConversie {
public:
    // data: this year's database (ADOConnectionZemlo), and the program's way of opening a database of its
    // own; oud: the connection that last year's database is opened on; map: last year's program directory.
    TZemloConversie(TdmMain& data, TOrvADOConnection& oud, const QString& map);
    TZemloConversie(const TZemloConversie&) = delete;
    TZemloConversie& operator=(const TZemloConversie&) = delete;

    // The imports in their order: concerns, employers, cost categories. A caller runs them one after the
    // other and stops at the first that does not run; each reports on its own.
    const std::array<TUitwisseling*, 3>& Stappen() const { return FStappen; }

    // The check of every step: last year's database opened, once per conversion. Exclusively when it is a
    // database of the program, read into memory when it is an Access file. Nothing when it is open; else why
    // not: "U dient de programmadirectory ..." for a missing file. A file without the tables and columns
    // the imports read is refused with an error naming what is missing.
    std::optional<QString> SetZemloOldConnection();

private:
    // One import as a run: its check opens last year's database, its work is the import.
    class TStap : public TUitwisseling {
    public:
        TStap(TZemloConversie& conversie, const char* naam, const QString& titel, QString (TZemloConversie::*import)());

    private:
        std::optional<QString> Controleer() override;
        TOrvADOConnection& Doel() override;
        QString Werk(TProgress& progress) override;

        TZemloConversie& FConversie;
        QString (TZemloConversie::*FImport)();
    };

    QString ImportConcerns();
    QString ImportWerkgevers();
    QString ImportKostencategorieen();

    TdmMain& FData;
    TOrvADOConnection& FNieuw;
    TOrvADOConnection& FOud;
    QString FMap;
    bool FVerbonden = false;
    TStap FConcerns;
    TStap FWerkgevers;
    TStap FKostencategorieen;
    const std::array<TUitwisseling*, 3> FStappen;
};
