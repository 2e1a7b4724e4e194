#include "core/RapportXlsx.h"

#include "core/uRapportage.h"
#include "platform/SchrijfBestand.h"
#include "support/OrvClientDataSet.h"
#include "support/OrvErrors.h"

#include <QFile>

#include <algorithm>
#include <xlsxwriter.h>

namespace {
// Excel measures a column in characters of its default font; a little room for the filter arrow and margin.
constexpr double kMarge = 2.0;

struct TFormats {
    lxw_format* Titel;
    lxw_format* Bedrag;
};

void Check(lxw_error error, const char* what) {
    if (error != LXW_NO_ERROR)
        throw EOrvError(QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromUtf8(lxw_strerror(error))));
}

// The characters a number takes in "#,##0.00": digits, a separator per three digits, the sign.
int BedragBreedte(double value) {
    const QString digits = QString::number(std::abs(value), 'f', 2);
    const int whole = int(digits.size()) - 3;
    return int(digits.size()) + (whole - 1) / 3 + (value < 0 ? 1 : 0);
}

void SchrijfBlad(lxw_workbook* workbook, const TFormats& formats, const char* naam,
                 const QList<TRapportKolom>& kolommen, const TDataSet& rijen) {
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, naam);
    if (!sheet) throw EOrvError(QStringLiteral("Cannot add worksheet %1").arg(QLatin1String(naam)));
    QList<int> velden;
    QList<int> breedtes;
    for (int c = 0; c < kolommen.size(); ++c) {
        velden.append(rijen.FieldIndexOrRaise(kolommen[c].Veld));
        const QByteArray titel = kolommen[c].Titel.toUtf8();
        Check(worksheet_write_string(sheet, 0, lxw_col_t(c), titel.constData(), formats.Titel),
              "worksheet_write_string");
        breedtes.append(int(kolommen[c].Titel.size()));
    }
    for (int r = 0; r < rijen.RecordCount(); ++r) {
        const lxw_row_t row = lxw_row_t(r + 1);
        for (int c = 0; c < kolommen.size(); ++c) {
            const QVariant value = rijen.Value(r, velden[c]);
            const lxw_col_t col = lxw_col_t(c);
            if (value.isNull()) continue;
            if (kolommen[c].Bedrag) {
                Check(worksheet_write_number(sheet, row, col, value.toDouble(), formats.Bedrag),
                      "worksheet_write_number");
                breedtes[c] = std::max(breedtes[c], BedragBreedte(value.toDouble()));
            } else if (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int) {
                Check(worksheet_write_number(sheet, row, col, value.toDouble(), nullptr), "worksheet_write_number");
                breedtes[c] = std::max(breedtes[c], int(value.toString().size()));
            } else {
                const QString text = value.toString();
                const QByteArray utf8 = text.toUtf8();
                Check(worksheet_write_string(sheet, row, col, utf8.constData(), nullptr), "worksheet_write_string");
                breedtes[c] = std::max(breedtes[c], int(text.size()));
            }
        }
    }
    worksheet_freeze_panes(sheet, 1, 0);
    for (int c = 0; c < kolommen.size(); ++c)
        Check(worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), breedtes[c] + kMarge, nullptr),
              "worksheet_set_column");
}
}

void WriteRapportXlsx(const TRapportage& rapport, const QString& path) {
    WithPrefix(QStringLiteral("WriteRapportXlsx: "), [&] {
        TOrvClientDataSet regels;
        TOrvClientDataSet advies;
        VulRapportRegels(rapport, regels);
        VulConcernAdvies(rapport, advies);
        SchrijfBestand(path, [&](QFile& tijdelijk) {
            const QByteArray file = QFile::encodeName(tijdelijk.fileName());
            lxw_workbook* workbook = workbook_new(file.constData());
            if (!workbook) throw EOrvError(QStringLiteral("Cannot create workbook ") + tijdelijk.fileName());
            try {
                TFormats formats{workbook_add_format(workbook), workbook_add_format(workbook)};
                format_set_bold(formats.Titel);
                format_set_num_format(formats.Bedrag, "#,##0.00");
                SchrijfBlad(workbook, formats, "Rapportage", RegelKolommen(), regels);
                SchrijfBlad(workbook, formats, "Concernadvies", AdviesKolommen(), advies);
            } catch (...) {
                workbook_close(workbook);
                throw;
            }
            Check(workbook_close(workbook), "workbook_close");
        });
    });
}
