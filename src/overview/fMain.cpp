#include "overview/fMain.h"

#include "controls/HelpViewer.h"
#include "controls/OrvComp.h"
#include "controls/OrvDBSortGrid.h"
#include "core/HelpFile.h"
#include "core/OrvMessages.h"
#include "core/ZemloMBox.h"
#include "core/dMain.h"
#include "core/uConst.h"
#include "core/uGlobals.h"
#include "core/uUtils.h"
#include "exchange/uQueltExport.h"
#include "exchange/uQueltImport.h"
#include "exchangeui/fQueltKoppeling.h"
#include "exchangeui/fZemloImport.h"
#include "exchangeui/uStartUitwisseling.h"
#include "maintenance/fFilWerkgevers.h"
#include "maintenance/fMutWerkgever.h"
#include "maintenance/fSelConcerns.h"
#include "maintenance/fSelKostencategorieen.h"
#include "overview/Logo.h"
#include "overview/fAbout.h"
#include "overview/fRapportage.h"
#include "platform/ProgramDirectory.h"
#include "platform/WaitCursor.h"
#include "support/OrvErrors.h"

#include <QtGui/QCloseEvent>
#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>
#include <QtWidgets/QApplication>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QStatusBar>
#include <QtWidgets/QVBoxLayout>

ORV_METHOD_PREFIXES(TfrmMain)

namespace {
QAction* Action(QWidget* owner, const char* name, const QString& caption) {
    auto* action = new QAction(caption, owner);
    action->setObjectName(QLatin1String(name));
    owner->addAction(action);
    return action;
}

// A key of SelSysColor is a colour only when it is digits whose value is below 2^32.
std::optional<quint32> StoredColor(const QString& text) {
    if (text.isEmpty() || text.size() > 10) return std::nullopt;
    for (const QChar c : text)
        if (c < u'0' || c > u'9') return std::nullopt;
    const qulonglong value = text.toULongLong();
    if (value > 0xFFFFFFFFull) return std::nullopt;
    return quint32(value);
}

void SetHighlight(const QColor& color) {
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Active, QPalette::Highlight, color);
    palette.setColor(QPalette::Inactive, QPalette::Highlight, color);
    QApplication::setPalette(palette);
}
}

void AddWerkgeverColumns(TOrvDBSortGrid& grid) {
    const QString amount = QStringLiteral("#,##0.00");
    grid.Columns().Add(QStringLiteral("Loonheffingennummer"), QStringLiteral("Loonheffingennummer"), 160);
    grid.Columns().Add(QStringLiteral("Werkgever"), QStringLiteral("Naam"), 344);
    grid.Columns().Add(QStringLiteral("Concern"), QStringLiteral("Concern"), 220);
    grid.Columns().Add(QStringLiteral("Vrije ruimte"), QStringLiteral("TotVrijeRuimte"), 140, amount);
    grid.Columns().Add(QStringLiteral("Kosten"), QStringLiteral("TotKosten"), 140, amount);
    grid.Columns().Add(QStringLiteral("Restant vrije ruimte"), QStringLiteral("TotRestVrijeRuimte"), 140, amount);
}

