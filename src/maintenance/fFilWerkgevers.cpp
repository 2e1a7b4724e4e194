#include "maintenance/fFilWerkgevers.h"

#include "binding/OrvADOConnection.h"
#include "binding/OrvQuery.h"
#include "controls/OrvComp.h"
#include "core/dBeheer.h"
#include "core/uFilter.h"
#include "dbcontrols/DbcompCombos.h"
#include "dbcontrols/DbcompEdits.h"
#include "support/OrvErrors.h"

#include <QtWidgets/QComboBox>
#include <QtWidgets/QVBoxLayout>

ORV_METHOD_PREFIXES(TfrmFilWerkgevers)

namespace {
constexpr int kLabelWidth = 150;

template <class Control>
Control* FilterControl(QWidget* body, const char* name, const char* field, const char* caption) {
    auto* control = new Control(body);
    control->setObjectName(QLatin1String(name));
    control->SetLabelCaption(QString::fromUtf8(caption));
    control->SetWinControlLeft(kLabelWidth);
    control->SetSQLInputField(QLatin1String(field));
    body->layout()->addWidget(control);
    return control;
}
}

TfrmFilWerkgevers::TfrmFilWerkgevers(QWidget* owner, TFilter* filter)
    : TBaseFilter(owner, filter), dsConcerns(new TDataSource(this)), FdmBeheer(new TdmBeheer(this)) {
    setObjectName(QStringLiteral("frmFilWerkgevers"));
    setWindowTitle(QStringLiteral("Werkgever selectiefilter"));
    SetHelpContext(5);
    resize(474, 172);
    dsConcerns->setObjectName(QStringLiteral("dsConcerns"));
    auto* body = new QVBoxLayout(pnlBody);
    body->setAlignment(Qt::AlignTop);
    body->setContentsMargins(16, 16, 16, 8);
    body->setSpacing(8);
    edConcern = FilterControl<TOrvDBLookupCombo>(pnlBody, "edConcern", "ConcernId", "Concern:");
    edConcern->setFixedWidth(kLabelWidth + 280);
    edConcern->SetAddBlank(true);
    edConcern->SetLookupKeyField(QStringLiteral("ConcernId"));
    edConcern->SetLookupDisplayField(QStringLiteral("Naam"));
    edConcern->ComboBox()->setMaxVisibleItems(16);
    chkExclusiefProforma =
        FilterControl<TOrvDBCheckbox>(pnlBody, "chkExclusiefProforma", "ExclusiefProforma", "Exclusief proforma:");
}

void TfrmFilWerkgevers::Initialize() {
    WithPrefix(Prefix("Initialize"), [&] {
        TBaseFilter::Initialize();
        FdmBeheer->OpenConcerns();
        dsConcerns->SetDataSet(FdmBeheer->qrySelConcerns);
        edConcern->SetLookupSource(dsConcerns);
        edConcern->FillCombo();
    });
}

void TfrmFilWerkgevers::SetFilter(bool& filtered) {
    WithPrefix(Prefix("SetFilter"), [&] {
        FFilter->Clear();
        TBaseFilter::SetFilter(filtered);
    });
}
