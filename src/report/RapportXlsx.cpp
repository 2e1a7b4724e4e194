#include "report/RapportXlsx.h"

#include "platform/SchrijfBestand.h"
#include "report/uRapportage.h"
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

void SchrijfBlad(lxw_workbook* workbook, const TFormats& formats, const char* naam, const TRapportBlad& blad) {
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, naam);
    if (!sheet) throw EOrvError(QStringLiteral("Cannot add worksheet %1").arg(QLatin1String(naam)));
    const QList<int> velden = blad.GetoondeVelden();
    QList<int> breedtes;
    for (int c = 0; c < velden.size(); ++c) {
        const QString& titel = blad.Kolom(velden[c]).Titel;
        const QByteArray utf8 = titel.toUtf8();
        Check(worksheet_write_string(sheet, 0, lxw_col_t(c), utf8.constData(), formats.Titel),
              "worksheet_write_string");
        breedtes.append(int(titel.size()));
    }
    for (int r = 0; r < blad.RecordCount(); ++r) {
        const lxw_row_t row = lxw_row_t(r + 1);
        for (int c = 0; c < velden.size(); ++c) {
            const QVariant value = blad.Value(r, velden[c]);
            const lxw_col_t col = lxw_col_t(c);
            if (value.isNull()) continue;
            switch (blad.Kolom(velden[c]).Soort) {
            case TKolomSoort::Bedrag:
                Check(worksheet_write_number(sheet, row, col, value.toDouble(), formats.Bedrag),
                      "worksheet_write_number");
                breedtes[c] = std::max(breedtes[c], BedragBreedte(value.toDouble()));
                break;
            case TKolomSoort::Geheel:
                Check(worksheet_write_number(sheet, row, col, value.toDouble(), nullptr), "worksheet_write_number");
                breedtes[c] = std::max(breedtes[c], int(value.toString().size()));
                break;
            case TKolomSoort::Tekst: {
                const QString text = value.toString();
                const QByteArray utf8 = text.toUtf8();
                Check(worksheet_write_string(sheet, row, col, utf8.constData(), nullptr), "worksheet_write_string");
                breedtes[c] = std::max(breedtes[c], int(text.size()));
                break;
            }
            }
        }
    }
    worksheet_freeze_panes(sheet, 1, 0);
    for (int c = 0; c < velden.size(); ++c)
        Check(worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), breedtes[c] + kMarge, nullptr),
              "worksheet_set_column");
}
}

void WriteRapportXlsx(const TRapportage& rapport, const QString& path) {
    WithPrefix(QStringLiteral("WriteRapportXlsx: "), [&] {
        const TRapportBlad regels(RegelKolommen(), rapport.Regels);
        const TRapportBlad advies(AdviesKolommen(), rapport.Advies);
        SchrijfBestand(path, [&](QFile& tijdelijk) {
            const QByteArray file = QFile::encodeName(tijdelijk.fileName());
            lxw_workbook* workbook = workbook_new(file.constData());
            if (!workbook) throw EOrvError(QStringLiteral("Cannot create workbook ") + tijdelijk.fileName());
            try {
                TFormats formats{workbook_add_format(workbook), workbook_add_format(workbook)};
                format_set_bold(formats.Titel);
                format_set_num_format(formats.Bedrag, "#,##0.00");
                SchrijfBlad(workbook, formats, "Rapportage", regels);
                SchrijfBlad(workbook, formats, "Concernadvies", advies);
            } catch (...) {
                workbook_close(workbook);
                throw;
            }
            Check(workbook_close(workbook), "workbook_close");
        });
    });
}