TfrmMain::TfrmMain(QWidget* owner) : TBaseForm(owner) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Pavenda 2024"));
    setWindowFlags(Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setMinimumSize(680, 380);
    resize(1180, 787);
    SetHelpContext(3);
    SluitZonderVraag = false;

    acWerkgeverWijzigen = Action(this, "acWerkgeverWijzigen", QStringLiteral("&Werkgever wijzigen"));
    acWerkgeverToevoegen = Action(this, "acWerkgeverToevoegen", QStringLiteral("&Werkgever toevoegen"));
    acWerkgeverVerwijderen = Action(this, "acWerkgeverVerwijderen", QStringLiteral("&Werkgever verwijderen"));
    acConcerns = Action(this, "acConcerns", QStringLiteral("&Concerns"));
    acKostencategorieen = Action(this, "acKostencategorieen", QStringLiteral("Kosten&categorieën"));
    acFilter = Action(this, "acFilter", QStringLiteral("&Filter selectie"));
    acFilterUit = Action(this, "acFilterUit", QStringLiteral("Filter &uitzetten"));
    acQueltKoppeling = Action(this, "acQueltKoppeling", QStringLiteral("&Quelt koppeling"));
    acExporteerKosten = Action(this, "acExporteerKosten", QStringLiteral("&Exporteer kosten"));
    acImporteerWerkgevers = Action(this, "acImporteerWerkgevers", QStringLiteral("Importeer &werkgevers"));
    acImporteerLoonsommen = Action(this, "acImporteerLoonsommen", QStringLiteral("Importeer &loonsommen"));
    acConversie = Action(this, "acConversie", QStringLiteral("Conversie"));
    acServiceInformatie = Action(this, "acServiceInformatie", QStringLiteral("Service &informatie"));
    acZemloHelp = Action(this, "acZemloHelp", QStringLiteral("Zemlo &help"));
    acAfsluiten = Action(this, "acAfsluiten", QStringLiteral("Af&sluiten"));
    // In this window F1 opens the help's first topic ("Zemlo help"), not the window's own topic.
    acHelp->setShortcut(QKeySequence());
    acZemloHelp->setShortcut(QKeySequence(Qt::Key_F1));
    acZemloHelp->setShortcutContext(Qt::WindowShortcut);

    connect(acWerkgeverWijzigen, &QAction::triggered, this, [this] { OpenWerkgeverWindow(1); });
    connect(acWerkgeverToevoegen, &QAction::triggered, this, [this] { OpenWerkgeverWindow(0); });
    connect(acWerkgeverVerwijderen, &QAction::triggered, this, [this] { OpenWerkgeverWindow(2); });
    ConnectGuarded(acFilter, &QAction::triggered, this, [this] { acFilterExecute(); });
    ConnectGuarded(acFilterUit, &QAction::triggered, this, [this] { acFilterUitExecute(); });
    ConnectGuarded(acServiceInformatie, &QAction::triggered, this,
                   QStringLiteral("Fout bij openen service informatie scherm: "),
                   [this] { acServiceInformatieExecute(); });
    ConnectGuarded(acConcerns, &QAction::triggered, this, QStringLiteral("Fout bij openen concerns scherm: "), [this] {
        TfrmSelConcerns concerns(this);
        concerns.Initialize();
        concerns.exec();
        // Renamed and deleted concerns show in the employer list.
        WerkgeversBijwerken();
    });
    ConnectGuarded(acKostencategorieen, &QAction::triggered, this,
                   QStringLiteral("Fout bij openen kostencategorieën scherm: "), [this] {
                       TfrmSelKostencategorieen kostencategorieen(this);
                       kostencategorieen.Initialize();
                       kostencategorieen.exec();
                   });
    ConnectGuarded(acZemloHelp, &QAction::triggered, this, [] { ShowHelpTopic(1); });
    connect(acAfsluiten, &QAction::triggered, this, &QWidget::close);
    // The payroll functions let their errors reach the default error handler, with the action's name in front.
    ConnectGuarded(acQueltKoppeling, &QAction::triggered, this, [this] { acQueltKoppelingExecute(); });
    ConnectGuarded(acImporteerWerkgevers, &QAction::triggered, this, [this] { acImporteerWerkgeversExecute(); });
    ConnectGuarded(acImporteerLoonsommen, &QAction::triggered, this, [this] { acImporteerLoonsommenExecute(); });
    ConnectGuarded(acExporteerKosten, &QAction::triggered, this, [this] { acExporteerKostenExecute(); });
    ConnectGuarded(acConversie, &QAction::triggered, this, QStringLiteral("Fout bij openen conversie scherm: "),
                   [this] {
                       OpenZemloConversie();
                       WerkgeversBijwerken();
                   });
    // The report starts with the provisional amounts as the list shows them.
    acRapportage = Action(this, "acRapportage", QStringLiteral("&Rapportage"));
    ConnectGuarded(
        acRapportage, &QAction::triggered, this, QStringLiteral("Fout bij openen rapportage scherm: "), [this] {
            const QString exclusief = QStringLiteral("ExclusiefProforma");
            TfrmRapportage rapportage(this);
            rapportage.Initialize(FdmMain->ADOConnectionZemlo, FFilter.FilterFieldHasValue(exclusief) &&
                                                                   FFilter.FilterFieldByName(exclusief).AsBoolean());
            rapportage.exec();
        });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    BuildMenus();
    BuildControlBar();
    layout->addWidget(pnlControlBar);

    auto* gridPanel = new QFrame(this);
    gridPanel->setObjectName(QStringLiteral("pnlGrid"));
    gridPanel->setFrameShape(QFrame::StyledPanel);
    auto* gridLayout = new QVBoxLayout(gridPanel);
    gridLayout->setContentsMargins(1, 1, 1, 1);
    dbgridWG = new TOrvDBSortGrid(gridPanel);
    dbgridWG->setObjectName(QStringLiteral("dbgridWG"));
    dbgridWG->SetDefaultRowHeight(21);
    gridLayout->addWidget(dbgridWG);
    layout->addWidget(gridPanel, 1);
    dsWerkgevers = new TDataSource(this);
    dsWerkgevers->setObjectName(QStringLiteral("dsWerkgevers"));
    dbgridWG->SetDataSource(dsWerkgevers);
    dbgridWG->OnDoubleClick = [this](TOrvDBSortGrid*) { OpenWerkgeverWindow(1); };
    dbgridWG->OnKeyDown = [this](TOrvDBSortGrid*, int& key, Qt::KeyboardModifiers) { GridKeyDown(key); };

    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);
    layout->addWidget(StatusBar);
}

