#include "maintenance/fMutKosten.h"

#include "binding/ADOOutSet.h"
#include "binding/OrvADOConnection.h"
#include "binding/OrvQuery.h"
#include "controls/OrvComp.h"
#include "controls/OrvDBSortGrid.h"
#include "core/OrvMessages.h"
#include "core/dBeheer.h"
#include "core/uConst.h"
#include "core/uUtils.h"
#include "dbcontrols/DbcompCombos.h"
#include "dbcontrols/DbcompEdits.h"
#include "dbcontrols/DbcompPickList.h"
#include "dbcontrols/OrvDataGroup.h"
#include "dbcontrols/fPickList.h"
#include "platform/Clock.h"
#include "platform/WaitCursor.h"
#include "support/OrvClientDataSet.h"
#include "support/OrvErrors.h"

#include <QtWidgets/QComboBox>
#include <QtWidgets/QVBoxLayout>

ORV_METHOD_PREFIXES(TfrmMutKosten)

TfrmMutKosten::TfrmMutKosten(QWidget* owner)
    : TBaseOnderhoud(owner), dsCategorieen(new TDataSource(this)), dsKostenTypen(new TDataSource(this)),
      FdmBeheer(new TdmBeheer(this)), FcdsCategorieen(new TOrvClientDataSet(this)) {
    WithPrefix(Prefix("Create"), [&] {
        setObjectName(QStringLiteral("frmMutKosten"));
        SetHelpContext(18);
        resize(598, 267 + 51);
        osOnderhoud->SetDataReference(QStringLiteral("Kosten"));
        dsCategorieen->setObjectName(QStringLiteral("dsCategorieen"));
        dsKostenTypen->setObjectName(QStringLiteral("dsKostenTypen"));
        auto* body = new QVBoxLayout(pnlBody);
        body->setAlignment(Qt::AlignTop);
        plKostenCategorie =
            AddBoundControl<TOrvDBPickList>("plKostenCategorie", "KostencategorieId", "Kostencategorie:");
        plKostenCategorie->SetKeyField(QStringLiteral("KostencategorieId"));
        plKostenCategorie->SetDisplayField(QStringLiteral("Omschrijving"));
        plKostenCategorie->SetSearchField(QStringLiteral("Omschrijving"));
        TPicklistOptions& options = plKostenCategorie->PickListOptions();
        options.Caption = QStringLiteral("Kostencategorieën");
        options.Height = 600;
        options.DataSource = dsCategorieen;
        // A cost entry without a category would count in the totals but never show in the list.
        plKostenCategorie->SetAutoFetchOptions(afoMaxLength);
        plKostenCategorie->SetRequired(true);
        plKostenCategorie->BeforeShowPickList = [this](TOrvDBPickList*, TfrmPickList* pickList) {
            plKostenCategorieBeforeShowPickList(pickList);
        };
        ConnectGuarded(plKostenCategorie, &TOrvDBComponent::DataChange, this,
                       [this] { plKostenCategorieDataChange(); });
        cmbPeriode = AddBoundControl<TOrvDBComboboxEx>("cmbPeriode", "Periode", "Periode:");
        cmbPeriode->ComboBox()->setMaxVisibleItems(8);
        chkProforma = AddBoundControl<TOrvDBCheckbox>("chkProforma", "Proforma", "Proforma:");
        cmbKostenType = AddBoundControl<TOrvDBLookupCombo>("cmbKostenType", "KostenTypeId", "Kostentype:");
        cmbKostenType->SetLookupSource(dsKostenTypen);
        cmbKostenType->SetLookupKeyField(QStringLiteral("KostenTypeId"));
        cmbKostenType->SetLookupDisplayField(QStringLiteral("Omschrijving"));
        cmbKostenType->ComboBox()->setMaxVisibleItems(8);
        edBedrag = AddBoundControl<TOrvDBNumericEdit>("edBedrag", "Bedrag", "Bedrag:");
        edBedrag->ShowAsAmount();
        const int left = AlignCaptions({plKostenCategorie, cmbPeriode, chkProforma, cmbKostenType, edBedrag});
        plKostenCategorie->setMinimumWidth(left + 330);
        dgOnderhoud->OnCrossValidate = [this](QObject*, bool& dataValid) { dgOnderhoudCrossValidate(dataValid); };
        InitCdsCategorieen();
    });
}

void TfrmMutKosten::InitCdsCategorieen() {
    WithPrefix(Prefix("InitCdsCategorieen"), [&] {
        FcdsCategorieen->Close();
        FcdsCategorieen->ClearFields();
        FcdsCategorieen->AddFieldDef(QStringLiteral("KostenCategorieId"), TFieldType::ftInteger, 0, true);
        FcdsCategorieen->AddFieldDef(QStringLiteral("Omschrijving"), TFieldType::ftString, 50, true);
        FcdsCategorieen->AddFieldDef(QStringLiteral("Opmerkingen"), TFieldType::ftString, 500);
        FcdsCategorieen->CreateDataSet();
    });
}

