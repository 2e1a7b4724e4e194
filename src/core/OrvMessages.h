#pragma once
// The message seam. Every message, error and question of the program goes through one installed
// presenter: the program installs the message dialog, tests install a scripted presenter.

#include <QObject>
#include <QString>
#include <QtGlobal>

#include <exception>
#include <type_traits>
#include <utility>

enum class TOrvMessageType { mtMessage, mtMessageEx, mtError, mtQuestion, mtWarning };
enum class TOrvMessagesLanguage { mlUk, mlNL };

// Modal results of the message dialog.
enum TMessageResult { mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

// Error texts are shown in red.
constexpr quint32 kErrorMessageColor = 0xFF0000;

struct TMessageTeksten {
    QString Application = QStringLiteral("Gebruik MessageTeksten.Application");
    QString Warning = QStringLiteral("Melding");
};
extern TMessageTeksten MessageTeksten;

// One request to show a message: everything the dialog needs.
struct TMessageRequest {
    TOrvMessageType Kind = TOrvMessageType::mtMessage;
    QString Caption;
    QString Title;
    QString Text;
    int ButtonSet = 0;                // 0 Ok; 1 Ok/Annuleren; 3 Ja/Nee/Annuleren; 4 Ja/Nee
    quint32 MessageColor = 0x000000;  // RGB of the message text
    int ActiveButton = 1;
    TOrvMessagesLanguage Language = TOrvMessagesLanguage::mlNL;
    bool Beep = false;
    // The application's default error handler: a plain error box instead of the message dialog.
    bool PlainErrorBox = false;
};

class TMessagePresenter {
public:
    virtual ~TMessagePresenter() = default;
    // Shows the request and returns the modal result.
    virtual int Present(const TMessageRequest& request) = 0;
};

// Installs the presenter (not owned); nullptr returns to the console presenter, which writes to stderr
// and answers every question with the first button.
void SetMessagePresenter(TMessagePresenter* presenter);
TMessagePresenter* CurrentMessagePresenter();

int ShowMessage(const TMessageRequest& request);

void ShowWarning(const QString& text);
void ShowError(const QString& title, const QString& text);
int AskQuestion(const QString& title, const QString& text, bool allowCancel);
// The application's default error handler: an escaped error in a plain error box.
void ShowUnhandledError(const QString& text);

// The text of an error that carries no message of its own.
inline constexpr const char* kUnknownError = "Onbekende fout";

// The guard around every UI handler (action, button, event): errors never cross the event loop; one that
// escapes the body goes to the default error handler.
template <class Body> void GuardUiAction(Body&& body) {
    try {
        body();
    } catch (const std::exception& e) {
        ShowUnhandledError(QString::fromUtf8(e.what()));
    } catch (...) {
        ShowUnhandledError(QString::fromLatin1(kUnknownError));
    }
}

// The same for an action that reports its own failure: the error dialog under the action's title.
template <class Body> void GuardUiAction(const QString& errorTitle, Body&& body) {
    try {
        body();
    } catch (const std::exception& e) {
        ShowError(errorTitle, QString::fromUtf8(e.what()));
    } catch (...) {
        ShowError(errorTitle, QString::fromLatin1(kUnknownError));
    }
}

namespace detail {
// A handler may take the signal's arguments or none.
template <class Handler, class... Args> void CallHandler(Handler& handler, Args&... args) {
    if constexpr (std::is_invocable_v<Handler&, Args&...>)
        handler(args...);
    else
        handler();
}
}

// Connects a signal to a handler that runs through the UI guard.
template <class Sender, class Signal, class Handler>
QMetaObject::Connection ConnectGuarded(Sender* sender, Signal signal, const QObject* context, Handler handler) {
    return QObject::connect(sender, signal, context, [handler = std::move(handler)](auto... args) mutable {
        GuardUiAction([&] { detail::CallHandler(handler, args...); });
    });
}

// The same for an action that reports its own failure under its title.
template <class Sender, class Signal, class Handler>
QMetaObject::Connection ConnectGuarded(Sender* sender, Signal signal, const QObject* context, const QString& errorTitle,
                                       Handler handler) {
    return QObject::connect(sender, signal, context, [handler = std::move(handler), errorTitle](auto... args) mutable {
        GuardUiAction(errorTitle, [&] { detail::CallHandler(handler, args...); });
    });
}