TfrmMain::~TfrmMain() {
    if (dmMain == FdmMain.get()) dmMain = nullptr;
}

void TfrmMain::BuildMenus() {
    auto* menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("MainMenu"));
    layout()->setMenuBar(menuBar);
    // Separators that would stand first, last or next to another are not shown (collapsible separators).
    QMenu* beheer = menuBar->addMenu(QStringLiteral("&Beheer"));
    beheer->setObjectName(QStringLiteral("mnBeheer"));
    beheer->addAction(acConcerns);
    beheer->addAction(acKostencategorieen);
    beheer->addSeparator();
    beheer->addAction(acWerkgeverWijzigen);
    beheer->addAction(acWerkgeverToevoegen);
    beheer->addAction(acWerkgeverVerwijderen);
    beheer->addSeparator();
    beheer->addAction(acAfsluiten);
    QMenu* functies = menuBar->addMenu(QStringLiteral("&Functies"));
    functies->setObjectName(QStringLiteral("mnFuncties"));
    functies->addAction(acQueltKoppeling);
    functies->addSeparator();
    functies->addAction(acExporteerKosten);
    functies->addSeparator();
    functies->addAction(acImporteerWerkgevers);
    functies->addAction(acImporteerLoonsommen);
    functies->addSeparator();
    functies->addAction(acConversie);
    functies->addSeparator();
    functies->addAction(acRapportage);
    QMenu* help = menuBar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnHelp"));
    help->addAction(acZemloHelp);
    help->addSeparator();
    help->addAction(acServiceInformatie);
    for (QMenu* menu : {beheer, functies, help}) menu->setSeparatorsCollapsible(true);
}

