#include "support/FuzzyMatch.h"

#include "support/OrvErrors.h"

#include <QStringList>

#include <optional>

namespace {
constexpr int kMaxCompared = 120;

bool IsVowel(QChar c) {
    switch (c.unicode()) {
    case 'A':
    case 'E':
    case 'I':
    case 'O':
    case 'U':
    case 'Y':
        return true;
    default:
        return false;
    }
}

bool IsFinalLetter(QChar c) { return c == u'H' || IsVowel(c); }

// A character that sends the text through the full normalisation.
bool IsTrigger(QChar c) {
    const char16_t u = c.unicode();
    return u <= 25 || u == u' ' || u == u'+' || u == u',' || u == u'-' || u == u'.' || u == u'/' || u == u';' ||
           u == u'~' || (u >= 127 && u <= 255);
}

bool IsReadAsBlank(QChar c) {
    switch (c.unicode()) {
    case '(':
    case ')':
    case ',':
    case '-':
    case '.':
    case '/':
    case ';':
    case '[':
    case ']':
        return true;
    default:
        return false;
    }
}

QString UpperAsciiLetters(QString text) {
    for (QChar& c : text)
        if (c >= u'a' && c <= u'z') c = QChar(c.unicode() - 'a' + 'A');
    return text;
}

// Removes leading and trailing blanks and control characters.
QString TrimControl(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= ' ') ++begin;
    while (end > begin && text[end - 1].unicode() <= ' ') --end;
    return text.mid(begin, end - begin);
}

// The value of a whole-number text ("-" allowed in front) that fits a 32-bit signed integer.
std::optional<qint64> WholeNumber(const QString& text) {
    const qsizetype start = text.startsWith(u'-') ? 1 : 0;
    if (text.size() == start) return std::nullopt;
    qint64 value = 0;
    for (qsizetype i = start; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c < u'0' || c > u'9') return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
        if (value > qint64(1) << 31) return std::nullopt;
    }
    if (start == 1) value = -value;
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return value;
}

int VowelGroups(const QString& text) {
    int groups = 0;
    bool inGroup = false;
    for (const QChar c : text) {
        const bool vowel = IsVowel(c);
        if (vowel && !inGroup) ++groups;
        inGroup = vowel;
    }
    return groups;
}

QChar LastVowel(const QString& text) {
    for (qsizetype i = text.size() - 1; i >= 0; --i)
        if (IsVowel(text[i])) return text[i];
    return QChar();
}

bool HasDoubleMissingFrom(const QString& text, const QString& other) {
    for (qsizetype i = 1; i < text.size(); ++i)
        if (text[i] == text[i - 1] && !other.contains(text[i])) return true;
    return false;
}

// The relation (1 to 9) that holds at position i (0-based) of a and b, or 0 when none does.
int RelationAt(const QString& a, const QString& b, qsizetype i) {
    const auto at = [](const QString& t, qsizetype k) -> std::optional<QChar> {
        if (k < 0 || k >= t.size()) return std::nullopt;
        return t[k];
    };
    const auto same = [&](qsizetype ka, qsizetype kb) {
        const auto ca = at(a, ka);
        const auto cb = at(b, kb);
        return ca && cb && *ca == *cb;
    };
    if (same(i, i)) return 1;
    if (same(i, i + 1)) return 2;
    if (same(i, i + 2)) return 3;
    if (same(i, i - 1)) return 4;
    if (same(i - 1, i)) return 5;
    if (same(i + 1, i)) return 6;
    if (same(i + 2, i)) return 7;
    if (same(i + 1, i + 1)) return 8;
    if (same(i + 2, i + 2)) return 9;
    return 0;
}

// A distance replaces the best one so far when that is no match yet or the new one is closer.
void Improve(int& best, int distance) {
    if (best == kGuthNoMatch || (distance > 0 && distance < best)) best = distance;
}
}

QString RemoveAccents(const QString& text) {
    return WithPrefix(QStringLiteral("RemoveAccents: "), [&] {
        if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 128; })) return text;
        QString result = text;
        for (QChar& c : result) {
            if (c.unicode() < 128) continue;
            const QString decomposed = c.decomposition();
            if (!decomposed.isEmpty() && decomposed[0].unicode() < 128) c = decomposed[0];
        }
        return result;
    });
}

