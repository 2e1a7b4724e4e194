#include "core/ZemloMBox.h"

#include "core/OrvMessages.h"

namespace {
TMessageRequest ZemloRequest(TOrvMessageType kind, const QString& title, const QString& text) {
    TMessageRequest r;
    r.Kind = kind;
    r.Caption = QStringLiteral("Pavenda");
    r.Title = title;
    r.Text = text;
    r.Language = TOrvMessagesLanguage::mlNL;
    return r;
}
}

void ZemloInfo(const QString& text) {
    ShowMessage(ZemloRequest(TOrvMessageType::mtMessage, QStringLiteral("Info"), text));
}

void ZemloError(const QString& text) {
    TMessageRequest r = ZemloRequest(TOrvMessageType::mtError, QStringLiteral("De volgende fout is opgetreden:"), text);
    r.MessageColor = kErrorMessageColor;
    ShowMessage(r);
}

int ZemloQuestion(const QString& text, bool allowCancel) {
    TMessageRequest r = ZemloRequest(TOrvMessageType::mtQuestion, QString(), text);
    r.ButtonSet = allowCancel ? 3 : 4;
    return ShowMessage(r);
}
