#include "core/OrvMessages.h"

#include <cstdio>

TMessageTeksten MessageTeksten;

namespace {
class TConsolePresenter : public TMessagePresenter {
public:
    int Present(const TMessageRequest& request) override {
        const QString line =
            request.Title.isEmpty() ? request.Text : request.Title + QStringLiteral(": ") + request.Text;
        std::fprintf(stderr, "%s\n", qPrintable(line));
        switch (request.ButtonSet & 15) {
        case 3:
        case 4:
            return mrYes;
        default:
            return mrOk;
        }
    }
};

TConsolePresenter consolePresenter;
TMessagePresenter* presenter = nullptr;
}

void SetMessagePresenter(TMessagePresenter* newPresenter) { presenter = newPresenter; }

TMessagePresenter* CurrentMessagePresenter() { return presenter ? presenter : &consolePresenter; }

int ShowMessage(const TMessageRequest& request) { return CurrentMessagePresenter()->Present(request); }

void ShowWarning(const QString& text) {
    TMessageRequest r;
    r.Kind = TOrvMessageType::mtMessage;
    r.Caption = MessageTeksten.Application;
    r.Title = MessageTeksten.Warning;
    r.Text = text;
    ShowMessage(r);
}

void ShowError(const QString& title, const QString& text) {
    TMessageRequest r;
    r.Kind = TOrvMessageType::mtError;
    r.Caption = MessageTeksten.Application;
    r.Title = title;
    r.Text = text;
    r.MessageColor = kErrorMessageColor;
    r.Beep = true;
    ShowMessage(r);
}

int AskQuestion(const QString& title, const QString& text, bool allowCancel) {
    TMessageRequest r;
    r.Kind = TOrvMessageType::mtQuestion;
    r.Caption = MessageTeksten.Application;
    r.Title = title;
    r.Text = text;
    r.ButtonSet = allowCancel ? 3 : 4;
    return ShowMessage(r);
}

void ShowUnhandledError(const QString& text) {
    TMessageRequest r;
    r.Kind = TOrvMessageType::mtError;
    r.Caption = MessageTeksten.Application;
    r.Text = text;
    r.PlainErrorBox = true;
    ShowMessage(r);
}