QString FuzzyNormalize(const QString& text) {
    const QString trimmed = TrimControl(text.left(kMaxCompared));
    if (std::none_of(trimmed.begin(), trimmed.end(), IsTrigger)) return UpperAsciiLetters(trimmed);
    const QString upper = UpperAsciiLetters(RemoveAccents(trimmed));
    QString result;
    result.reserve(upper.size() + 8);
    const auto appendBlank = [&] {
        if (!result.isEmpty() && !result.endsWith(u' ')) result.append(u' ');
    };
    for (const QChar c : upper) {
        if (c == u' ' || IsReadAsBlank(c)) {
            appendBlank();
        } else if (c == u'+') {
            appendBlank();
            result.append(QStringLiteral("PLUS "));
        } else {
            result.append(c);
        }
    }
    if (result.endsWith(u' ')) result.chop(1);
    return result;
}

QString PreGuthOptimizer(const QString& text) {
    return WithPrefix(QStringLiteral("PreGuthOptimizer: "), [&] {
        // One pass does what replacing all EIJ, then all IJ, then all EI by Y would do: a Y made never
        // starts or ends another match.
        const auto at = [&](qsizetype i, const char* pattern) {
            for (qsizetype k = 0; pattern[k]; ++k)
                if (i + k >= text.size() || text[i + k] != QLatin1Char(pattern[k])) return false;
            return true;
        };
        QString t;
        t.reserve(text.size());
        for (qsizetype i = 0; i < text.size();) {
            if (at(i, "EIJ")) {
                t.append(u'Y');
                i += 3;
            } else if (at(i, "IJ") || at(i, "EI")) {
                t.append(u'Y');
                i += 2;
            } else {
                t.append(text[i++]);
            }
        }
        // Here the order matters: the KS made of CKX can follow a C and so make a new CK.
        if (t.contains(QLatin1String("CK"))) {
            t.replace(QLatin1String("CKX"), QLatin1String("KS"));
            t.replace(QLatin1String("CK"), QLatin1String("K"));
        }
        if (t.endsWith(u'D')) t[t.size() - 1] = u'T';
        // Positions 2 up to the last but one; a J made here is no vowel for the next position.
        for (qsizetype i = 1; i + 1 < t.size(); ++i)
            if ((t[i] == u'I' || t[i] == u'Y') && IsVowel(t[i - 1]) && IsVowel(t[i + 1])) t[i] = u'J';
        if (t == QLatin1String("2")) return QStringLiteral("TO");
        if (t == QLatin1String("4")) return QStringLiteral("FOR");
        return t;
    });
}

namespace {
TGuthText GuthText(const QString& text) { return {text, PreGuthOptimizer(text)}; }

int Distance(const TGuthText& x, const TGuthText& y) {
    if (x.Text.isEmpty() || y.Text.isEmpty()) return kGuthNoMatch;
    if (x.Text == y.Text) return kGuthEqual;
    const auto nx = WholeNumber(x.Text);
    const auto ny = WholeNumber(y.Text);
    if (nx && ny && *nx == *ny) return kGuthEqual;

    const QString& sx = x.Simplified;
    const QString& sy = y.Simplified;
    const bool xShorter = sx.size() <= sy.size();
    const QString& a = xShorter ? sx : sy;
    const QString& b = xShorter ? sy : sx;
    const qsizetype lengthDifference = b.size() - a.size();

    if (b.size() <= 6 && lengthDifference >= 2) return kGuthNoMatch;
    if (a == b) return kGuthEqual;
    if (a[0] != b[0] && !IsVowel(a[0])) return kGuthNoMatch;
    if (IsFinalLetter(a.back()) != IsFinalLetter(b.back())) return kGuthNoMatch;
    if (HasDoubleMissingFrom(a, b) || HasDoubleMissingFrom(b, a)) return kGuthNoMatch;

    int current = 1;
    int changes = 0;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const int relation = RelationAt(a, b, i);
        if (relation == 0) return kGuthNoMatch;
        if (relation != current) {
            current = relation;
            ++changes;
        }
    }

