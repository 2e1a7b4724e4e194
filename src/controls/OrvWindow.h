#pragma once
// The window of the program: white, Arial 13 px, picture buttons with a hover picture, Escape closes, F1
// opens help at the window's topic, Alt shows the buttons' accelerator letters, and a guard against showing a
// window that was not initialised. The base windows of the forms and the pick list's window derive from it.

#include <QList>
#include <QtWidgets/QDialog>

class QAction;
class QFrame;
class QLabel;
class TOrvButton;

// Modal results of the program's windows.
enum TModalResult { mrNone = 0, mrOK = 1, mrCancelled = 2 };

class TOrvWindow : public QDialog {
    Q_OBJECT
public:
    explicit TOrvWindow(QWidget* owner = nullptr);

    // Marks the window initialised; concrete windows add their own Initialize with parameters and call
    // this one first.
    virtual void Initialize();
    bool Initialized() const { return FInitialized; }

    // A window whose Initialize has not run is not shown: exec raises "Het scherm is niet initialized." to
    // its caller; show (any way the toolkit shows it) reports it through the default error handler.
    void setVisible(bool visible) override;
    int exec() override;
    // Cancel ends a modal window with result 2.
    void reject() override;

    int HelpContext() const { return FHelpContext; }
    void SetHelpContext(int topic) { FHelpContext = topic; }

    // Applies the program's control styling to the controls this window owns.
    void FixControls();
    void ShowAccelerators();
    void HideAccelerators();

    QAction* acHelp;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // F1 or a help button: the window's topic, or the host control's for an embedded window without one.
    virtual void acHelpExecute();
    // The name of the actual window class, for error prefixes.
    QString ClassName() const;

    QLabel* imgButton;
    QLabel* imgButtonHover;

private:
    bool FInitialized = false;
    bool bAltPressed = false;
    int FHelpContext = 0;
};

// A named panel without a frame, the building block of the windows' layouts.
QFrame* NewPanel(QWidget* parent, const char* name);

// The layout of a window with a bottom bar: the body panel (light blue, 4 pixels inside) above the bar, both
// in Arial 13 px.
struct TBodyAndBar {
    QFrame* Body;
    QFrame* Bar;
};
TBodyAndBar NewBodyAndBar(QWidget* window, int barHeight);

// The window a control belongs to: its nearest TOrvWindow ancestor, so an embedded window's controls are
// its own and not the host's.
TOrvWindow* OwningWindow(const QWidget* control);

// A button of a window's bottom bar: the action's caption on the program's button picture, 110 x 34.
TOrvButton* NewBarButton(QWidget* bar, const char* name, QAction* action);
// Centres the bar's buttons in their order, 2 pixels apart; a hidden button takes no room.
void CentreBarButtons(const QWidget* bar, const QList<TOrvButton*>& buttons);
