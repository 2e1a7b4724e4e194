#include "core/OrvMessageText.h"

#include <algorithm>

namespace {
const QString kCrLf = QStringLiteral("\r\n");

bool IsIdentifierWord(const QString& word) {
    QString key = word;
    key.remove(kCrLf);
    key = key.trimmed();
    key.remove(u':');
    key.remove(u'.');
    const bool hasSmallLetter = std::any_of(key.cbegin(), key.cend(), [](QChar c) { return c >= u'a' && c <= u'z'; });
    if (!hasSmallLetter || key.contains(u'-')) return false;
    const auto capitals = std::count_if(word.cbegin(), word.cend(), [](QChar c) { return c >= u'A' && c <= u'Z'; });
    return capitals >= 2;
}
}

QString NormaliseLineBreaks(const QString& text) {
    QString result;
    result.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r') {
            if (i + 1 < text.size() && text.at(i + 1) == u'\n') ++i;
            result += kCrLf;
        } else if (c == u'\n') {
            result += kCrLf;
        } else {
            result += c;
        }
    }
    return result;
}

QString StripIdentifierWords(const QString& text) {
    QString result;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u' ' && c != u'\n' && i != text.size() - 1) continue;
        const QString word = text.mid(start, i - start + 1);
        if (!IsIdentifierWord(word)) result += word;
        start = i + 1;
    }
    return result;
}

TMessageText ProcessMessageText(TOrvMessageType kind, const QString& text) {
    const QString full = NormaliseLineBreaks(text);
    if (kind == TOrvMessageType::mtError) {
        const qsizetype ora = full.indexOf(QStringLiteral("ORA-"));
        if (ora >= 0) return {QStringLiteral("Database foutmelding: ") + full.mid(ora), full};
        const QString stripped = StripIdentifierWords(full);
        if (stripped.size() != full.size()) return {stripped, full};
    }
    return {full, full};
}
