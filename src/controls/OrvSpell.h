#pragma once
// Spelling check of memo texts (Ctrl+F2) with Hunspell and the Dutch dictionary.

#include <QtWidgets/QDialog>
#include <QtWidgets/QPlainTextEdit>

#include <memory>

class Hunspell;
class QLineEdit;
class QListWidget;

// Where the dictionaries (<language>.aff and <language>.dic) are looked for; tests point it elsewhere.
QString SpellDictionaryDirectory();
// An empty directory returns to the system's dictionaries.
void SetSpellDictionaryDirectory(const QString& directory);

class TSpellService {
public:
    // Raises "Word is niet aanwezig" when the language has no dictionary.
    explicit TSpellService(const QString& language);
    ~TSpellService();
    bool IsCorrect(const QString& word) const;
    QStringList Suggestions(const QString& word) const;

private:
    std::unique_ptr<Hunspell> FHunspell;
};

// One misspelt word: the user replaces it, skips it (once or everywhere) or stops the check.
class TfrmSpelling : public QDialog {
    Q_OBJECT
public:
    enum TAnswer { saReplace = 10, saIgnore, saIgnoreAll, saStop };
    TfrmSpelling(const QString& caption, const QString& word, const QStringList& suggestions, QWidget* parent);
    QString Replacement() const;

private:
    QLineEdit* FReplacement;
    QListWidget* FSuggestions;
};

class TSpelCheckMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TSpelCheckMemo(QWidget* parent = nullptr);

    QString Language() const { return FLanguage; }
    void SetLanguage(const QString& language) { FLanguage = language; }
    QString SpellCaption() const { return FSpellCaption; }
    void SetSpellCaption(const QString& caption) { FSpellCaption = caption; }
    bool ShowMessageAfterSpelling() const { return FShowMessageAfterSpelling; }
    void SetShowMessageAfterSpelling(bool show) { FShowMessageAfterSpelling = show; }
    bool RaiseException() const { return FRaiseException; }
    void SetRaiseException(bool raise) { FRaiseException = raise; }
    QString LastError() const { return FLastError; }

    // Checks the selected text, or the whole text when nothing is selected (Ctrl+F2). An error is kept as
    // the last error and raised again when RaiseException is set.
    void CheckSpelling();

Q_SIGNALS:
    void BeforeSpelling();
    void AfterSpelling();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SpellText();
    void PutBack(const QString& text);

    QString FLanguage = QStringLiteral("nl");
    QString FSpellCaption = QStringLiteral("Spelling");
    bool FShowMessageAfterSpelling = true;
    bool FRaiseException = false;
    QString FLastError;
};
