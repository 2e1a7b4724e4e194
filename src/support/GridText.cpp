#include "support/GridText.h"

#include "support/OrvErrors.h"

#include <QDateTime>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {
constexpr int kMaxDisplayLength = 2000;
const QString kSearchSeparators = QStringLiteral("(),-./;[]");

// A number pattern such as "#,##0.00": grouping when it holds ",", at least as many integer digits as
// "0"s before the point, between the "0"s and "0"+"#"s after it as decimals; text around it is kept.
QString FormatNumberPattern(double value, const QString& pattern, QChar thousands, QChar decimal) {
    const QString section = pattern.section(u';', 0, 0);
    const auto isPlaceholder = [](QChar c) { return c == u'#' || c == u'0' || c == u',' || c == u'.'; };
    int first = 0;
    while (first < section.size() && !isPlaceholder(section[first])) ++first;
    int last = section.size() - 1;
    while (last >= first && !isPlaceholder(section[last])) --last;
    const QString body = section.mid(first, last - first + 1);
    const int point = body.indexOf(u'.');
    const QString integerPart = point < 0 ? body : body.left(point);
    const QString fractionPart = point < 0 ? QString() : body.mid(point + 1);
    const bool grouping = integerPart.contains(u',');
    const int minInteger = int(integerPart.count(u'0'));
    const int minDecimals = int(fractionPart.count(u'0'));
    const int maxDecimals = minDecimals + int(fractionPart.count(u'#'));

    QString digits = QString::number(std::fabs(value), 'f', maxDecimals);
    QString whole = digits.section(u'.', 0, 0);
    QString fraction = digits.section(u'.', 1, 1);
    while (fraction.size() > minDecimals && fraction.endsWith(u'0')) fraction.chop(1);
    if (whole == QLatin1String("0") && minInteger == 0) whole.clear();
    while (whole.size() < minInteger) whole.prepend(u'0');
    if (grouping)
        for (int i = int(whole.size()) - 3; i > 0; i -= 3) whole.insert(i, thousands);
    QString result = whole;
    if (!fraction.isEmpty()) result += decimal + fraction;
    const bool zero = std::all_of(digits.begin(), digits.end(), [](QChar c) { return c == u'0' || c == u'.'; });
    if (value < 0 && !zero) result.prepend(u'-');
    return section.left(first) + result + section.mid(last + 1);
}

// Date patterns are written as "dd-mm-yyyy" (m is month, n or m after h is minute).
QString QtDateFormat(const QString& format) {
    QString result;
    bool afterHour = false;
    for (int i = 0; i < format.size();) {
        const QChar c = format[i].toLower();
        int run = 1;
        while (i + run < format.size() && format[i + run].toLower() == c) ++run;
        QString token(run, c);
        if (c == u'm' && !afterHour) token = QString(run, u'M');
        if (c == u'n') token = QString(run, u'm');
        if (c == u'h') token = QString(run, u'H');
        if (c == u'\'') {
            const int end = format.indexOf(u'\'', i + 1);
            token = end < 0 ? format.mid(i) : format.mid(i, end - i + 1);
            run = int(token.size());
        }
        if (c.isLetter()) afterHour = c == u'h';
        result += token;
        i += run;
    }
    return result;
}
}

QString GridActualFormat(const QString& declaredFormat, TFieldType type) {
    if (type == TFieldType::ftBoolean) return QString::fromLatin1(kBooleanNL);
    if (declaredFormat == QLatin1String(kDefaultForDataType))
        return IsDateTimeType(type) ? QStringLiteral("dd-mm-yyyy") : QString();
    return declaredFormat;
}

QString GridDisplayText(const QVariant& value, TFieldType type, const QString& actualFormat) {
    if (value.isNull()) return QString();
    if (IsDateTimeType(type))
        return value.toDateTime().toString(
            QtDateFormat(actualFormat.isEmpty() ? QStringLiteral("dd-mm-yyyy") : actualFormat));
    if (actualFormat.isEmpty()) {
        const QString text = value.toString();
        return text.size() > kMaxDisplayLength ? text.left(kMaxDisplayLength - 3) + QStringLiteral("...") : text;
    }
    if (IsIntegerType(type)) {
        const QLocale system = QLocale::system();
        return FormatNumberPattern(double(value.toLongLong()), actualFormat, system.groupSeparator().at(0),
                                   system.decimalPoint().at(0));
    }
    if (type == TFieldType::ftBoolean) return value.toBool() ? QStringLiteral("Ja") : QStringLiteral("Nee");
    if (IsFloatType(type)) {
        const double number = value.toDouble();
        // Amounts read the Dutch way whatever the system says.
        return number == 0 ? QString() : FormatNumberPattern(number, actualFormat, u'.', u',');
    }
    if (actualFormat == QLatin1String(kBooleanNL)) {
        const QString text = value.toString().trimmed().toUpper();
        const bool yes = (!text.isEmpty() && QStringLiteral("JYWT").contains(text[0])) || text == QLatin1String("1") ||
                         text == QLatin1String("-1");
        return yes ? QStringLiteral("Ja") : QStringLiteral("Nee");
    }
    throw EDBComponentError(QStringLiteral("Not implemented format (") + actualFormat + u')');
}

QString GridSearchForm(const QString& text) {
    QString form = text.left(kGridFormattedFieldSize).toUpper();
    for (QChar& c : form)
        if (kSearchSeparators.contains(c)) c = u' ';
    return form;
}

std::optional<QDate> GridSearchDate(const QString& text) {
    if (text.size() < 4) return std::nullopt;
    bool ok = false;
    const int year = text.left(4).toInt(&ok);
    if (!ok) return std::nullopt;
    const auto part = [&text](int from) {
        bool read = false;
        const int value = text.mid(from, 2).toInt(&read);
        return text.size() > from && read ? value : 1;
    };
    const int month = part(4), day = part(6);
    const QDate first = month > 12 ? QDate(year + 1, 1, 1) : QDate(year, month, 1);
    if (!first.isValid()) return std::nullopt;
    const QDate exact(year, month, day);
    return exact.isValid() ? exact : first;
}

TGridSearchText& TGridSearchTexts::Of(int recordId, const QString& text) {
    if (recordId >= int(FTexts.size())) FTexts.resize(size_t(recordId) + 1);
    std::optional<TGridSearchText>& entry = FTexts[size_t(recordId)];
    if (!entry || entry->Source != text) entry = TGridSearchText{text, GridSearchForm(text), std::nullopt};
    return *entry;
}

namespace {
QString FirstWord(const QString& typed) {
    const QString form = GridSearchForm(typed);
    const int blank = int(form.indexOf(u' '));
    return blank < 0 ? form : form.left(blank + 1);
}
}

TGridTextFilter::TGridTextFilter(const QString& typed)
    : FFirstWord(FirstWord(typed)), FWordInside(u' ' + FFirstWord), FMatcher(typed, 10, true, true) {}

bool TGridTextFilter::Accepts(TGridSearchText& text) const {
    if (text.Form.startsWith(FFirstWord) || text.Form.contains(FWordInside)) return true;
    if (!text.Fuzzy) text.Fuzzy = PrepareFuzzyText(text.Form);
    return FMatcher.Matches(*text.Fuzzy);
}
