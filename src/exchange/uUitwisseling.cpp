#include "exchange/uUitwisseling.h"

#include "binding/OrvADOConnection.h"
#include "platform/Progress.h"
#include "platform/WaitCursor.h"
#include "support/OrvErrors.h"

#include <QScopeGuard>

TUitwisseling::TUitwisseling(QString naam, QString titel) : FNaam(std::move(naam)), FTitel(std::move(titel)) {}

TUitwisselingResultaat TUitwisseling::Uitvoeren(const std::function<bool()>& bevestig) {
    if (const std::optional<QString> waarom = Controleer()) return {TUitwisselingStatus::NietMogelijk, *waarom};
    if (bevestig && !bevestig()) return {TUitwisselingStatus::NietBevestigd, QString()};
    QString tekst;
    WithPrefix(FNaam, [&] {
        const TWaitCursor wait;
        TProgress progress(FTitel);
        const auto sluit = qScopeGuard([&] { Sluiten(); });
        Openen();
        RunInTransaction(Doel(), [&] { tekst = Werk(progress); });
    });
    return {TUitwisselingStatus::Uitgevoerd, tekst};
}
