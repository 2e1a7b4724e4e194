#include "maintenance/WerkgeverChildSelect.h"

#include "binding/OrvADOConnection.h"
#include "binding/OrvQuery.h"
#include "core/dBeheer.h"
#include "support/OrvErrors.h"

TWerkgeverChildSelect::TWerkgeverChildSelect(QWidget* owner, TOrvQuery* TdmBeheer::*listQuery)
    : TBaseChildSelect(owner), FdmBeheer(new TdmBeheer(this)), FListQuery(listQuery) {}

void TWerkgeverChildSelect::Initialize(qint64 iWerkgeverId, int iAangifteTijdvak) {
    WithPrefix(ClassName() + QStringLiteral(".Initialize: "), [&] {
        if (iWerkgeverId != FWerkgeverId) SetupOnNextRefresh();
        FWerkgeverId = iWerkgeverId;
        FAangifteTijdvak = iAangifteTijdvak;
        dsChildSelect->SetDataSet(FdmBeheer->*FListQuery);
        TBaseChild::Initialize();
    });
}