void TfrmMain::BuildControlBar() {
    pnlControlBar = new QFrame(this);
    pnlControlBar->setObjectName(QStringLiteral("pnlControlBar"));
    pnlControlBar->setFixedHeight(92);
    pnlControlBar->setMinimumHeight(65);
    pnlControlBar->setAutoFillBackground(true);
    QPalette white = pnlControlBar->palette();
    white.setColor(QPalette::Window, Qt::white);
    pnlControlBar->setPalette(white);
    auto* bar = new QHBoxLayout(pnlControlBar);
    bar->setContentsMargins(12, 6, 8, 4);

    imLogo = new QLabel(pnlControlBar);
    imLogo->setObjectName(QStringLiteral("imLogo"));
    imLogo->setPixmap(PavendaLogo(QSize(300, 64)));
    bar->addWidget(imLogo, 0, Qt::AlignVCenter);
    bar->addStretch(1);

    auto* buttons = new QWidget(pnlControlBar);
    buttons->setObjectName(QStringLiteral("pnlButtons"));
    buttons->setFixedWidth(485);
    auto* column = new QVBoxLayout(buttons);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    auto* row = new QHBoxLayout();
    row->setSpacing(5);
    const auto button = [&](const char* name, const QString& caption) {
        auto* b = new TOrvButton(buttons);
        b->setObjectName(QLatin1String(name));
        b->SetCaption(caption);
        b->setFixedSize(116, 54);
        StyleAsPictureButton(b);
        row->addWidget(b);
        return b;
    };
    btnWerkgever = button("btnWerkgever", QStringLiteral("&Werkgever"));
    btnFilter = button("btnFilter", QStringLiteral("&Filter selectie"));
    btnFilterUit = button("btnFilterUit", QStringLiteral("Filter &uitzetten"));
    btnAfsluiten = button("btnAfsluiten", QStringLiteral("&Afsluiten"));
    column->addLayout(row);
    lblFiltered = new QLabel(buttons);
    lblFiltered->setObjectName(QStringLiteral("lblFiltered"));
    lblFiltered->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    column->addWidget(lblFiltered);
    bar->addWidget(buttons, 0, Qt::AlignVCenter);

    BindButtonToAction(btnWerkgever, acWerkgeverWijzigen);
    BindButtonToAction(btnFilter, acFilter);
    BindButtonToAction(btnFilterUit, acFilterUit);
    BindButtonToAction(btnAfsluiten, acAfsluiten);
}

void TfrmMain::showEvent(QShowEvent* event) {
    TBaseForm::showEvent(event);
    if (FCentred) return;
    FCentred = true;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    // The clerk starts in the list: typing searches it, Enter and Insert open the employer window.
    dbgridWG->SetFocus();
}

void TfrmMain::Initialize() {
    // Whatever goes wrong during start-up, of whatever kind, ends the program with the one message.
    const auto failed = [this](const QString& message) {
        ShowError(QStringLiteral("Initialisatie"),
                  QStringLiteral("De volgende fout is opgetreden tijdens initialisatie. Het programma wordt "
                                 "beëindigd: \r\r") +
                      message);
        close();
    };
    try {
        TBaseForm::Initialize();
        SetApplicationHelpFile(PlaceHelpFile(ProgramDirectory(), GetWindowsTempDirectory()));
        MessageTeksten.Application = QStringLiteral("Pavenda");
        FdmMain = std::make_unique<TdmMain>();
        dmMain = FdmMain.get();
        dsWerkgevers->SetDataSet(FdmMain->qryWerkgevers);
        if (!FdmMain->ConnectToZemloDatabase(*FdmMain->ADOConnectionZemlo, QLatin1String(kScrambledPassword),
                                             QString())) {
            close();
            return;
        }
        ApplySelectionColor();
        SetupWerkgeversGrid();
        QueltImportsBijStart();
        ConversieBijStart();
        EnableDisable();
    } catch (const std::exception& e) {
        failed(QString::fromUtf8(e.what()));
    } catch (...) {
        failed(QStringLiteral("Onbekende fout."));
    }
}

// Within the program selected rows and cells use the program's colour; the user's own colour is kept under
// SelSysColor so it is put back on exit.
void TfrmMain::ApplySelectionColor() {
    const QColor current = QApplication::palette().color(QPalette::Active, QPalette::Highlight);
    if (current != kSelectionColor)
        SetDBParamValue(FdmMain->ADOConnectionZemlo, QStringLiteral("SelSysColor"),
                        QString::number(current.rgb() & 0xFFFFFF));
    SetHighlight(kSelectionColor);
}

void TfrmMain::RestoreSelectionColor() {
    if (!FdmMain || !FdmMain->ADOConnectionZemlo->Connected()) return;
    const auto stored = StoredColor(GetDBParamValue(FdmMain->ADOConnectionZemlo, QStringLiteral("SelSysColor")));
    if (stored) SetHighlight(QColor::fromRgb(*stored & 0xFFFFFF));
}