    int distance = 10 + 5 * changes;
    if (lengthDifference >= 3) distance += int(10 * lengthDifference);
    if (distance < 40) {
        const int groupDifference = std::abs(VowelGroups(a) - VowelGroups(b));
        if (groupDifference != 0) {
            distance += 10 * groupDifference;
            if (a.size() <= 6 && b.size() <= 6) distance += 5;
        }
        if (a.back() != b.back()) {
            distance += 2;
            if (!IsVowel(a.back()) && LastVowel(a) != LastVowel(b)) distance += 3;
        }
    }
    return distance;
}
}

int GuthDistance(const QString& x, const QString& y) { return Distance(GuthText(x), GuthText(y)); }

bool GuthPasses(int distance, int length, int level) {
    if (distance == kGuthNoMatch) return false;
    if (level <= 1) return distance == kGuthEqual;
    if (level <= 9) return length <= 4 ? distance < 21 : distance < 26;
    return length <= 4 ? distance < 25 : distance < 30;
}

TFuzzyText PrepareFuzzyText(const QString& text) {
    return WithPrefix(QStringLiteral("FuzzyMatch: "), [&] {
        TFuzzyText prepared;
        prepared.Whole = GuthText(FuzzyNormalize(text));
        const QStringList words = prepared.Whole.Text.split(u' ', Qt::SkipEmptyParts);
        if (words.size() < 2) {
            prepared.Words = {prepared.Whole};
            prepared.Joined = {prepared.Whole};
            return prepared;
        }
        QString joined;
        joined.reserve(prepared.Whole.Text.size());
        prepared.Words.reserve(words.size());
        prepared.Joined.reserve(words.size());
        for (const QString& word : words) {
            joined += word;
            prepared.Words.append(GuthText(word));
            prepared.Joined.append(prepared.Joined.isEmpty() ? prepared.Words.last() : GuthText(joined));
        }
        return prepared;
    });
}

TFuzzyMatcher::TFuzzyMatcher(const QString& typed, int level, bool allWords, bool joinedWords)
    : FLevel(level), FAllWords(allWords), FJoinedWords(joinedWords), FTyped(PrepareFuzzyText(typed)) {}

bool TFuzzyMatcher::Matches(const TFuzzyText& stored) const {
    return WithPrefix(QStringLiteral("FuzzyMatch: "), [&] {
        if (GuthPasses(Distance(FTyped.Whole, stored.Whole), int(FTyped.Whole.Text.size()), FLevel)) return true;
        if (FTyped.Words.size() < 2 && stored.Words.size() < 2) return false;

        const bool compareJoined = FJoinedWords || FLevel >= 10;
        bool anyPassed = false;
        for (qsizetype t = 0; t < FTyped.Words.size(); ++t) {
            const TGuthText& w = FTyped.Words[t];
            int best = kGuthNoMatch;
            for (qsizetype s = 0; s < stored.Words.size(); ++s) {
                const TGuthText& v = stored.Words[s];
                Improve(best, Distance(w, v));
                if (FLevel >= 10 && best != kGuthEqual) Improve(best, Distance(FTyped.Joined[t], v));
                if (compareJoined && best != kGuthEqual) Improve(best, Distance(FTyped.Joined[t], stored.Joined[s]));
                if (FLevel >= 5 && w.Text.size() >= 5 && v.Text.size() >= 5 && (best == kGuthNoMatch || best > 15) &&
                    QStringView(w.Text).left(5) == QStringView(v.Text).left(5))
                    best = 15;
                if (best == kGuthEqual) break;
            }
            if (GuthPasses(best, int(w.Text.size()), FLevel))
                anyPassed = true;
            else if (FAllWords)
                return false;
        }
        return anyPassed;
    });
}

bool FuzzyMatch(const QString& typed, const QString& stored, int level, bool allWords, bool joinedWords) {
    return TFuzzyMatcher(typed, level, allWords, joinedWords).Matches(stored);
}
