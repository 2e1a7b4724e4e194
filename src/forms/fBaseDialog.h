#pragma once
// A window with a bar of picture buttons along the top, "&Sluiten" kept at the bar's right end, and a body
// panel below it.

#include "forms/fBaseForm.h"

class QFrame;
class TOrvButton;

class TBaseDialog : public TBaseForm {
    Q_OBJECT
public:
    explicit TBaseDialog(QWidget* owner = nullptr);

    QFrame* pnlToolbar;
    TOrvButton* btnSluiten;
    QFrame* pnlBody;
    QAction* acExit;

protected:
    // A picture button of the bar, run by the action; the window places it.
    TOrvButton* ToolbarButton(const char* name, QAction* action);
    // Puts the buttons from the left in this order, 2 pixels apart, starting 6 pixels from the left.
    void LineUpToolbar(const QList<TOrvButton*>& buttons);
    // An action of the window with its caption, hint ("short|long") and shortcut.
    QAction* WindowAction(const char* name, const QString& caption, const QString& hint,
                          const QKeySequence& shortcut = QKeySequence());
    void resizeEvent(QResizeEvent* event) override;
};