void TfrmMain::SetupWerkgeversGrid() {
    WithPrefix(Prefix("SetupWerkgeversGrid"), [&] {
        FdmMain->OpenWerkgevers(FFilter);
        dsWerkgevers->SetDataSet(FdmMain->qryWerkgevers);
        if (dbgridWG->Columns().Count() == 0) AddWerkgeverColumns(*dbgridWG);
        dbgridWG->FetchAllRows();
        // A fetch keeps the list's sort order; only another order needs a second sort.
        if (dbgridWG->SortFieldName().compare(QLatin1String("Naam"), Qt::CaseInsensitive) != 0 ||
            dbgridWG->SortDirection() != sdAscending)
            dbgridWG->Sort(QStringLiteral("Naam"), sdAscending);
        dbgridWG->SetCursorHome();
    });
}

void TfrmMain::WerkgeversBijwerken() {
    WithPrefix(Prefix("WerkgeversBijwerken"), [&] {
        TWaitCursor wait;
        FdmMain->qryWerkgevers->Close();
        FdmMain->qryWerkgevers->Open();
        dbgridWG->Refresh();
        EnableDisable();
    });
}

void TfrmMain::EnableDisable() {
    WithPrefix(Prefix("EnableDisable"), [&] {
        const bool rows = !dbgridWG->IsEmpty();
        acWerkgeverWijzigen->setEnabled(rows);
        acWerkgeverVerwijderen->setEnabled(rows);
        acWerkgeverToevoegen->setEnabled(true);
        for (QAction* payroll : {acQueltKoppeling, acExporteerKosten, acImporteerWerkgevers, acImporteerLoonsommen})
            payroll->setVisible(QueltStart);
        UpdateFiltered();
    });
}

void TfrmMain::UpdateFiltered() {
    WithPrefix(Prefix("UpdateFiltered"),
               [&] { lblFiltered->setText(FFilter.Count() > 0 ? QStringLiteral("(Filter actief) ") : QString()); });
}

void TfrmMain::OpenWerkgeverWindow(int mode) {
    GuardUiAction(QStringLiteral("Fout bij openen het Werkgever-mutatiescherm"), [&] {
        TWaitCursor wait;
        qint64 key = -1;
        if (mode != 0) {
            // Without a current row there is no employer to open.
            if (dbgridWG->IsEmpty() || dbgridWG->Row() < 1) return;
            const TDataSet& rows = *dbgridWG->DataSet();
            key = rows.Value(dbgridWG->Row() - 1, rows.FieldIndexOrRaise(QStringLiteral("WerkgeverId"))).toLongLong();
        }
        ExecWerkgeverWindow(mode, key);
        SetupWerkgeversGrid();
        dbgridWG->FindKey(QStringLiteral("WerkgeverId"), key);
        dbgridWG->ClearIncrementalSearch();
        EnableDisable();
    });
}

void TfrmMain::ExecWerkgeverWindow(int mode, qint64& key) {
    TfrmMutWerkgever window(this);
    window.Initialize(mode == 0 ? mdInsert : mode == 1 ? mdEdit : mdDelete, int(key));
    window.exec();
    key = window.KeyWaarde();
}

void TfrmMain::acFilterExecute() {
    TfrmFilWerkgevers filter(this, &FFilter);
    filter.Initialize();
    if (filter.exec() == mrOK) {
        // OK with nothing chosen switches the filter off.
        if (filter.Filtered())
            SetupWerkgeversGrid();
        else
            acFilterUitExecute();
    }
    EnableDisable();
}

// In payroll mode with a link: a first start takes the payroll's employers, and every start with employers
// their wage sums, each after its own question.
void TfrmMain::QueltImportsBijStart() {
    if (!QueltStart || GetQueltKoppeling(FdmMain->ADOConnectionZemlo).isEmpty()) return;
    if (dbgridWG->IsEmpty()) {
        TWerkgeversImport werkgevers(*FdmMain);
        StartQueltUitwisseling(werkgevers);
        WerkgeversBijwerken();
    }
    if (!dbgridWG->IsEmpty()) {
        TLoonsommenImport loonsommen(*FdmMain);
        StartQueltUitwisseling(loonsommen);
        WerkgeversBijwerken();
    }
}

