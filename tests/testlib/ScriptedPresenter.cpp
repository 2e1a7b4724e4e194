#include "testlib/ScriptedPresenter.h"

#include <QTest>

TScriptedPresenter::TScriptedPresenter() : FPrevious(CurrentMessagePresenter()) { SetMessagePresenter(this); }

TScriptedPresenter::~TScriptedPresenter() { SetMessagePresenter(FPrevious); }

int TScriptedPresenter::Present(const TMessageRequest& request) {
    FMessages.append(request);
    if (FAnswers.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("Unexpected message: %1 / %2").arg(request.Title, request.Text)),
                     __FILE__, __LINE__);
        return mrCancel;
    }
    return FAnswers.takeFirst();
}
