#include "maintenance/fMutLoonsom.h"

#include "binding/ADOOutSet.h"
#include "binding/OrvADOConnection.h"
#include "binding/OrvQuery.h"
#include "controls/OrvComp.h"
#include "core/ZemloMBox.h"
#include "core/dBeheer.h"
#include "core/uConst.h"
#include "core/uUtils.h"
#include "dbcontrols/DbcompCombos.h"
#include "dbcontrols/DbcompEdits.h"
#include "dbcontrols/OrvDataGroup.h"
#include "platform/Clock.h"
#include "platform/WaitCursor.h"
#include "support/OrvErrors.h"

#include <QtWidgets/QComboBox>
#include <QtWidgets/QVBoxLayout>

ORV_METHOD_PREFIXES(TfrmMutLoonsom)

TfrmMutLoonsom::TfrmMutLoonsom(QWidget* owner) : TBaseOnderhoud(owner), FdmBeheer(new TdmBeheer(this)) {
    setObjectName(QStringLiteral("frmMutLoonsom"));
    SetHelpContext(19);
    resize(width(), 217 + 51);
    osOnderhoud->SetDataReference(QStringLiteral("Loonsommen"));
    auto* body = new QVBoxLayout(pnlBody);
    body->setAlignment(Qt::AlignTop);
    cmbPeriode = AddBoundControl<TOrvDBComboboxEx>("cmbPeriode", "Periode", "Periode:");
    cmbPeriode->ComboBox()->setMaxVisibleItems(8);
    chkProforma = AddBoundControl<TOrvDBCheckbox>("chkProforma", "Proforma", "Proforma:");
    edBedrag = AddBoundControl<TOrvDBNumericEdit>("edBedrag", "Bedrag", "Bedrag:");
    edBedrag->ShowAsAmount();
    dgOnderhoud->OnCrossValidate = [this](QObject*, bool& dataValid) { dgOnderhoudCrossValidate(dataValid); };
}

void TfrmMutLoonsom::Initialize(TMode AMode, int AId, qint64 AWerkgeverId, int AAangifteTijdvak) {
    WithPrefix(ClassName() + QStringLiteral(".Initialize: "), [&] {
        StartInitialize(AMode, AId, QStringLiteral("LoonsomId"), QStringLiteral("loonsom"));
        const TWaitCursor wait;
        FAangifteTijdvak = AAangifteTijdvak;
        FWerkgeverId = AWerkgeverId;
        QStringList perioden;
        PopulatePeriode(perioden, AAangifteTijdvak, AMode == mdInsert);
        cmbPeriode->AssignItems(perioden);
        osOnderhoud->SetConnection(FdmBeheer->Connection());
        // Adding reads no record; the query with key -1 gives the group its columns and no row.
        FdmBeheer->GetMutLoonsom(AMode == mdInsert ? -1 : AId);
        LoadRecord(FdmBeheer->qryMutLoonsom);
        if (AMode == mdInsert) chkProforma->CheckBox()->setChecked(true);  // a new wage sum starts provisional
        EnableDisable();
    });
}

void TfrmMutLoonsom::SetExtraFields() {
    WithPrefix(Prefix("SetExtraFields"), [&] {
        const QDateTime nu = Clock::Now();
        if (FMode == mdInsert) osOnderhoud->FieldByName(QStringLiteral("AanmaakDatum")).SetAsDateTime(nu);
        osOnderhoud->FieldByName(QStringLiteral("WijzigDatum")).SetAsDateTime(nu);
        osOnderhoud->FieldByName(QStringLiteral("WerkgeverId")).SetAsInteger(qint32(FWerkgeverId));
    });
}

void TfrmMutLoonsom::dgOnderhoudCrossValidate(bool& dataValid) {
    WithPrefix(Prefix("dgOnderhoudCrossValidate"), [&] {
        const QString periode = cmbPeriode->Value();
        int p = 0;
        if (periode != QLatin1String(kAllePeriodenKey)) {
            bool ok = false;
            p = periode.toInt(&ok);
            if (!ok) throw EOrvError(QStringLiteral("'%1' is geen geldige periode").arg(periode));
        }
        dataValid = CheckLoonsomUniek(FdmBeheer->Connection(), FWerkgeverId, KeyWaarde(),
                                      chkProforma->CheckBox()->isChecked(), p);
        if (!dataValid) ZemloError(QStringLiteral("Alleen één loonsom per periode en proforma is toegestaan."));
    });
}

bool TfrmMutLoonsom::StoreData() {
    return WithPrefix(Prefix("StoreData"), [&] {
        if (FMode == mdInsert && cmbPeriode->Value() == QLatin1String(kAllePeriodenKey))
            return FdmBeheer->InsertLoonsommenAlleTijdvakken(FWerkgeverId, FAangifteTijdvak,
                                                             chkProforma->CheckBox()->isChecked(), edBedrag->Value());
        return TBaseOnderhoud::StoreData();
    });
}
