#include "controls/OrvSpell.h"

#include "controls/OrvComp.h"
#include "core/OrvMessages.h"
#include "support/OrvErrors.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QtGui/QKeyEvent>
#include <QtGui/QTextCursor>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>

#include <hunspell/hunspell.hxx>

ORV_METHOD_PREFIXES(TSpelCheckMemo)

namespace {
const QString kSystemDictionaries = QStringLiteral("/usr/share/hunspell");
QString dictionaryDirectory;
}

QString SpellDictionaryDirectory() { return dictionaryDirectory.isEmpty() ? kSystemDictionaries : dictionaryDirectory; }

void SetSpellDictionaryDirectory(const QString& directory) { dictionaryDirectory = directory; }

TSpellService::TSpellService(const QString& language) {
    const QString base = SpellDictionaryDirectory() + u'/' + language;
    if (language.isEmpty() || !QFileInfo::exists(base + QStringLiteral(".aff")) ||
        !QFileInfo::exists(base + QStringLiteral(".dic")))
        throw EOrvError(QStringLiteral("Word is niet aanwezig"));
    FHunspell = std::make_unique<Hunspell>(QFile::encodeName(base + QStringLiteral(".aff")).constData(),
                                           QFile::encodeName(base + QStringLiteral(".dic")).constData());
}

TSpellService::~TSpellService() = default;

bool TSpellService::IsCorrect(const QString& word) const { return FHunspell->spell(word.toStdString()); }

QStringList TSpellService::Suggestions(const QString& word) const {
    QStringList result;
    for (const std::string& suggestion : FHunspell->suggest(word.toStdString()))
        result << QString::fromStdString(suggestion);
    return result;
}

TfrmSpelling::TfrmSpelling(const QString& caption, const QString& word, const QStringList& suggestions, QWidget* parent)
    : QDialog(parent), FReplacement(new QLineEdit(this)), FSuggestions(new QListWidget(this)) {
    setObjectName(QStringLiteral("frmSpelling"));
    setWindowTitle(caption);
    auto* grid = new QGridLayout(this);
    auto* word_ = new QLabel(word, this);
    word_->setObjectName(QStringLiteral("lblWord"));
    QFont bold = word_->font();
    bold.setBold(true);
    word_->setFont(bold);
    grid->addWidget(new QLabel(QStringLiteral("Niet in de woordenlijst:"), this), 0, 0);
    grid->addWidget(word_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Vervangen door:"), this), 1, 0);
    FReplacement->setObjectName(QStringLiteral("edReplacement"));
    FReplacement->setText(suggestions.value(0, word));
    grid->addWidget(FReplacement, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Suggesties:"), this), 2, 0, Qt::AlignTop);
    FSuggestions->setObjectName(QStringLiteral("lstSuggestions"));
    FSuggestions->addItems(suggestions);
    grid->addWidget(FSuggestions, 2, 1);
    connect(FSuggestions, &QListWidget::currentTextChanged, FReplacement, &QLineEdit::setText);
    connect(FSuggestions, &QListWidget::itemDoubleClicked, this, [this] { done(saReplace); });

    const struct {
        const char* Name;
        const char* Caption;
        TAnswer Answer;
    } buttons[] = {{"btnReplace", "&Vervangen", saReplace},
                   {"btnIgnore", "&Negeren", saIgnore},
                   {"btnIgnoreAll", "&Alles negeren", saIgnoreAll},
                   {"btnStop", "&Stoppen", saStop}};
    int row = 0;
    for (const auto& b : buttons) {
        auto* button = new QPushButton(QString::fromUtf8(b.Caption), this);
        button->setObjectName(QString::fromLatin1(b.Name));
        connect(button, &QPushButton::clicked, this, [this, answer = b.Answer] { done(answer); });
        grid->addWidget(button, row++, 2);
    }
}

QString TfrmSpelling::Replacement() const { return FReplacement->text(); }

TSpelCheckMemo::TSpelCheckMemo(QWidget* parent) : QPlainTextEdit(parent) {}

void TSpelCheckMemo::CheckSpelling() {
    FLastError.clear();
    try {
        WithPrefix(Prefix("CheckSpelling"), [this] {
            Q_EMIT BeforeSpelling();
            SpellText();
            Q_EMIT AfterSpelling();
        });
    } catch (const EOrvError& e) {
        // Kept for the caller to read; raised again only when the window asks for it.
        FLastError = e.Message();
        if (FRaiseException) throw;
    }
}

void TSpelCheckMemo::SpellText() {
    const TSpellService service(FLanguage);
    const QTextCursor cursor = textCursor();
    QString original = cursor.hasSelection() ? cursor.selectedText() : toPlainText();
    original.replace(QChar::ParagraphSeparator, u'\n');
    QString text = original;
    static const QRegularExpression wordPattern(QStringLiteral("\\p{L}+(?:['’-]\\p{L}+)*"));
    QSet<QString> ignored;
    bool correct = true;
    qsizetype position = 0;
    for (;;) {
        const QRegularExpressionMatch match = wordPattern.match(text, position);
        if (!match.hasMatch()) break;
        const QString word = match.captured();
        position = match.capturedEnd();
        if (ignored.contains(word) || service.IsCorrect(word)) continue;
        correct = false;
        TfrmSpelling dialog(FSpellCaption, word, service.Suggestions(word), this);
        const int answer = RunModal([&] { return dialog.exec(); });
        if (answer == TfrmSpelling::saReplace) {
            text.replace(match.capturedStart(), word.size(), dialog.Replacement());
            position = match.capturedStart() + dialog.Replacement().size();
        } else if (answer == TfrmSpelling::saIgnoreAll) {
            ignored.insert(word);
        } else if (answer != TfrmSpelling::saIgnore) {
            break;
        }
    }
    if (text != original) PutBack(text);
    if (FShowMessageAfterSpelling)
        ShowWarning(correct ? QStringLiteral("De spelling van de tekst is correct.")
                            : QStringLiteral("De spelling van de tekst is niet correct."));
}

void TSpelCheckMemo::PutBack(const QString& text) {
    QTextCursor cursor = textCursor();
    if (!cursor.hasSelection()) cursor.select(QTextCursor::Document);
    // Through the cursor, so the correction can be undone.
    cursor.insertText(text);
    setTextCursor(cursor);
}

void TSpelCheckMemo::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F2 && event->modifiers() == Qt::ControlModifier) {
        // Only the spelling: a grammar step needs a grammar service, and there is none beside the spelling
        // dictionaries, so it is left out rather than reported as missing after every check.
        GuardUiAction([&] { CheckSpelling(); });
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}
