#pragma once
// The character picker "Character keuze" (F11 in edits): characters that are hard to type.

#include <QtWidgets/QDialog>

class TfrmCharSet : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCharSet(QWidget* parent = nullptr);
    QChar Chosen() const { return FChosen; }

    // Shows the picker; the chosen character, or a null character when the user cancelled.
    static QChar Choose(QWidget* parent);

private:
    QChar FChosen;
};
