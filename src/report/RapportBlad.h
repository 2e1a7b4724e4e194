#pragma once
// A sheet of the report: one table of columns over typed rows, which the list, the PDF, the workbook and the
// CSV file all read, so a column is declared once. The sheet is a read-only dataset over the rows: a list
// binds to it through a data source like to any query.

#include "support/DataSet.h"

#include <QList>
#include <QVariant>

#include <functional>
#include <vector>

class QTextStream;

enum class TKolomSoort {
    Tekst,
    Geheel,  // a whole number
    Bedrag,  // a number shown as "#,##0.00"
};

// Where a column appears: the list, the PDF and the workbook show the same columns; the CSV file has its own.
enum class TKolomPlaats { Overal, AlleenCsv, NietInCsv };

struct TRapportKolom {
    QString Veld;   // the field name: the CSV file's header, the list's field
    QString Titel;  // as the list, the PDF and the workbook show it
    TKolomSoort Soort = TKolomSoort::Tekst;
    int Breedte = 0;  // in the list, pixels
    TKolomPlaats Plaats = TKolomPlaats::Overal;

    bool Getoond() const { return Plaats != TKolomPlaats::AlleenCsv; }
    bool InCsv() const { return Plaats != TKolomPlaats::NietInCsv; }
};

// A column and how its value is read from a row; NULL stays an empty cell.
template <class TRij> struct TRijKolom : TRapportKolom { QVariant (*Waarde)(const TRij& rij) = nullptr; };

class TRapportBlad : public TDataSet {
    Q_OBJECT
public:
    // The sheet reads rijen where they are, so it follows a later change of the list; the list must outlive it.
    template <class TRij>
    TRapportBlad(const QList<TRijKolom<TRij>>& kolommen, const QList<TRij>& rijen, QObject* owner = nullptr)
        : TDataSet(owner), FAantal([&rijen] { return int(rijen.size()); }) {
        for (const TRijKolom<TRij>& k : kolommen) {
            VoegToe(k);
            FWaarden.push_back([&rijen, waarde = k.Waarde](int rij) { return waarde(rijen[rij]); });
        }
    }

    bool Active() const override { return true; }
    int FieldCount() const override { return int(FKolommen.size()); }
    const TFieldDef& FieldDef(int field) const override { return FVelden[size_t(field)]; }
    int RecordCount() const override { return FAantal(); }
    QVariant Value(int row, int field) const override;

    const TRapportKolom& Kolom(int field) const { return FKolommen[field]; }
    // The fields the list, the PDF and the workbook show, in their order.
    QList<int> GetoondeVelden() const;

private:
    void VoegToe(const TRapportKolom& kolom);

    QList<TRapportKolom> FKolommen;
    std::vector<TFieldDef> FVelden;
    std::function<int()> FAantal;
    std::vector<std::function<QVariant(int rij)>> FWaarden;
};

// As the overview's CSV: a header line of the field names, amounts with a point and two decimals, CRLF line
// ends; only the columns that belong in the CSV file.
void SchrijfCsv(const TRapportBlad& blad, QTextStream& out);
