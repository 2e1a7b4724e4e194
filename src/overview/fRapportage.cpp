#include "overview/fRapportage.h"

#include "controls/OrvComp.h"
#include "controls/OrvDBSortGrid.h"
#include "core/OrvMessages.h"
#include "core/ZemloMBox.h"
#include "platform/Clock.h"
#include "platform/WaitCursor.h"
#include "report/RapportPdf.h"
#include "report/RapportXlsx.h"
#include "support/OrvErrors.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtGui/QAction>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QVBoxLayout>

ORV_METHOD_PREFIXES(TfrmRapportage)

TfrmRapportage::TfrmRapportage(QWidget* owner) : TBaseDialog(owner) {
    setObjectName(QStringLiteral("frmRapportage"));
    setWindowTitle(QStringLiteral("Rapportage werkkostenregeling 2024"));
    SetHelpContext(22);
    setMinimumSize(680, 380);
    resize(1180, 640);
    FMap = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);

    acPdf = WindowAction("acPdf", QStringLiteral("Opslaan als &PDF"),
                         QStringLiteral("PDF|Rapportage opslaan als PDF-bestand"));
    acExcel = WindowAction("acExcel", QStringLiteral("Opslaan als &Excel"),
                           QStringLiteral("Excel|Rapportage opslaan als Excel-werkmap"));
    ConnectGuarded(acPdf, &QAction::triggered, this, QStringLiteral("Fout bij opslaan rapportage: "),
                   [this] { acPdfExecute(); });
    ConnectGuarded(acExcel, &QAction::triggered, this, QStringLiteral("Fout bij opslaan rapportage: "),
                   [this] { acExcelExecute(); });
    TOrvButton* btnPdf = ToolbarButton("btnPdf", acPdf);
    TOrvButton* btnExcel = ToolbarButton("btnExcel", acExcel);
    LineUpToolbar({btnPdf, btnExcel});

    chkExclusiefProforma = new TOrvCheckBox(pnlToolbar);
    chkExclusiefProforma->setObjectName(QStringLiteral("chkExclusiefProforma"));
    chkExclusiefProforma->setText(QStringLiteral("Exclusief proforma"));
    chkExclusiefProforma->adjustSize();
    chkExclusiefProforma->move(btnExcel->x() + btnExcel->width() + 16,
                               (pnlToolbar->height() - chkExclusiefProforma->height()) / 2);
    ConnectGuarded(chkExclusiefProforma, &QCheckBox::toggled, this, QStringLiteral("Fout bij berekenen rapportage: "),
                   [this] { Bereken(); });

    pcRapportage = new QTabWidget(pnlBody);
    pcRapportage->setObjectName(QStringLiteral("pcRapportage"));
    auto* body = new QVBoxLayout(pnlBody);
    body->setContentsMargins(0, 0, 0, 0);
    body->addWidget(pcRapportage);
    auto* regels = new QWidget(pcRapportage);
    regels->setObjectName(QStringLiteral("tsEindheffing"));
    auto* advies = new QWidget(pcRapportage);
    advies->setObjectName(QStringLiteral("tsConcernadvies"));
    pcRapportage->addTab(regels, QStringLiteral("&Eindheffing"));
    pcRapportage->addTab(advies, QStringLiteral("&Concernadvies"));
    dbgridRapport = Lijst(regels, "dbgridRapport", FRegels);
    dbgridAdvies = Lijst(advies, "dbgridAdvies", FAdvies);
}

TOrvDBSortGrid* TfrmRapportage::Lijst(QWidget* page, const char* name, TRapportBlad& blad) {
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(1, 1, 1, 1);
    auto* grid = new TOrvDBSortGrid(page);
    grid->setObjectName(QLatin1String(name));
    grid->SetDefaultRowHeight(21);
    grid->SetDataSource(new TDataSource(this, &blad));
    for (int veld : blad.GetoondeVelden()) {
        const TRapportKolom& k = blad.Kolom(veld);
        grid->Columns().Add(k.Titel, k.Veld, k.Breedte,
                            k.Soort == TKolomSoort::Bedrag ? QStringLiteral("#,##0.00")
                                                           : QString::fromLatin1(kDefaultForDataType));
    }
    layout->addWidget(grid);
    return grid;
}

void TfrmRapportage::Initialize(TOrvADOConnection* connection, bool exclusiefProforma) {
    WithPrefix(Prefix("Initialize"), [&] {
        TBaseDialog::Initialize();
        FConnection = connection;
        SetCheckboxCheckedWithoutOnClickEvent(chkExclusiefProforma, exclusiefProforma);
        Bereken();
    });
}

void TfrmRapportage::Bereken() {
    WithPrefix(Prefix("Bereken"), [&] {
        const TWaitCursor wait;
        FRapport = MaakRapportage(*FConnection, chkExclusiefProforma->isChecked());
        for (TOrvDBSortGrid* grid : {dbgridRapport, dbgridAdvies}) {
            grid->FetchAllRows();
            // The first time in name order; afterwards the order the user chose stays.
            if (grid->SortDirection() == sdNotSorted)
                grid->Sort(grid == dbgridRapport ? QStringLiteral("Naam") : QStringLiteral("Concern"), sdAscending);
            grid->SetCursorHome();
        }
    });
}

QString TfrmRapportage::KiesBestand(const QString& titel, const QString& filter, const QString& extensie) {
    QFileDialog sdRapport(this, titel);
    sdRapport.setObjectName(QStringLiteral("sdRapport"));
    sdRapport.setAcceptMode(QFileDialog::AcceptSave);
    sdRapport.setFileMode(QFileDialog::AnyFile);
    sdRapport.setNameFilter(filter);
    sdRapport.setDefaultSuffix(extensie);
    if (QFileInfo(FMap).isDir()) sdRapport.setDirectory(FMap);
    sdRapport.selectFile(QStringLiteral("Rapportage werkkostenregeling 2024.") + extensie);
    if (RunModal([&] { return sdRapport.exec(); }) != QDialog::Accepted || sdRapport.selectedFiles().isEmpty())
        return QString();
    const QString bestand = sdRapport.selectedFiles().first();
    FMap = QFileInfo(bestand).absolutePath();
    return bestand;
}

void TfrmRapportage::acPdfExecute() {
    WithPrefix(Prefix("acPdfExecute"), [&] {
        const QString bestand = KiesBestand(QStringLiteral("Rapportage opslaan als PDF"),
                                            QStringLiteral("PDF-bestand (*.pdf)"), QStringLiteral("pdf"));
        if (bestand.isEmpty()) return;
        {
            const TWaitCursor wait;
            WriteRapportPdf(FRapport, bestand, Clock::Now().date());
        }
        ZemloInfo(QStringLiteral("De rapportage is opgeslagen in %1.").arg(QDir::toNativeSeparators(bestand)));
    });
}

void TfrmRapportage::acExcelExecute() {
    WithPrefix(Prefix("acExcelExecute"), [&] {
        const QString bestand = KiesBestand(QStringLiteral("Rapportage opslaan als Excel-werkmap"),
                                            QStringLiteral("Excel-werkmap (*.xlsx)"), QStringLiteral("xlsx"));
        if (bestand.isEmpty()) return;
        {
            const TWaitCursor wait;
            WriteRapportXlsx(FRapport, bestand);
        }
        ZemloInfo(QStringLiteral("De rapportage is opgeslagen in %1.").arg(QDir::toNativeSeparators(bestand)));
    });
}
