#include "maintenance/fMutKostencategorie.h"

#include "binding/ADOOutSet.h"
#include "binding/OrvADOConnection.h"
#include "binding/OrvQuery.h"
#include "controls/OrvComp.h"
#include "core/OrvMessages.h"
#include "core/dBeheer.h"
#include "core/uUtils.h"
#include "dbcontrols/DbcompCombos.h"
#include "dbcontrols/DbcompEdits.h"
#include "dbcontrols/OrvDataGroup.h"
#include "platform/Clock.h"
#include "platform/WaitCursor.h"
#include "support/OrvErrors.h"

#include <QtWidgets/QComboBox>
#include <QtWidgets/QVBoxLayout>

#include <algorithm>

ORV_METHOD_PREFIXES(TfrmMutKostencategorie)

namespace {

void SetLookup(TOrvDBLookupCombo* combo, TDataSource* source, const char* keyField, bool addBlank) {
    combo->SetLookupSource(source);
    combo->SetLookupKeyField(QLatin1String(keyField));
    combo->SetLookupDisplayField(QStringLiteral("Omschrijving"));
    combo->SetAddBlank(addBlank);
    combo->ComboBox()->setMaxVisibleItems(8);
}
}  // namespace

TfrmMutKostencategorie::TfrmMutKostencategorie(QWidget* owner)
    : TBaseOnderhoud(owner), dsKostengroepen(new TDataSource(this)), dsVergoedingtypen(new TDataSource(this)),
      FdmBeheer(new TdmBeheer(this)) {
    setObjectName(QStringLiteral("frmMutKostencategorie"));
    SetHelpContext(8);
    resize(width(), 377 + 51);
    osOnderhoud->SetDataReference(QStringLiteral("Kostencategorieen"));
    dsKostengroepen->setObjectName(QStringLiteral("dsKostengroepen"));
    dsVergoedingtypen->setObjectName(QStringLiteral("dsVergoedingtypen"));
    auto* body = new QVBoxLayout(pnlBody);
    body->setAlignment(Qt::AlignTop);
    edOmschrijving = AddBoundControl<TOrvDBEdit>("edOmschrijving", "Omschrijving", "Omschrijving:");
    cmbKostengroep = AddBoundControl<TOrvDBLookupCombo>("cmbKostengroep", "KostengroepId", "Kostengroep:");
    SetLookup(cmbKostengroep, dsKostengroepen, "KostengroepId", true);
    cmbVergoedingtype = AddBoundControl<TOrvDBLookupCombo>("cmbVergoedingtype", "VergoedingtypeId", "Vergoedingtype:");
    SetLookup(cmbVergoedingtype, dsVergoedingtypen, "VergoedingtypeId", false);
    edGrootboekrekening = AddBoundControl<TOrvDBEdit>("edGrootboekrekening", "Grootboekrekening", "Grootboekrekening:");
    edGrootboekOmschrijving =
        AddBoundControl<TOrvDBEdit>("edGrootboekOmschrijving", "GrootboekOmschrijving", "Grootboek-omschrijving:");
    memoOpmerkingen = AddBoundControl<TOrvDBMemo>("memoOpmerkingen", "Opmerkingen", "Opmerkingen:");
    memoOpmerkingen->Memo()->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memoOpmerkingen->Memo()->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memoOpmerkingen->SetTabOnEnter(false);  // Enter starts a new line of the remarks
    const int left = AlignCaptions({edOmschrijving, cmbKostengroep, cmbVergoedingtype, edGrootboekrekening,
                                    edGrootboekOmschrijving, memoOpmerkingen});
    // Wide enough for the remarks beside the longest caption.
    constexpr int kMargins = 40;
    constexpr QSize kRemarks(530, 123);
    memoOpmerkingen->SetMemoSize(kRemarks);
    resize(std::max(width(), left + kRemarks.width() + kMargins), height());
    for (TOrvDBEdit* edit : {edOmschrijving, edGrootboekrekening, edGrootboekOmschrijving})
        edit->OnValidate = [this](QObject*, bool& dataValid) { edOmschrijvingValidate(dataValid); };
    dgOnderhoud->OnCrossValidate = [this](QObject*, bool& dataValid) { dgOnderhoudCrossValidate(dataValid); };
}

void TfrmMutKostencategorie::Initialize(TMode AMode, int AId) {
    WithPrefix(ClassName() + QStringLiteral(".Initialize: "), [&] {
        StartInitialize(AMode, AId, QStringLiteral("KostencategorieId"), QStringLiteral("kostencategorie"));
        const TWaitCursor wait;
        FdmBeheer->OpenKostengroepen();
        dsKostengroepen->SetDataSet(FdmBeheer->qrySelKostengroepen);
        FdmBeheer->OpenVergoedingtypen();
        dsVergoedingtypen->SetDataSet(FdmBeheer->qrySelVergoedingtypen);
        osOnderhoud->SetConnection(FdmBeheer->Connection());
        // Adding reads no record; the query with key -1 gives the group its columns and no row.
        FdmBeheer->GetMutKostencategorie(AMode == mdInsert ? -1 : AId);
        LoadRecord(FdmBeheer->qryMutKostencategorie);
        EnableDisable();
    });
}

void TfrmMutKostencategorie::SetExtraFields() {
    WithPrefix(Prefix("SetExtraFields"), [&] {
        const QDateTime nu = Clock::Now();
        if (FMode == mdInsert) osOnderhoud->FieldByName(QStringLiteral("AanmaakDatum")).SetAsDateTime(nu);
        osOnderhoud->FieldByName(QStringLiteral("WijzigDatum")).SetAsDateTime(nu);
    });
}

void TfrmMutKostencategorie::edOmschrijvingValidate(bool& dataValid) {
    WithPrefix(Prefix("edOmschrijvingValidate"), [&] {
        if (!CheckValueExists(FdmBeheer->Connection(), QStringLiteral("kostencategorieen"),
                              QStringLiteral("omschrijving"), QString(), FKeyWaarde,
                              QStringLiteral("kostencategorieid"), edOmschrijving->AsText()))
            return;
        ShowWarning(QStringLiteral("De door u gekozen omschrijving bestaat reeds."));
        edOmschrijving->SetFocus();
        dataValid = false;
    });
}

void TfrmMutKostencategorie::dgOnderhoudCrossValidate(bool& dataValid) {
    WithPrefix(Prefix("dgOnderhoudCrossValidate"), [&] {
        if (FMode != mdDelete ||
            !CheckValueExists(FdmBeheer->Connection(), QStringLiteral("kosten"), QStringLiteral("kostencategorieid"),
                              QString(), -1, QString(), qint64(FKeyWaarde)))
            return;
        ShowWarning(QStringLiteral("Deze kostencategorie is al in gebruik."));
        dataValid = false;
    });
}
