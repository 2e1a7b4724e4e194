#include "controls/Orvmbox.h"

#include "controls/OrvComp.h"
#include "platform/Clock.h"

#include <QtGui/QAction>
#include <QtGui/QClipboard>
#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtGui/QTextBlock>
#include <QtGui/QTextCursor>
#include <QtGui/QTextDocument>
#include <QtGui/QTextLayout>
#include <QtPrintSupport/QPrinter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFrame>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QTextEdit>
#include <QtWidgets/QVBoxLayout>

namespace {
const QColor kTitleColor(224, 46, 52);
const QColor kBarColor(224, 46, 52);
const QColor kBackgroundColor(255, 207, 207);
constexpr int kDesignWidth = 373;
constexpr int kDesignHeight = 392;
constexpr int kDetailsHeight = 150;
constexpr int kLineHeight = 17;
constexpr int kMaxLines = 25;
constexpr int kButtonWidth = 110;
constexpr int kButtonHeight = 34;
constexpr int kPrintPieceLength = 80;

QString printFile;

QWidget* Panel(const char* name, QWidget* parent, const QColor& colour) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setAutoFillBackground(true);
    QPalette p = panel->palette();
    p.setColor(QPalette::Window, colour);
    panel->setPalette(p);
    return panel;
}

QTextEdit* Memo(const char* name, QWidget* parent) {
    auto* memo = new QTextEdit(parent);
    memo->setObjectName(QString::fromLatin1(name));
    memo->setReadOnly(true);
    memo->setAcceptRichText(false);
    memo->setFont(ArialPixels(13));
    // The window's context menu and Ctrl+C act on the full text, not on a selection in the memo.
    memo->setContextMenuPolicy(Qt::NoContextMenu);
    memo->setFocusPolicy(Qt::NoFocus);
    return memo;
}

QString PlainLines(const QString& crLfText) {
    return QString(crLfText).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

struct TButtonChoice {
    const char* Dutch;
    const char* English;
    int Result;
};
}