void TfrmMutKosten::Initialize(TMode AMode, int AId, qint64 AWerkgeverId, int AAangifteTijdvak) {
    WithPrefix(ClassName() + QStringLiteral(".Initialize: "), [&] {
        StartInitialize(AMode, AId, QStringLiteral("KostenId"), QStringLiteral("kosten"));
        const TWaitCursor wait;
        FWerkgeverId = AWerkgeverId;
        FAangifteTijdvak = AAangifteTijdvak;
        FdmBeheer->OpenKostencategorieen();
        FcdsCategorieen->CopyFrom(*FdmBeheer->qrySelKostencategorieen);
        dsCategorieen->SetDataSet(FcdsCategorieen);
        QStringList perioden;
        PopulatePeriode(perioden, AAangifteTijdvak, AMode == mdInsert);
        cmbPeriode->AssignItems(perioden);
        osOnderhoud->SetConnection(FdmBeheer->Connection());
        // Every type first, so that any stored type can be shown.
        FdmBeheer->OpenKostentypen(-1, true);
        dsKostenTypen->SetDataSet(FdmBeheer->qrySelKostenTypen);
        cmbKostenType->FillCombo();
        // Adding reads no record; the query with key -1 gives the group its columns and no row.
        FdmBeheer->GetMutKosten(AMode == mdInsert ? -1 : AId);
        LoadRecord(FdmBeheer->qryMutKosten);
        RefreshKostenTypeReflist();
        EnableDisable();
    });
}

qint64 TfrmMutKosten::CategorieId() {
    bool whole = false;
    const qint32 id = plKostenCategorie->Value().toInt(&whole);
    return whole ? id : -1;
}

void TfrmMutKosten::RefreshKostenTypeReflist() {
    WithPrefix(ClassName() + QStringLiteral(".RefreshKostenTypeReflist: "), [&] {
        const qint64 categorie = CategorieId();
        if (categorie != -1) FcdsCategorieen->Locate({QStringLiteral("KostencategorieId")}, {categorie});
        FdmBeheer->OpenKostentypen(categorie, false);
        cmbKostenType->FillCombo();
    });
}

void TfrmMutKosten::EnableDisable() {
    TBaseOnderhoud::EnableDisable();
    WithPrefix(Prefix("EnableDisable"), [&] {
        if (FMode != mdInsert && FMode != mdEdit) return;
        const TDataSet& types = *FdmBeheer->qrySelKostenTypen;
        if (types.IsEmpty()) {
            cmbKostenType->Clear();
            cmbKostenType->SetEnabled(false);
            return;
        }
        cmbKostenType->SetEnabled(true);
        if (types.RecordCount() == 1)
            cmbKostenType->SetValue(types.Value(0, types.FieldIndexOrRaise(QStringLiteral("KostenTypeId"))).toString());
    });
}

void TfrmMutKosten::plKostenCategorieDataChange() {
    WithPrefix(Prefix("plKostenCategorieDataChange"), [&] {
        RefreshKostenTypeReflist();
        EnableDisable();
    });
}

void TfrmMutKosten::plKostenCategorieBeforeShowPickList(TfrmPickList* pickList) {
    WithPrefix(Prefix("plKostenCategorieBeforeShowPickList"), [&] {
        pickList->resize(930, pickList->height());
        TOrvDBSortGrid* grid = pickList->Grid();
        if (grid->Columns().Count() == 0) {
            grid->Columns().Add(QStringLiteral("Kostengroep"), QStringLiteral("Kostengroep"), 200);
            grid->Columns().Add(QStringLiteral("Omschrijving"), QStringLiteral("Omschrijving"), 415);
            grid->Columns().Add(QStringLiteral("Vergoedingtype"), QStringLiteral("VergoedingType"), 280);
        }
        grid->Sort(QStringLiteral("Kostengroep"), sdAscending);
    });
}

void TfrmMutKosten::dgOnderhoudCrossValidate(bool& dataValid) {
    WithPrefix(Prefix("dgOnderhoudCrossValidate"), [&] {
        // A disabled cost type choice is not checked as a control; the column needs a type all the same.
        if (!cmbKostenType->IsNull()) return;
        dgOnderhoudInternalValidateMessage(cmbKostenType, 1);
        dataValid = false;
    });
}

void TfrmMutKosten::SetExtraFields() {
    WithPrefix(Prefix("SetExtraFields"), [&] {
        const QDateTime nu = Clock::Now();
        if (FMode == mdInsert) osOnderhoud->FieldByName(QStringLiteral("AanmaakDatum")).SetAsDateTime(nu);
        osOnderhoud->FieldByName(QStringLiteral("WijzigDatum")).SetAsDateTime(nu);
        osOnderhoud->FieldByName(QStringLiteral("WerkgeverId")).SetAsInteger(qint32(FWerkgeverId));
    });
}

bool TfrmMutKosten::StoreData() {
    return WithPrefix(Prefix("StoreData"), [&] {
        if (FMode != mdInsert || cmbPeriode->Value() != QLatin1String(kAllePeriodenKey))
            return TBaseOnderhoud::StoreData();
        bool whole = false;
        const qint64 kostenType = cmbKostenType->Value().toLongLong(&whole);
        if (!whole) throw EOrvError(QStringLiteral("'%1' is geen geldig kostentype").arg(cmbKostenType->Value()));
        return FdmBeheer->InsertKostenAlleTijdvakken(FWerkgeverId, FAangifteTijdvak, CategorieId(),
                                                     chkProforma->CheckBox()->isChecked(), kostenType,
                                                     edBedrag->Value());
    });
}
