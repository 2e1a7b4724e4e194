#pragma once
// The message dialog: every message, error and question of the program. Errors show a short text and
// keep the full text behind "Details >>"; the context menu copies or prints the full text.

#include "core/OrvMessageText.h"
#include "core/OrvMessages.h"

#include <QtWidgets/QDialog>

class QFrame;
class QLabel;
class QMenu;
class QPrinter;
class QTextEdit;
class TOrvButton;

class TOrvMessageForm : public QDialog {
    Q_OBJECT
public:
    explicit TOrvMessageForm(QWidget* parent = nullptr);

    // Fills the window and sets its height for the message; buttonSet's low four bits choose the buttons.
    void Prepare(TOrvMessageType kind, const QString& caption, const QString& title, const QString& text, int buttonSet,
                 const QColor& messageColor, int activeButton, TOrvMessagesLanguage language);

    QString HeaderTxt() const { return windowTitle(); }
    QString TitleTxt() const;
    QString MessageTxt() const { return FText.Message; }
    QString DetailTxt() const { return FText.Detail; }
    int NumberOfButtons() const { return FNumberOfButtons; }
    bool CloseOnEscape() const { return FCloseOnEscape; }
    bool DetailsOpen() const;
    void ToggleDetails();
    void CopyToClipboard() const;
    // Prints the full text; a failing printer is ignored.
    void Print() const;
    // The printed lines, tabs included.
    QStringList PrintLines() const;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetUpButtons();
    void PlaceButtons();
    int MessageLines(int width) const;
    // Sizes the window so the message area is exactly FMessageHeight high.
    void FitMessageArea();

    QWidget* FButtonBar;
    TOrvButton* FButtons[3];
    QLabel* FTitle;
    QTextEdit* FMessage;
    QLabel* FDetailsLink;
    QWidget* FDetailsPanel;
    QTextEdit* FDetails;
    QMenu* FPopupMenu;
    TMessageText FText;
    TOrvMessageType FMessageType = TOrvMessageType::mtMessage;
    TOrvMessagesLanguage FLanguage = TOrvMessagesLanguage::mlNL;
    int FMessageHeight = 0;
    int FParamsLow = 0;
    int FActiveButton = 1;
    int FNumberOfButtons = 1;
    bool FCloseOnEscape = false;
};

int ShowMessageForm(TOrvMessageType kind, const QString& caption, const QString& title, const QString& text,
                    int buttonSet, const QColor& messageColor, int activeButton, TOrvMessagesLanguage language);

// Where the message dialog prints: empty for the default printer, else a PDF file (tests).
void SetMessagePrintFile(const QString& pdfFile);

// Shows message requests in the message dialog, and the default error handler's requests in a plain
// error box.
class TMessageDialogPresenter : public TMessagePresenter {
public:
    int Present(const TMessageRequest& request) override;
};

void InstallMessageDialogPresenter();
