#include "maintenance/fMutConcern.h"

#include "binding/ADOOutSet.h"
#include "binding/OrvADOConnection.h"
#include "binding/OrvQuery.h"
#include "core/OrvMessages.h"
#include "core/dBeheer.h"
#include "core/uUtils.h"
#include "dbcontrols/DbcompEdits.h"
#include "dbcontrols/OrvDataGroup.h"
#include "platform/Clock.h"
#include "platform/WaitCursor.h"
#include "support/OrvErrors.h"

#include <QtWidgets/QVBoxLayout>

ORV_METHOD_PREFIXES(TfrmMutConcern)

TfrmMutConcern::TfrmMutConcern(QWidget* owner) : TBaseOnderhoud(owner), FdmBeheer(new TdmBeheer(this)) {
    setObjectName(QStringLiteral("frmMutConcern"));
    SetHelpContext(7);
    resize(width(), 144 + 51);
    osOnderhoud->SetDataReference(QStringLiteral("Concerns"));
    auto* body = new QVBoxLayout(pnlBody);
    body->setAlignment(Qt::AlignTop);
    edNaam = new TOrvDBEdit(pnlBody);
    edNaam->setObjectName(QStringLiteral("edNaam"));
    edNaam->SetLabelCaption(QStringLiteral("Naam:"));
    edNaam->SetDataGroup(dgOnderhoud);
    edNaam->SetSQLInputField(QStringLiteral("Naam"));
    edNaam->SetSQLOutputSet(QStringLiteral("osOnderhoud"));
    edNaam->SetSQLOutputField(QStringLiteral("Naam"));
    body->addWidget(edNaam);
    edNaam->OnValidate = [this](QObject*, bool& dataValid) { edNaamValidate(dataValid); };
    dgOnderhoud->OnCrossValidate = [this](QObject*, bool& dataValid) { dgOnderhoudCrossValidate(dataValid); };
}

void TfrmMutConcern::Initialize(TMode AMode, int AId) {
    WithPrefix(ClassName() + QStringLiteral(".Initialize: "), [&] {
        StartInitialize(AMode, AId, QStringLiteral("ConcernId"), QStringLiteral("concern"));
        const TWaitCursor wait;
        osOnderhoud->SetConnection(FdmBeheer->Connection());
        // Adding reads no record; the query with key -1 gives the group its columns and no row.
        FdmBeheer->GetMutConcern(AMode == mdInsert ? -1 : AId);
        LoadRecord(FdmBeheer->qryMutConcern);
        EnableDisable();
    });
}

void TfrmMutConcern::SetExtraFields() {
    WithPrefix(Prefix("SetExtraFields"), [&] {
        const QDateTime nu = Clock::Now();
        if (FMode == mdInsert) osOnderhoud->FieldByName(QStringLiteral("AanmaakDatum")).SetAsDateTime(nu);
        osOnderhoud->FieldByName(QStringLiteral("WijzigDatum")).SetAsDateTime(nu);
    });
}

void TfrmMutConcern::edNaamValidate(bool& dataValid) {
    WithPrefix(Prefix("edNaamValidate"), [&] {
        if (!CheckValueExists(FdmBeheer->Connection(), QStringLiteral("concerns"), QStringLiteral("naam"), QString(),
                              FKeyWaarde, QStringLiteral("concernid"), edNaam->AsText()))
            return;
        ShowWarning(QStringLiteral("De door u gekozen naam bestaat reeds."));
        edNaam->SetFocus();
        dataValid = false;
    });
}

void TfrmMutConcern::dgOnderhoudCrossValidate(bool& dataValid) {
    WithPrefix(Prefix("dgOnderhoudCrossValidate"), [&] {
        if (FMode != mdDelete ||
            !CheckValueExists(FdmBeheer->Connection(), QStringLiteral("werkgevers"), QStringLiteral("concernid"),
                              QString(), -1, QString(), qint64(FKeyWaarde)))
            return;
        ShowWarning(QStringLiteral("Dit concern is al in gebruik."));
        dataValid = false;
    });
}