// A database prepared for the new year carries the marker: the conversion is offered once, whatever the
// answer. The marker goes before the window opens, so an error in the window does not bring the question back.
void TfrmMain::ConversieBijStart() {
    WithPrefix(Prefix("ConversieBijStart"), [&] {
        TOrvADOConnection* zemlo = FdmMain->ADOConnectionZemlo;
        if (GetDBParamValue(zemlo, QLatin1String(kParamZemloConversie)) != QLatin1String("Y")) return;
        const int antwoord =
            ZemloQuestion(QStringLiteral("Wilt u de door u toegevoegde of aangepaste concerns, "
                                         "werkgevers en kostencategorieën vanuit Zemlo2023 overnemen?"),
                          false);
        DeleteDBParam(zemlo, QLatin1String(kParamZemloConversie));
        if (antwoord != mrYes) return;
        OpenZemloConversie();
        WerkgeversBijwerken();
    });
}

void TfrmMain::OpenZemloConversie() {
    WithPrefix(Prefix("OpenZemloConversie"), [&] {
        TfrmZemloImport conversie(this);
        conversie.SetDataModule(FdmMain.get());
        conversie.Initialize();
        conversie.exec();
    });
}

void TfrmMain::OpenQueltKoppeling() {
    WithPrefix(Prefix("OpenQueltKoppeling"), [&] {
        TfrmQueltKoppeling koppeling(this);
        koppeling.SetADOConnection(FdmMain->ADOConnectionZemlo);
        koppeling.Initialize();
        koppeling.exec();
    });
}

void TfrmMain::acQueltKoppelingExecute() {
    WithPrefix(Prefix("acQueltKoppelingExecute"), [&] {
        OpenQueltKoppeling();
        WerkgeversBijwerken();
    });
}

void TfrmMain::acImporteerWerkgeversExecute() {
    WithPrefix(Prefix("acImporteerWerkgeversExecute"), [&] {
        TWerkgeversImport werkgevers(*FdmMain);
        StartQueltUitwisseling(werkgevers);
        WerkgeversBijwerken();
    });
}

void TfrmMain::acImporteerLoonsommenExecute() {
    WithPrefix(Prefix("acImporteerLoonsommenExecute"), [&] {
        TLoonsommenImport loonsommen(*FdmMain);
        StartQueltUitwisseling(loonsommen);
        WerkgeversBijwerken();
    });
}

void TfrmMain::acExporteerKostenExecute() {
    WithPrefix(Prefix("acExporteerKostenExecute"), [&] {
        TKostenExport kosten(*FdmMain);
        StartQueltUitwisseling(kosten);
        WerkgeversBijwerken();
    });
}

void TfrmMain::acFilterUitExecute() {
    FFilter.Clear();
    SetupWerkgeversGrid();
    EnableDisable();
}

void TfrmMain::acServiceInformatieExecute() {
    TfrmAbout about(this);
    about.Initialize(FdmMain ? FdmMain->ADOConnectionZemlo : nullptr);
    about.exec();
}

void TfrmMain::GridKeyDown(int& key) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        OpenWerkgeverWindow(1);
        break;
    case Qt::Key_Insert:
        OpenWerkgeverWindow(0);
        break;
    case Qt::Key_Delete:
        OpenWerkgeverWindow(2);
        break;
    case Qt::Key_F5:
        WerkgeversBijwerken();
        break;
    default:
        return;
    }
    key = 0;
}

void TfrmMain::reject() { close(); }

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (!SluitZonderVraag &&
        AskQuestion(QStringLiteral("Afsluiten"), QStringLiteral("Weet u zeker dat u het programma wilt verlaten?"),
                    false) != mrYes) {
        event->ignore();
        return;
    }
    GuardUiAction([&] { RestoreSelectionColor(); });
    FClosed = true;
    event->accept();
}
