#include "platform/SchrijfBestand.h"

#include "platform/FileOperations.h"
#include "support/OrvErrors.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScopeGuard>

#include <algorithm>

namespace {
// A partial file is named after its document: ".rapport.pdf.x7Kq2Z.deel". The six letters keep two
// writers of one document apart; the ending keeps the clean-up away from the user's own hidden files.
constexpr qsizetype kLetters = 6;
const QLatin1String kEnding(".deel");

QString Prefix(const QString& document) { return u'.' + document + u'.'; }

QString PartialName(const QString& document) {
    static const QLatin1String kAlphabet("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
    QString letters;
    for (qsizetype i = 0; i < kLetters; ++i)
        letters += kAlphabet[QRandomGenerator::global()->bounded(kAlphabet.size())];
    return Prefix(document) + letters + kEnding;
}

bool IsPartialOf(const QString& entry, const QString& document) {
    const QString prefix = Prefix(document);
    if (entry.size() != prefix.size() + kLetters + kEnding.size() || !entry.startsWith(prefix) ||
        !entry.endsWith(kEnding))
        return false;
    const QStringView letters = QStringView(entry).mid(prefix.size(), kLetters);
    return std::all_of(letters.begin(), letters.end(),
                       [](QChar c) { return c.isLetterOrNumber() && c.unicode() < 128; });
}

// The partial file notes every write that did not reach the file: a writer on a QIODevice (QPdfWriter)
// ignores a failed write, and a full disk would otherwise leave a cut-off document that looks complete.
// The system's reason is kept from the moment of the failure: the file clears its own error at the next
// write.
class TPartialFile : public QFile {
public:
    bool WriteFailed() const { return FWriteFailed; }
    QString WriteError() const { return FWriteError; }

protected:
    qint64 writeData(const char* data, qint64 length) override {
        const qint64 written = QFile::writeData(data, length);
        if (written != length && !FWriteFailed) {
            FWriteFailed = true;
            FWriteError = errorString();
        }
        return written;
    }

private:
    bool FWriteFailed = false;
    QString FWriteError;
};

EOrvError CannotWrite(const QString& document, const QString& reason) {
    return EOrvError(QStringLiteral("Het bestand %1 kan niet worden geschreven: %2").arg(document, reason));
}

// Makes and holds a partial file of its own beside the document.
void CreatePartial(TPartialFile& partial, const QDir& folder, const QString& document, const QString& shown) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        partial.setFileName(folder.filePath(PartialName(document)));
        if (!partial.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (QFileInfo::exists(partial.fileName())) continue;  // the name is another writer's
            throw CannotWrite(shown, partial.errorString());
        }
        if (HoldWhileWriting(partial)) return;
        partial.close();  // a clean-up took the name before the file was held: make another
    }
    throw CannotWrite(shown, QStringLiteral("geen vrije naam voor een tijdelijk bestand in ") +
                                 QDir::toNativeSeparators(folder.absolutePath()));
}
}

void SchrijfBestand(const QString& path, const std::function<void(QFile& tijdelijk)>& write) {
    WithPrefix(QStringLiteral("SchrijfBestand: "), [&] {
        const QFileInfo target(path);
        const QDir folder = target.absoluteDir();
        const QString document = target.fileName();
        const QString shown = QDir::toNativeSeparators(path);
        for (const QString& entry : folder.entryList(QDir::Files | QDir::Hidden | QDir::System))
            if (IsPartialOf(entry, document)) RemoveIfAbandoned(folder.filePath(entry));

        TPartialFile partial;
        CreatePartial(partial, folder, document, shown);
        auto dropPartial = qScopeGuard([&] {
            partial.close();
            QFile::remove(partial.fileName());
        });
        WithPrefix(QStringLiteral("Het bestand %1 kan niet worden geschreven: ").arg(shown), [&] { write(partial); });
        QString reason;
        if (partial.WriteFailed()) throw CannotWrite(shown, partial.WriteError());
        if (!partial.flush() || partial.error() != QFileDevice::NoError)
            throw CannotWrite(shown, partial.errorString());
        if (!FlushFile(partial, reason)) throw CannotWrite(shown, reason);
        // Still held while it takes the name, so no clean-up removes the complete file in between.
        if (!ReplaceFile(partial.fileName(), target.absoluteFilePath(), reason))
            throw EOrvError(QStringLiteral("Het bestand %1 kan niet worden vervangen: %2").arg(shown, reason));
        dropPartial.dismiss();
        partial.close();
        if (!FlushDirectory(folder.absolutePath(), reason))
            throw EOrvError(QStringLiteral("De map %1 kon niet naar de schijf worden geschreven: %2")
                                .arg(QDir::toNativeSeparators(folder.absolutePath()), reason));
    });
}
