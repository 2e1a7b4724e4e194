#pragma once
// The common ancestor of the program's windows: white, Arial 13 px, picture buttons with a hover
// picture, Escape closes, F1 opens help at the window's topic, Alt shows the buttons' accelerator letters,
// a guard against showing a window that was not initialised, and windows embedded in a control.

#include <QHash>
#include <QPointer>
#include <QtWidgets/QDialog>

class QAction;
class QFrame;
class QLabel;
class TOrvCheckBox;

// Modal results of the program's windows.
enum TModalResult { mrNone = 0, mrOK = 1, mrCancelled = 2 };

class TBaseForm : public QDialog {
    Q_OBJECT
public:
    explicit TBaseForm(QWidget* owner = nullptr);
    ~TBaseForm() override;

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

    // Creates a window of childFormClass (a TBaseChild class with a Q_INVOKABLE (QWidget* owner)
    // constructor) embedded in parentControl, hidden until its own Initialize runs.
    TBaseForm* CreateChildForm(const QMetaObject* childFormClass, QWidget* parentControl);
    bool ChildFormExists(QWidget* parentControl) const;
    // Sets the check box without running its click handlers.
    void SetCheckboxCheckedWithoutOnClickEvent(TOrvCheckBox* checkBox, bool checked);

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
    QHash<QString, QPointer<TBaseForm>> FChildFormList;  // by the host control's lower-case name
};

// A named panel without a frame, the building block of the windows' layouts.
QFrame* NewPanel(QWidget* parent, const char* name);

// The window a control belongs to: its nearest TBaseForm ancestor, so an embedded window's controls are
// its own and not the host's.
TBaseForm* OwningForm(const QWidget* control);
