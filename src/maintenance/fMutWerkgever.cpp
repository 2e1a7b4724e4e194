#include "maintenance/fMutWerkgever.h"

#include "binding/ADOOutSet.h"
#include "binding/OrvQuery.h"
#include "controls/OrvComp.h"
#include "core/OrvMessages.h"
#include "core/dBeheer.h"
#include "core/dMain.h"
#include "core/uUtils.h"
#include "dbcontrols/DbcompCombos.h"
#include "dbcontrols/DbcompEdits.h"
#include "dbcontrols/OrvDataGroup.h"
#include "maintenance/fChildSelKosten.h"
#include "maintenance/fChildSelLoonsommen.h"
#include "platform/Clock.h"
#include "platform/WaitCursor.h"
#include "support/OrvErrors.h"

#include <QtGui/QFocusEvent>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QVBoxLayout>

ORV_METHOD_PREFIXES(TfrmMutWerkgever)

namespace {
constexpr int kTopHeight = 185;
}  // namespace

TfrmMutWerkgever::TfrmMutWerkgever(QWidget* owner)
    : TBaseOnderhoud(owner), dgZemloInfo(new TOrvDataGroup(this)), dsConcern(new TDataSource(this)),
      FdmBeheer(new TdmBeheer(this)) {
    WithPrefix(Prefix("Create"), [&] {
        setObjectName(QStringLiteral("frmMutWerkgever"));
        SetHelpContext(4);
        resize(1115, 722);
        setSizeGripEnabled(true);
        osOnderhoud->SetDataReference(QStringLiteral("Werkgevers"));
        dgZemloInfo->setObjectName(QStringLiteral("dgZemloInfo"));
        dsConcern->setObjectName(QStringLiteral("dsConcern"));
        qryZemloInfo = new TOrvQuery(this, FdmBeheer->Connection());
        qryZemloInfo->setObjectName(QStringLiteral("qryZemloInfo"));
        auto* body = new QVBoxLayout(pnlBody);
        body->setContentsMargins(0, 0, 0, 0);
        pnlTop = NewPanel(pnlBody, "pnlTop");
        pnlTop->setFixedHeight(kTopHeight);
        pnlBottom = NewPanel(pnlBody, "pnlBottom");
        body->addWidget(pnlTop);
        body->addWidget(pnlBottom, 1);
        BuildTop();

        PageControl1 = new QTabWidget(pnlBottom);
        PageControl1->setObjectName(QStringLiteral("PageControl1"));
        tsKosten = new QWidget(PageControl1);
        tsKosten->setObjectName(QStringLiteral("tsKosten"));
        tsLoonsommen = new QWidget(PageControl1);
        tsLoonsommen->setObjectName(QStringLiteral("tsLoonsommen"));
        PageControl1->addTab(tsKosten, QStringLiteral("&Kosten"));
        PageControl1->addTab(tsLoonsommen, QStringLiteral("&Loonsommen"));
        (new QVBoxLayout(pnlBottom))->addWidget(PageControl1);
        frmChildSelKosten =
            qobject_cast<TfrmChildSelKosten*>(CreateChildForm(&TfrmChildSelKosten::staticMetaObject, tsKosten));
        frmChildSelLoonsommen = qobject_cast<TfrmChildSelLoonsommen*>(
            CreateChildForm(&TfrmChildSelLoonsommen::staticMetaObject, tsLoonsommen));
        frmChildSelKosten->SetForceRefresh(true);
        frmChildSelLoonsommen->SetForceRefresh(true);
        ConnectGuarded(PageControl1, &QTabWidget::currentChanged, this, [this] { PageControl1Change(); });
        dgOnderhoud->OnCrossValidate = [this](QObject*, bool& dataValid) { dgOnderhoudCrossValidate(dataValid); };
    });
}

void TfrmMutWerkgever::BuildTop() {
    auto* fields = NewPanel(pnlTop, "pnlFields");
    auto* fieldRows = new QVBoxLayout(fields);
    fieldRows->setAlignment(Qt::AlignTop);
    edLHNummer = AddBoundControl<TOrvDBEdit>("edLHNummer", "Loonheffingennummer", "Loonheffingennr.:", fields);
    edNaam = AddBoundControl<TOrvDBEdit>("edNaam", "Naam", "Naam:", fields);
    cmbBerichtTijdvak =
        AddBoundControl<TOrvDBComboboxEx>("cmbBerichtTijdvak", "AangifteTijdvak", "Tijdvak aangifte:", fields);
    cmbBerichtTijdvak->AssignItems({QStringLiteral("1=Maand"), QStringLiteral("2=4-weken")});
    cmbBerichtTijdvak->ComboBox()->setMaxVisibleItems(8);
    edConcern = AddBoundControl<TOrvDBLookupCombo>("edConcern", "ConcernId", "Concern:", fields);
    edConcern->SetLookupSource(dsConcern);
    edConcern->SetLookupKeyField(QStringLiteral("ConcernId"));
    edConcern->SetLookupDisplayField(QStringLiteral("Naam"));
    edConcern->SetAddBlank(true);
    edConcern->ComboBox()->setMaxVisibleItems(16);
    const int left = AlignCaptions({edLHNummer, edNaam, cmbBerichtTijdvak, edConcern});
    fields->setFixedWidth(left + 330);
    edLHNummer->Edit()->installEventFilter(this);
    edLHNummer->OnValidate = [this](QObject*, bool& dataValid) { edLHNummerValidate(dataValid); };
    edNaam->OnValidate = [this](QObject*, bool& dataValid) { edNaamValidate(dataValid); };
    ConnectGuarded(edConcern, &TOrvDBComponent::DataChange, this, [this] { edConcernDataChange(); });

    gbZemloInfo = new QGroupBox(QStringLiteral("Zemlo-totalen"), pnlTop);
    gbZemloInfo->setObjectName(QStringLiteral("gbZemloInfo"));
    BuildTotals();
    auto* top = new QHBoxLayout(pnlTop);
    top->setContentsMargins(0, 0, 0, 0);
    top->addWidget(fields);
    top->addWidget(gbZemloInfo);
    top->addStretch(1);
}

