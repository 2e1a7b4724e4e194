#include "exchangeui/uStartUitwisseling.h"

#include "core/OrvMessages.h"
#include "core/ZemloMBox.h"
#include "exchange/uQueltKoppeling.h"

void ToonResultaat(const TUitwisselingResultaat& resultaat) {
    if (resultaat.Tekst.isEmpty()) return;
    switch (resultaat.Status) {
    case TUitwisselingStatus::Uitgevoerd:
        ZemloInfo(resultaat.Tekst);
        break;
    case TUitwisselingStatus::NietMogelijk:
        ZemloError(resultaat.Tekst);
        break;
    case TUitwisselingStatus::NietBevestigd:
        break;
    }
}

void StartQueltUitwisseling(TQueltUitwisseling& run) {
    ToonResultaat(run.Uitvoeren([&] { return ZemloQuestion(run.Vraag(), false) == mrYes; }));
}