TOrvMessageForm::TOrvMessageForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("OrvMessageForm"));
    QFont defaultFont(QStringLiteral("MS Sans Serif"));
    defaultFont.setPointSize(8);
    setFont(defaultFont);
    setMinimumSize(296, 193);
    resize(kDesignWidth, kDesignHeight);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);

    auto* panel2 = new QFrame(this);
    panel2->setObjectName(QStringLiteral("Panel2"));
    panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel2->setAutoFillBackground(true);
    QPalette white = panel2->palette();
    white.setColor(QPalette::Window, Qt::white);
    panel2->setPalette(white);
    auto* panel2Layout = new QHBoxLayout(panel2);
    panel2Layout->setContentsMargins(4, 4, 4, 4);
    panel2Layout->setSpacing(0);
    QWidget* bar = Panel("Panel3", panel2, kBarColor);
    bar->setFixedWidth(20);
    panel2Layout->addWidget(bar);
    QWidget* content = Panel("Panel4", panel2, kBackgroundColor);
    panel2Layout->addWidget(content, 1);
    auto* contentLayout = new QVBoxLayout(content);
    contentLayout->setContentsMargins(2, 2, 2, 2);
    contentLayout->setSpacing(0);

    QWidget* titlePanel = Panel("Panel5", content, kBackgroundColor);
    titlePanel->setFixedHeight(31);
    FTitle = new QLabel(titlePanel);
    FTitle->setObjectName(QStringLiteral("lblTitle"));
    FTitle->setTextFormat(Qt::PlainText);
    FTitle->setWordWrap(true);
    QFont titleFont = ArialPixels(13);
    titleFont.setBold(true);
    FTitle->setFont(titleFont);
    contentLayout->addWidget(titlePanel);

    QWidget* messagePanel = Panel("Panel1", content, kBackgroundColor);
    auto* messageLayout = new QVBoxLayout(messagePanel);
    messageLayout->setContentsMargins(0, 0, 0, 0);
    messageLayout->setSpacing(0);
    auto* memoRow = new QHBoxLayout;
    memoRow->setSpacing(0);
    QWidget* left = Panel("pnlLeft", messagePanel, kBackgroundColor);
    left->setFixedWidth(10);
    QWidget* right = Panel("pnlRight", messagePanel, kBackgroundColor);
    right->setFixedWidth(10);
    FMessage = Memo("memoMessage", messagePanel);
    FMessage->setFrameStyle(QFrame::NoFrame);
    FMessage->document()->setDocumentMargin(0);
    FMessage->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FMessage->setMinimumHeight(kLineHeight);
    memoRow->addWidget(left);
    memoRow->addWidget(FMessage, 1);
    memoRow->addWidget(right);
    messageLayout->addLayout(memoRow, 1);
    QWidget* bottom = Panel("pnlBottom", messagePanel, kBackgroundColor);
    bottom->setFixedHeight(19);
    auto* bottomLayout = new QHBoxLayout(bottom);
    bottomLayout->setContentsMargins(0, 0, 10, 0);
    FDetailsLink = new QLabel(QStringLiteral("Details >>"), bottom);
    FDetailsLink->setObjectName(QStringLiteral("lblDetails"));
    FDetailsLink->setFont(ArialPixels(13));
    FDetailsLink->setCursor(Qt::PointingHandCursor);
    FDetailsLink->installEventFilter(this);
    bottomLayout->addStretch(1);
    bottomLayout->addWidget(FDetailsLink);
    messageLayout->addWidget(bottom);
    contentLayout->addWidget(messagePanel, 1);

    FDetailsPanel = new QWidget(content);
    FDetailsPanel->setObjectName(QStringLiteral("Panel6"));
    FDetailsPanel->setFixedHeight(kDetailsHeight);
    auto* detailsLayout = new QVBoxLayout(FDetailsPanel);
    detailsLayout->setContentsMargins(0, 0, 0, 0);
    FDetails = Memo("memoDetails", FDetailsPanel);
    FDetails->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    detailsLayout->addWidget(FDetails);
    FDetailsPanel->hide();
    contentLayout->addWidget(FDetailsPanel);
    root->addWidget(panel2, 1);

    FButtonBar = Panel("pnlButtons", this, Qt::white);
    FButtonBar->setFixedHeight(52);
    root->addWidget(FButtonBar);
    for (int i = 0; i < 3; ++i) {
        auto* button = new TOrvButton(FButtonBar);
        button->setObjectName(QStringLiteral("Button%1").arg(i + 1));
        button->resize(kButtonWidth, kButtonHeight);
        StyleAsPictureButton(button);
        button->hide();
        FButtons[i] = button;
    }

    FPopupMenu = new QMenu(this);
    FPopupMenu->setObjectName(QStringLiteral("PopupMenu1"));
    QAction* copy =
        FPopupMenu->addAction(QStringLiteral("&Copy to clipboard"), this, &TOrvMessageForm::CopyToClipboard);
    copy->setObjectName(QStringLiteral("Copy1"));
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    QAction* print = FPopupMenu->addAction(QStringLiteral("Print"), this, &TOrvMessageForm::Print);
    print->setObjectName(QStringLiteral("Print1"));
    print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    addAction(copy);
    addAction(print);
}

QString TOrvMessageForm::TitleTxt() const { return FTitle->text(); }

