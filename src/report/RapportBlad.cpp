#include "report/RapportBlad.h"

#include "core/OverviewCsv.h"

#include <QTextStream>

namespace {
TFieldType VeldType(TKolomSoort soort) {
    switch (soort) {
    case TKolomSoort::Geheel:
        return TFieldType::ftInteger;
    case TKolomSoort::Bedrag:
        return TFieldType::ftFloat;
    case TKolomSoort::Tekst:
        break;
    }
    return TFieldType::ftString;
}

QString CsvWaarde(const QVariant& value, TKolomSoort soort) {
    if (value.isNull()) return QString();
    switch (soort) {
    case TKolomSoort::Geheel:
        return QString::number(value.toLongLong());
    case TKolomSoort::Bedrag:
        return CsvAmount(value.toDouble());
    case TKolomSoort::Tekst:
        break;
    }
    return CsvField(value.toString());
}
}

void TRapportBlad::VoegToe(const TRapportKolom& kolom) {
    FKolommen.append(kolom);
    TFieldDef veld;
    veld.Name = kolom.Veld;
    veld.DataType = VeldType(kolom.Soort);
    FVelden.push_back(veld);
}

QVariant TRapportBlad::Value(int row, int field) const {
    return ConvertToFieldType(FWaarden[size_t(field)](row), FVelden[size_t(field)].DataType);
}

QList<int> TRapportBlad::GetoondeVelden() const {
    QList<int> velden;
    for (int f = 0; f < FieldCount(); ++f)
        if (FKolommen[f].Getoond()) velden.append(f);
    return velden;
}

void SchrijfCsv(const TRapportBlad& blad, QTextStream& out) {
    QList<int> velden;
    QStringList kop;
    for (int f = 0; f < blad.FieldCount(); ++f)
        if (blad.Kolom(f).InCsv()) {
            velden.append(f);
            kop.append(blad.Kolom(f).Veld);
        }
    out << kop.join(u',') << "\r\n";
    for (int r = 0; r < blad.RecordCount(); ++r) {
        QStringList regel;
        for (int f : velden) regel.append(CsvWaarde(blad.Value(r, f), blad.Kolom(f).Soort));
        out << regel.join(u',') << "\r\n";
    }
}
