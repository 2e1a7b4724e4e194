#pragma once
// A disabled input control cannot be selected, so a right click on it offers one menu item, "Kopiëren",
// that puts its whole text on the clipboard. One handler serves the whole program.

#include <QObject>
#include <QPointer>

class QMenu;
class QWidget;

class TRightMouseClickOnDisabledControlHandler : public QObject {
    Q_OBJECT
public:
    // Watches the application's mouse presses until destroyed.
    explicit TRightMouseClickOnDisabledControlHandler(QObject* owner = nullptr);
    QMenu* pmDisabled;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void mnCopyClick();
    QPointer<QWidget> FControl;  // the control the menu was opened for
    bool FPopupPending = false;  // a press was seen and its menu is yet to open
};

// The control's whole text on the clipboard, for the controls that take part (edit, memo, numeric edit).
bool ForceCopyToClipboard(QWidget* control);
