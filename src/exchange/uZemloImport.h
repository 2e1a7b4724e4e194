#pragma once
// The yearly conversion: the concerns, employers and cost categories that the office added or changed in last
// year's database come over into this year's. Nothing is deleted, wage sums and costs stay behind, and last
// year's database is only read. Each import changes this year's database in one transaction of its own and
// reports its result.

#include <QString>

class TOrvADOConnection;

// Last year's database in its program directory: the folder, a separator added when missing, "Zemlo2023.mdb".
QString ZemloOudBestand(const QString& map);

// The folder proposed for last year's program: "Zemlo2023" beside the program's own folder when it holds
// last year's database, with a trailing separator; else empty.
QString VoorgesteldeZemloMap();

// The question of the OK button: the lead, two line breaks and "Wilt u doorgaan?".
QString ConversieVraag();

// The steps of the conversion window; their errors carry the window's name as it is shown to the user.
class TZemloConversie {
public:
    TZemloConversie(TOrvADOConnection& nieuw, TOrvADOConnection& oud) : FNieuw(nieuw), FOud(oud) {}

    // Opens last year's database in the folder: exclusively when it is a database of the program, read into
    // memory when it is an Access file. A missing file is reported with ZemloError and gives false; a file
    // without the tables and columns the imports read is refused with a message naming what is missing.
    bool SetZemloOldConnection(const QString& map);
    void ImportConcerns();
    void ImportWerkgevers();
    void ImportKostencategorieen();
    // SetZemloOldConnection and, when it connected, the three imports; false when it did not connect.
    bool Uitvoeren(const QString& map);

private:
    TOrvADOConnection& FNieuw;
    TOrvADOConnection& FOud;
};
