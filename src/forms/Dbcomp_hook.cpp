#include "forms/Dbcomp_hook.h"

#include "controls/OrvComp.h"
#include "controls/OrvNumed.h"
#include "core/OrvMessages.h"
#include "support/OrvErrors.h"

#include <QTimer>
#include <QtGui/QClipboard>
#include <QtGui/QCursor>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMenu>
#include <QtWidgets/QPlainTextEdit>

ORV_METHOD_PREFIXES(TRightMouseClickOnDisabledControlHandler)

namespace {
// A control is a few widgets deep: a memo's viewport, a numeric edit's display label, a bound control's
// inner edit.
constexpr int kMaxClimb = 3;
const char* const kCopyWhenDisabled = "CopyWhenDisabled";

// The control under the press that takes part, or nullptr. A widget that states CopyWhenDisabled decides
// for itself and the widgets inside it.
QWidget* TakingPartControl(QWidget* deepest) {
    QWidget* candidate = deepest;
    for (int step = 0; candidate && step <= kMaxClimb; ++step, candidate = candidate->parentWidget()) {
        const QVariant copyWhenDisabled = candidate->property(kCopyWhenDisabled);
        if (copyWhenDisabled.isValid()) return copyWhenDisabled.toBool() ? candidate : nullptr;
    }
    candidate = deepest;
    for (int step = 0; candidate && step <= kMaxClimb; ++step, candidate = candidate->parentWidget())
        if (qobject_cast<TOrvEdit*>(candidate) || qobject_cast<TOrvMemo*>(candidate) ||
            qobject_cast<TOrvNumericEdit*>(candidate))
            return candidate;
    return nullptr;
}
}

TRightMouseClickOnDisabledControlHandler::TRightMouseClickOnDisabledControlHandler(QObject* owner) : QObject(owner) {
    pmDisabled = new QMenu;
    pmDisabled->setObjectName(QStringLiteral("pmDisabled"));
    QAction* mnCopy = pmDisabled->addAction(QStringLiteral("Kopiëren"));
    ConnectGuarded(mnCopy, &QAction::triggered, this, [this] { mnCopyClick(); });
    mnCopy->setObjectName(QStringLiteral("mnCopy"));
    // A menu is a widget and cannot be a child of this object; it goes when this object goes.
    connect(this, &QObject::destroyed, pmDisabled, [menu = pmDisabled] { delete menu; });
    qApp->installEventFilter(this);
}

bool TRightMouseClickOnDisabledControlHandler::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress) return false;
    const auto* press = static_cast<QMouseEvent*>(event);
    // One press passes the filter once for every widget it is offered to; the first one decides.
    if (press->button() != Qt::RightButton || FPopupPending) return false;
    QWidget* control = TakingPartControl(QApplication::widgetAt(press->globalPosition().toPoint()));
    if (!control || control->isEnabled()) return false;
    FControl = control;
    FPopupPending = true;
    // After the press has been handled, as a right click normally opens a menu.
    QTimer::singleShot(0, this, [this] {
        FPopupPending = false;
        if (FControl) pmDisabled->popup(QCursor::pos());
    });
    return false;
}

void TRightMouseClickOnDisabledControlHandler::mnCopyClick() {
    const QPointer<QWidget> control = FControl;
    // The window may have closed while the menu was open: nothing left to copy.
    if (!control) return;
    WithPrefix(Prefix("mnCopyClick"), [&] {
        if (!ForceCopyToClipboard(control))
            throw EOrvError(QStringLiteral("Control ") + control->objectName() +
                            QStringLiteral(" has no text to copy."));
    });
}

bool ForceCopyToClipboard(QWidget* control) {
    if (!control) throw EOrvError(QStringLiteral("ForceCopyToClipboard: No control specified"));
    QString text;
    if (auto* numeric = qobject_cast<TOrvNumericEdit*>(control))
        text = numeric->text().trimmed();  // without the blanks of the template
    else if (auto* edit = qobject_cast<QLineEdit*>(control))
        text = edit->text();
    else if (auto* memo = qobject_cast<QPlainTextEdit*>(control))
        text = memo->toPlainText();
    else if (const QVariant textProperty = control->property("text"); textProperty.canConvert<QString>())
        text = textProperty.toString();
    else
        return false;
    QGuiApplication::clipboard()->setText(text);
    return true;
}