void TfrmMutWerkgever::BuildTotals() {
    auto* grid = new QGridLayout(gbZemloInfo);
    const auto total = [&](const char* name, const char* caption, const char* field, int row, int column) {
        auto* edit = new TOrvDBNumericEdit(gbZemloInfo);
        edit->setObjectName(QLatin1String(name));
        edit->SetLabelCaption(QString::fromUtf8(caption));
        edit->SetSQLInputField(QLatin1String(field));
        if (*field) edit->SetDataGroup(dgZemloInfo);
        edit->ShowAsAmount();
        edit->SetEnabled(false);
        edit->SetWinControlLeft(column == 0 ? 140 : 10);
        edit->setFixedWidth(column == 0 ? 270 : 140);
        grid->addWidget(edit, row, column);
        return edit;
    };
    lblConcern = new QLabel(QStringLiteral("Concern"), gbZemloInfo);
    lblConcern->setObjectName(QStringLiteral("lblConcern"));
    grid->addWidget(lblConcern, 0, 1);
    edLoonsom = total("edLoonsom", "Loonsom:", "totloonsom", 1, 0);
    edVrijeRuimte = total("edVrijeRuimte", "Vrije ruimte:", "totvrijeruimte", 2, 0);
    edKosten = total("edKosten", "Kosten:", "totkosten", 3, 0);
    edRestantVrijeRuimte = total("edRestantVrijeRuimte", "Restant vrije ruimte:", "", 4, 0);
    edConcernLoonsom = total("edConcernLoonsom", "   ", "totConcernloonsom", 1, 1);
    edConcernVrijeRuimte = total("edConcernVrijeRuimte", "   ", "totConcernvrijeruimte", 2, 1);
    edConcernKosten = total("edConcernKosten", "   ", "TotConcernkosten", 3, 1);
    edConcernRestantVrijeRuimte = total("edConcernRestantVrijeRuimte", "   ", "TotConcernRestVrijeRuimte", 4, 1);
}

void TfrmMutWerkgever::Initialize(TMode AMode, int AId) {
    WithPrefix(ClassName() + QStringLiteral(".Initialize: "), [&] {
        StartInitialize(AMode, AId, QStringLiteral("WerkgeverId"), QStringLiteral("werkgever"));
        const TWaitCursor wait;
        FdmBeheer->OpenConcerns();
        dsConcern->SetDataSet(FdmBeheer->qrySelConcerns);
        edConcern->FillCombo();
        osOnderhoud->SetConnection(FdmBeheer->Connection());
        dgZemloInfo->SetInputSet(qryZemloInfo);
        // Adding reads no record; the query with key -1 gives the group its columns and no row.
        FdmBeheer->GetMutWerkgever(AMode == mdInsert ? -1 : AId);
        LoadRecord(FdmBeheer->qryMutWerkgever);
        FFilter.Clear();
        if (AMode != mdInsert) {
            FLHNummer = edLHNummer->AsText();
            FFilter.SetFilterField(QStringLiteral("WerkgeverId"), AId, TFieldType::ftInteger);
        }
        RefreshZemloInfo();
        EnableDisable();
        bool known = false;
        const int tijdvak = cmbBerichtTijdvak->Value().toInt(&known);
        frmChildSelKosten->Initialize(FKeyWaarde, known ? tijdvak : -1);
        frmChildSelLoonsommen->Initialize(FKeyWaarde, known ? tijdvak : -1);
    });
}

void TfrmMutWerkgever::EnableDisable() {
    TBaseOnderhoud::EnableDisable();
    WithPrefix(Prefix("EnableDisable"), [&] {
        const bool concern = !edConcern->IsNull();
        lblConcern->setVisible(concern);
        for (TOrvDBNumericEdit* edit :
             {edConcernLoonsom, edConcernVrijeRuimte, edConcernKosten, edConcernRestantVrijeRuimte})
            edit->setVisible(concern);
    });
}

