#pragma once
// A window with a body panel and a bottom bar with "&Ok", "&Annuleren" and "&Help", kept centred.

#include "forms/fBaseForm.h"

class QFrame;
class TOrvButton;

class TBaseOkCancel : public TBaseForm {
    Q_OBJECT
public:
    explicit TBaseOkCancel(QWidget* owner = nullptr);

    QFrame* pnlBody;
    QFrame* pnlOkCancel;
    TOrvButton* btnOk;
    TOrvButton* btnCancel;
    TOrvButton* btnHelp;
    QAction* acOk;
    QAction* acCancel;

protected:
    // OK ends the window with result 1; cancel closes it (result 2).
    virtual void acOkExecute();
    virtual void acCancelExecute();
    void resizeEvent(QResizeEvent* event) override;
    // Centres the buttons in the bar: 2 pixels between them, the help button only when visible.
    void PlaceButtons();
};