void TOrvMessageForm::Prepare(TOrvMessageType kind, const QString& caption, const QString& title, const QString& text,
                              int buttonSet, const QColor& messageColor, int activeButton,
                              TOrvMessagesLanguage language) {
    FMessageType = kind;
    FLanguage = language;
    setWindowTitle(caption);
    FTitle->setText(title);
    FText = ProcessMessageText(kind, text);

    QPalette titlePalette = FTitle->palette();
    titlePalette.setColor(QPalette::WindowText, kTitleColor);
    FTitle->setPalette(titlePalette);
    FDetailsLink->setPalette(titlePalette);
    QPalette memoPalette = FMessage->palette();
    memoPalette.setColor(QPalette::Base, kBackgroundColor);
    memoPalette.setColor(QPalette::Text, messageColor);
    FMessage->setPalette(memoPalette);

    FMessage->setPlainText(PlainLines(FText.Message));
    QTextCursor all(FMessage->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat lines;
    lines.setLineHeight(kLineHeight, QTextBlockFormat::FixedHeight);
    all.mergeBlockFormat(lines);
    FDetails->setPlainText(PlainLines(FText.Detail));
    FDetailsLink->setVisible(FText.HasDetails());
    FDetailsPanel->hide();
    FDetailsLink->setText(QStringLiteral("Details >>"));

    resize(kDesignWidth, kDesignHeight - kDetailsHeight);
    layout()->activate();
    const int wrappedLines = MessageLines(FMessage->width());
    FMessage->setVerticalScrollBarPolicy(wrappedLines > kMaxLines ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    FMessageHeight = kLineHeight * std::min(wrappedLines, kMaxLines);
    FitMessageArea();

    FParamsLow = buttonSet & 15;
    FActiveButton = activeButton;
    SetUpButtons();
}

int TOrvMessageForm::MessageLines(int width) const {
    QTextDocument document;
    document.setDefaultFont(FMessage->font());
    document.setDocumentMargin(0);
    document.setPlainText(PlainLines(FText.Message));
    document.setTextWidth(width);
    document.size();  // lays the text out
    int lines = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        lines += std::max(1, block.layout()->lineCount());
    return lines;
}

void TOrvMessageForm::SetUpButtons() {
    static const TButtonChoice ok{"Ok", "Ok", mrOk};
    static const TButtonChoice cancel{"Annuleren", "Cancel", mrCancel};
    static const TButtonChoice yes{"Ja", "Yes", mrYes};
    static const TButtonChoice no{"Nee", "No", mrNo};
    QList<TButtonChoice> choices;
    switch (FParamsLow) {
    case 1:
        choices = {ok, cancel};
        break;
    case 3:
        choices = {yes, no, cancel};
        break;
    case 4:
        choices = {yes, no};
        break;
    default:
        // Unknown sets get the plain Ok, so the window can always be answered.
        choices = {ok};
        break;
    }
    FCloseOnEscape = FParamsLow == 1 || FParamsLow == 3;
    FNumberOfButtons = int(choices.size());
    for (int i = 0; i < 3; ++i) {
        TOrvButton* button = FButtons[i];
        const bool used = i < FNumberOfButtons;
        button->setVisible(used);
        if (!used) continue;
        const TButtonChoice& choice = choices.at(i);
        button->SetCaption(
            QString::fromLatin1(FLanguage == TOrvMessagesLanguage::mlNL ? choice.Dutch : choice.English));
        button->SetModalResult(choice.Result);
    }
    PlaceButtons();
}

void TOrvMessageForm::PlaceButtons() {
    const int w = FButtonBar->width();
    const int top = (FButtonBar->height() - kButtonHeight) / 2;
    int lefts[3] = {};
    if (FNumberOfButtons == 1) {
        lefts[0] = w / 2 - kButtonWidth / 2;
    } else if (FNumberOfButtons == 2) {
        lefts[0] = w / 2 - 1 - kButtonWidth;
        lefts[1] = w / 2 + 1;
    } else {
        lefts[1] = w / 2 - kButtonWidth / 2;
        lefts[0] = lefts[1] - 8 - kButtonWidth;
        lefts[2] = lefts[1] + kButtonWidth + 8;
    }
    for (int i = 0; i < FNumberOfButtons; ++i) FButtons[i]->move(lefts[i], top);
    const int titleWidth = w - 47;
    FTitle->setGeometry(10, 7, std::max(titleWidth, 0), 22);
    FTitle->setMaximumWidth(std::max(titleWidth, 0));
}

void TOrvMessageForm::FitMessageArea() {
    layout()->activate();
    resize(width(), height() + FMessageHeight - FMessage->height());
    layout()->activate();
}

void TOrvMessageForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The layout of a hidden window is only final once it is shown.
    FitMessageArea();
    PlaceButtons();
    const int active = FActiveButton >= 1 && FActiveButton <= FNumberOfButtons ? FActiveButton : 1;
    FButtons[active - 1]->setFocus();
}

void TOrvMessageForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    PlaceButtons();
}