void TfrmMutWerkgever::SetExtraFields() {
    WithPrefix(Prefix("SetExtraFields"), [&] {
        const QDateTime nu = Clock::Now();
        if (FMode == mdInsert) osOnderhoud->FieldByName(QStringLiteral("AanmaakDatum")).SetAsDateTime(nu);
        osOnderhoud->FieldByName(QStringLiteral("WijzigDatum")).SetAsDateTime(nu);
    });
}

void TfrmMutWerkgever::RefreshZemloInfo() {
    WithPrefix(Prefix("RefreshZemloInfo"), [&] {
        // An employer that is not stored yet has no totals: the overview without a key would show another's.
        if (!FFilter.FilterFieldHasValue(QStringLiteral("WerkgeverId"))) {
            dgZemloInfo->ClearFields();
            edRestantVrijeRuimte->Clear();
            return;
        }
        qryZemloInfo->Close();
        qryZemloInfo->SetSQL(BuildWerkgeversSQL(FFilter));
        qryZemloInfo->Open();
        dgZemloInfo->GetFields();
        TDBValue rest;
        rest.SetAsFloat(edVrijeRuimte->Value() - edKosten->Value());
        edRestantVrijeRuimte->ForceDBValue(rest);
    });
}

void TfrmMutWerkgever::ReInit() {
    WithPrefix(Prefix("ReInit"), [&] {
        if (FKeyWaarde == -1)
            FKeyWaarde = int(GetLaatsteKeyWaarde(FdmBeheer->Connection(), QStringLiteral("Werkgevers")));
        Initialize(mdEdit, FKeyWaarde);
    });
}

void TfrmMutWerkgever::edLHNummerExit() {
    const QString nummer = edLHNummer->AsText();
    if (nummer.contains(u'L')) return;
    QString withLetter = nummer;
    withLetter.insert(std::max(0, int(nummer.size()) - 2), u'L');
    edLHNummer->Edit()->setText(withLetter);
}

void TfrmMutWerkgever::edLHNummerValidate(bool& dataValid) {
    WithPrefix(Prefix("edLHNummerValidate"), [&] {
        const QString nummer = edLHNummer->AsText();
        if (nummer != FLHNummer && !IsValidLHNummer(nummer)) {
            dataValid = false;
            ShowWarning(QStringLiteral("Het loonheffingennummer is ongeldig."));
            if (edLHNummer->isEnabled()) edLHNummer->SetFocus();
        }
        if (CheckValueExists(FdmBeheer->Connection(), QStringLiteral("werkgevers"),
                             QStringLiteral("loonheffingennummer"), QString(), FKeyWaarde,
                             QStringLiteral("werkgeverid"), nummer)) {
            ShowWarning(QStringLiteral("Het door u gekozen loonheffingenummer bestaat reeds."));
            edLHNummer->SetFocus();
            dataValid = false;
        }
    });
}

void TfrmMutWerkgever::edNaamValidate(bool& dataValid) {
    WithPrefix(Prefix("edNaamValidate"), [&] {
        if (!CheckValueExists(FdmBeheer->Connection(), QStringLiteral("werkgevers"), QStringLiteral("naam"), QString(),
                              FKeyWaarde, QStringLiteral("werkgeverid"), edNaam->AsText()))
            return;
        ShowWarning(QStringLiteral("De door u gekozen naam bestaat reeds."));
        edNaam->SetFocus();
        dataValid = false;
    });
}

void TfrmMutWerkgever::dgOnderhoudCrossValidate(bool& dataValid) {
    WithPrefix(Prefix("ValidateAll") + Prefix("dgOnderhoudCrossValidate"), [&] {
        if (FMode != mdDelete) return;
        const auto inUse = [&](const char* table) {
            return CheckValueExists(FdmBeheer->Connection(), QLatin1String(table), QStringLiteral("werkgeverid"),
                                    QString(), -1, QString(), qint64(FKeyWaarde));
        };
        if (!inUse("kosten") && !inUse("loonsommen")) return;
        ShowWarning(QStringLiteral("Deze werkgever is al in gebruik."));
        dataValid = false;
    });
}

void TfrmMutWerkgever::edConcernDataChange() {
    WithPrefix(Prefix("edConcernDataChange"), [&] {
        SetFormDataChanged(true);
        InsertOfUpdateAlsNodig();
        EnableDisable();
        RefreshZemloInfo();
    });
}

void TfrmMutWerkgever::PageControl1Change() {
    WithPrefix(Prefix("PageControl1Change"), [&] {
        if (PageControl1->currentWidget() == tsKosten)
            frmChildSelKosten->Refresh();
        else
            frmChildSelLoonsommen->Refresh();
    });
}

void TfrmMutWerkgever::showEvent(QShowEvent* event) {
    TBaseOnderhoud::showEvent(event);
    if (!event->spontaneous()) GuardUiAction([&] { PageControl1Change(); });
}

bool TfrmMutWerkgever::eventFilter(QObject* watched, QEvent* event) {
    if (edLHNummer && watched == edLHNummer->Edit() && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            GuardUiAction([&] { edLHNummerExit(); });
    }
    return TBaseOnderhoud::eventFilter(watched, event);
}
