#include "forms/fBaseOnderhoud.h"

#include "binding/ADOOutSet.h"
#include "binding/OrvADOConnection.h"
#include "binding/OrvQuery.h"
#include "core/OrvMessages.h"
#include "core/dMain.h"
#include "dbcontrols/OrvControlWithLabel.h"
#include "dbcontrols/OrvDataGroup.h"
#include "platform/WaitCursor.h"
#include "support/OrvErrors.h"

#include <QtWidgets/QDateTimeEdit>
#include <QtWidgets/QFrame>

#include <algorithm>

ORV_METHOD_PREFIXES(TBaseOnderhoud)

namespace {
// The edit window's own reports of a failure: a warning with the error behind a lead text. Whatever went
// wrong, the window stays usable.
template <class Body> void WarnOnError(const QString& lead, Body&& body) {
    try {
        body();
    } catch (const std::exception& e) {
        ShowWarning(lead + QString::fromUtf8(e.what()));
    }
}

const QDate kFirstDate(1880, 1, 1);
const QDate kLastDate(2070, 1, 1);
}  // namespace

TBaseOnderhoud::TBaseOnderhoud(QWidget* owner)
    : TBaseOkCancel(owner), dgOnderhoud(new TOrvDataGroup(this)), osOnderhoud(new TOrvADOSQLOutputSet(this)),
      FTabStart(pnlBody) {
    if (HelpContext() == 0 && owner) {
        const auto* ownerForm = qobject_cast<TBaseForm*>(owner);
        SetHelpContext(ownerForm ? ownerForm->HelpContext() : owner->property("HelpContext").toInt());
    }
    dgOnderhoud->setObjectName(QStringLiteral("dgOnderhoud"));
    dgOnderhoud->SetOutputSets({QStringLiteral("osOnderhoud")});
    dgOnderhoud->OnInternalValidateMessage = [this](TOrvDBComponent* sender, int errResult) {
        dgOnderhoudInternalValidateMessage(sender, errResult);
    };
    osOnderhoud->setObjectName(QStringLiteral("osOnderhoud"));
    if (dmMain) osOnderhoud->SetConnection(dmMain->ADOConnection());
}

bool TBaseOnderhoud::GetFormDataChanged() const { return FFormDataChanged || dgOnderhoud->IsChanged(); }

void TBaseOnderhoud::SetCaption() {
    if (FCaptionNaam.isEmpty()) FCaptionNaam = QStringLiteral("gegevens");
    FCaptionNaam.prepend(u' ');
    QString prefix;
    switch (FMode) {
    case mdInsert:
        prefix = QStringLiteral("Toevoegen - ");
        break;
    case mdEdit:
        prefix = QStringLiteral("Wijzigen - ");
        break;
    case mdDelete:
        prefix = QStringLiteral("Verwijderen - ");
        break;
    default:
        prefix = QStringLiteral("Bekijken - ");
        break;
    }
    setWindowTitle(prefix + FCaptionNaam);
}

void TBaseOnderhoud::StartInitialize(TMode mode, int id, const QString& keyField, const QString& noun) {
    TBaseForm::Initialize();
    FMode = mode;
    FKeyVeldNaam = keyField;
    FKeyWaarde = mode == mdInsert ? -1 : id;
    FCaptionNaam = noun;
    SetCaption();
}

void TBaseOnderhoud::LoadRecord(TOrvQuery* recordQuery) {
    dgOnderhoud->SetInputSet(recordQuery);
    if (FMode == mdInsert) return;
    recordQuery->Open();
    dgOnderhoud->GetFields();
}

void TBaseOnderhoud::EnableDisable() {
    WithPrefix(Prefix("EnableDisable"), [&] {
        if (FMode == mdDelete || FMode == mdView) dgOnderhoud->DisableControls();
        // The tab order runs through the body and the button bar in a circle; the mode decides where it
        // starts.
        FTabStart = FMode == mdDelete || FMode == mdView || FMode == mdRun ? pnlOkCancel : pnlBody;
        if (isVisible()) FocusFirstIn(FTabStart);
    });
}

void TBaseOnderhoud::FocusFirstIn(QWidget* panel) {
    for (QWidget* w = nextInFocusChain(); w != this; w = w->nextInFocusChain())
        if (panel->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && !w->isHidden()) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
}

bool TBaseOnderhoud::CheckDates() {
    for (QDateTimeEdit* dateInput : findChildren<QDateTimeEdit*>()) {
        const QDate date = dateInput->date();
        if (date >= kFirstDate && date <= kLastDate) continue;
        if (dateInput->isEnabled()) dateInput->setFocus(Qt::OtherFocusReason);
        ShowWarning(QStringLiteral("De ingevoerde datum is ongeldig"));
        return false;
    }
    return true;
}

bool TBaseOnderhoud::StoreData() {
    return WithPrefix(Prefix("StoreData"), [&] {
        const TWaitCursor wait;
        if ((FMode == mdEdit || FMode == mdDelete) && (FKeyVeldNaam.isEmpty() || FKeyWaarde == -1))
            throw EOrvError(QStringLiteral("FKeyVeldNaam en / of FKeyWaarde waarde ontbreekt."));
        switch (FMode) {
        case mdInsert:
            WriteRecord(true);
            break;
        case mdEdit:
            WriteRecord(false);
            break;
        case mdDelete:
            if (AskQuestion(QStringLiteral("Verwijderen"),
                            QStringLiteral("Weet u zeker dat u de gegevens wilt verwijderen?"), false) != mrYes)
                return false;
            DeleteRecord();
            break;
        default:
            break;
        }
        return true;
    });
}