bool TOrvMessageForm::DetailsOpen() const { return !FDetailsPanel->isHidden(); }

void TOrvMessageForm::ToggleDetails() {
    const bool open = !DetailsOpen();
    const int change = open ? kDetailsHeight : -kDetailsHeight;
    FDetailsPanel->setVisible(open);
    FDetailsLink->setText(open ? QStringLiteral("Details <<") : QStringLiteral("Details >>"));
    resize(width(), height() + change);
    layout()->activate();
}

void TOrvMessageForm::CopyToClipboard() const { QApplication::clipboard()->setText(FText.Detail); }

QStringList TOrvMessageForm::PrintLines() const {
    const QDateTime now = Clock::Now();
    const QLocale locale = QLocale::system();
    QStringList lines;
    lines << u'\t' + HeaderTxt() + u' ' + locale.toString(now.date(), QLocale::ShortFormat) + u' ' +
                 locale.toString(now.time(), QLocale::LongFormat);
    lines << QString() << QString();
    lines << u'\t' + TitleTxt();
    lines << QString();
    // Each line of the text in pieces of 80 characters, so nothing runs off the page.
    for (const QString& line : FText.Detail.split(QStringLiteral("\r\n"))) {
        if (line.isEmpty()) lines << QStringLiteral("\t");
        for (qsizetype i = 0; i < line.size(); i += kPrintPieceLength) lines << u'\t' + line.mid(i, kPrintPieceLength);
    }
    return lines;
}

void TOrvMessageForm::Print() const {
    QPrinter printer;
    if (!printFile.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printFile);
    }
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setDocName(HeaderTxt());
    QPainter painter;
    if (!painter.begin(&printer)) return;  // no printer: nothing to report, the window stays open
    QFont courier(QStringLiteral("Courier"));
    courier.setStyleHint(QFont::Monospace);
    courier.setPointSize(10);
    painter.setFont(courier);
    const QFontMetrics metrics(courier, &printer);
    const int tab = metrics.horizontalAdvance(QStringLiteral("        "));
    const int pageHeight = painter.viewport().height();
    int y = metrics.ascent();
    for (const QString& line : PrintLines()) {
        if (y > pageHeight) {
            printer.newPage();
            y = metrics.ascent();
        }
        const bool indented = line.startsWith(u'\t');
        painter.drawText(indented ? tab : 0, y, indented ? line.mid(1) : line);
        y += metrics.lineSpacing();
    }
    painter.end();
}

void TOrvMessageForm::reject() { done(mrCancel); }

void TOrvMessageForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        if (FCloseOnEscape && event->modifiers() == Qt::NoModifier) done(mrCancel);
        return;
    }
    QDialog::keyPressEvent(event);
}

void TOrvMessageForm::contextMenuEvent(QContextMenuEvent* event) { FPopupMenu->exec(event->globalPos()); }

bool TOrvMessageForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FDetailsLink && event->type() == QEvent::MouseButtonRelease) {
        ToggleDetails();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

int ShowMessageForm(TOrvMessageType kind, const QString& caption, const QString& title, const QString& text,
                    int buttonSet, const QColor& messageColor, int activeButton, TOrvMessagesLanguage language) {
    // Owned by the active window, so the dialog stays in front of it.
    TOrvMessageForm form(QApplication::activeWindow());
    form.Prepare(kind, caption, title, text, buttonSet, messageColor, activeButton, language);
    return RunModal([&] { return form.exec(); });
}

void SetMessagePrintFile(const QString& pdfFile) { printFile = pdfFile; }

int TMessageDialogPresenter::Present(const TMessageRequest& request) {
    if (request.PlainErrorBox) {
        QMessageBox::critical(QApplication::activeWindow(), request.Caption, request.Text);
        return mrOk;
    }
    if (request.Beep) QApplication::beep();
    return ShowMessageForm(request.Kind, request.Caption, request.Title, request.Text, request.ButtonSet,
                           QColor::fromRgb(request.MessageColor), request.ActiveButton, request.Language);
}

void InstallMessageDialogPresenter() {
    static TMessageDialogPresenter presenter;
    SetMessagePresenter(&presenter);
}