namespace {
// A step after Append, Edit or Delete failed: the group must not stay in that mode.
template <class Body> void CancelOnFailure(TOrvDataGroup* group, Body&& body) {
    try {
        body();
    } catch (...) {
        if (group->State() != dgsIdle) group->Cancel();
        throw;
    }
}
}  // namespace

void TBaseOnderhoud::WriteRecord(bool insert) {
    dgOnderhoud->OpenOutput();
    if (insert)
        dgOnderhoud->Append();
    else
        dgOnderhoud->Edit();
    CancelOnFailure(dgOnderhoud, [&] {
        dgOnderhoud->SetFields();
        if (!insert) osOnderhoud->PrimaryKeyFieldByName(FKeyVeldNaam).SetAsInteger(FKeyWaarde);
        SetExtraFields();
        dgOnderhoud->Post();
    });
    dgOnderhoud->CloseOutput();
}

void TBaseOnderhoud::DeleteRecord() {
    TOrvADOConnection* connection = osOnderhoud->Connection();
    if (!connection) throw EOutputSetError(osOnderhoud->objectName() + QStringLiteral(": Missing connection property"));
    // The delete is this window's own transaction; the group's post then neither commits nor rolls back.
    RunInTransaction(*connection, [&] {
        dgOnderhoud->OpenOutput();
        dgOnderhoud->Delete();
        CancelOnFailure(dgOnderhoud, [&] { dgOnderhoud->Post(); });
        dgOnderhoud->CloseOutput();
    });
}

bool TBaseOnderhoud::InsertAlsNodig() {
    return WithPrefix(Prefix("InsertAlsNodig"), [&] {
        if (FMode != mdInsert) return true;
        const int answer = AskQuestion(QStringLiteral("Toevoegen"),
                                       QStringLiteral("De gegevens worden eerst opgeslagen.\rWilt u doorgaan?"), false);
        if (answer != mrYes || !dgOnderhoud->ValidateControls() || !StoreData()) return false;
        FMode = mdEdit;
        ReInit();
        return true;
    });
}

bool TBaseOnderhoud::InsertOfUpdateAlsNodig() {
    return WithPrefix(Prefix("InsertOfUpdateAlsNodig"), [&] {
        if (FMode == mdInsert) return InsertAlsNodig();
        if (FMode == mdEdit && GetFormDataChanged()) {
            if (!dgOnderhoud->ValidateControls() || !StoreData()) return false;
            ReInit();
        }
        return true;
    });
}

void TBaseOnderhoud::acOkExecute() {
    if (FMode == mdView) {
        TBaseOkCancel::acOkExecute();
        return;
    }
    setResult(mrNone);
    WarnOnError(QStringLiteral("Opslaan mislukt. "), [&] {
        if (dgOnderhoud->ValidateControls() && CheckDates() && StoreData()) done(mrOK);
    });
}

void TBaseOnderhoud::acCancelExecute() {
    setResult(mrCancelled);
    close();
}

bool TBaseOnderhoud::FormCloseQuery() {
    bool canClose = true;
    WarnOnError(QStringLiteral("Mutatie afbreken: "), [&] {
        if (result() != mrOK && FMode == mdInsert && GetFormDataChanged())
            canClose = AskQuestion(QStringLiteral("Afbreken"),
                                   QStringLiteral("De ingevoerde gegevens zijn nog niet opgeslagen. Wilt u het "
                                                  "invoeren afbreken?"),
                                   false) == mrYes;
    });
    return canClose;
}

void TBaseOnderhoud::reject() {
    if (FormCloseQuery()) TBaseOkCancel::reject();
}

void TBaseOnderhoud::dgOnderhoudInternalValidateMessage(TOrvDBComponent* sender, int errResult) {
    setResult(mrNone);
    if (errResult == 1)
        ShowWarning(QStringLiteral("U dient het veld \"%1\" in te vullen.").arg(sender->LabelCaption()));
    else if (errResult == 2)
        ShowWarning(QStringLiteral("Het formaat van het veld \"%1\" is niet geldig.").arg(sender->LabelCaption()));
}

void TBaseOnderhoud::showEvent(QShowEvent* event) {
    TBaseOkCancel::showEvent(event);
    FocusFirstIn(FTabStart);
    // The styling of the base window: every input has a white background while it has the focus.
    for (TOrvDBComponent* control : findChildren<TOrvDBComponent*>())
        if (OwnerForm(control) == this) control->SetFocusedColor(Qt::white);
}

int TBaseOnderhoud::AlignCaptions(const QList<TOrvControlWithLabel*>& controls) {
    constexpr int kGap = 12;
    int left = 0;
    for (const TOrvControlWithLabel* control : controls)
        left = std::max({left, control->WinControlLeft(), control->BoldCaptionEnd() + kGap});
    for (TOrvControlWithLabel* control : controls) control->SetWinControlLeft(left);
    return left;
}
