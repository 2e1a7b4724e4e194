#include "binding/DBValue.h"

#include <QDate>
#include <QTime>

#include <cmath>

namespace {
// The program's number and date settings: Dutch, whatever the machine's locale says.
constexpr char16_t kDecimalSeparator = u',';
constexpr const char* kShortDateFormat = "dd-MM-yyyy";
// Short dates are also read without leading zeros.
constexpr const char* kShortDateReadFormat = "d-M-yyyy";

constexpr qint64 kMsecsPerDay = 24 * 60 * 60 * 1000;
const QDate kDayZero(1899, 12, 30);

// The low 32 bits of x truncated toward zero; 0 when x lies beyond the 64-bit integer range.
qint32 TruncatedInteger(double x) {
    constexpr double kLimit = 9223372036854775808.0;  // 2^63
    if (!(x >= -kLimit && x < kLimit)) return 0;
    return qint32(quint32(quint64(qint64(x))));
}

QString FloatText(double x) {
    QString text = QString::number(x, 'g', 15);
    text.replace(u'.', kDecimalSeparator);
    return text;
}

// A number written with the decimal comma (no group separators, no point); 0 when the text is none.
double ParseFloat(const QString& text) {
    QString t = text.trimmed();
    if (t.isEmpty() || t.contains(u'.')) return 0;
    t.replace(kDecimalSeparator, u'.');
    bool ok = false;
    const double value = t.toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0;
}

// A date in the short format as days; 0 when the text is no date.
double ParseDate(const QString& text) {
    const QString t = text.trimmed();
    if (t.size() < 8 || !t.front().isDigit()) return 0;
    const QDate date = QDate::fromString(t, QLatin1String(kShortDateReadFormat));
    return date.isValid() ? double(kDayZero.daysTo(date)) : 0;
}

// Every lone CR or LF becomes CR LF.
QString AdjustLineBreaks(const QString& text) {
    if (!text.contains(u'\r') && !text.contains(u'\n')) return text;
    QString result;
    result.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            result += QStringLiteral("\r\n");
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        } else {
            result += c;
        }
    }
    return result;
}
}

double DateTimeToDays(const QDateTime& moment) {
    const double days = double(kDayZero.daysTo(moment.date()));
    const double fraction = double(moment.time().msecsSinceStartOfDay()) / kMsecsPerDay;
    return days < 0 ? days - fraction : days + fraction;
}

QDateTime DaysToDateTime(double days) {
    if (!std::isfinite(days) || std::fabs(days) > 1e8) return QDateTime();
    const double whole = std::trunc(days);
    qint64 msecs = std::llround(std::fabs(days - whole) * kMsecsPerDay);
    qint64 dayNumber = qint64(whole);
    if (msecs >= kMsecsPerDay) {  // rounded up to the next midnight
        msecs -= kMsecsPerDay;
        dayNumber += days < 0 ? -1 : 1;
    }
    const QDate date = kDayZero.addDays(dayNumber);
    const QTime time = QTime::fromMSecsSinceStartOfDay(int(msecs));
    const QDateTime local(date, time);
    // A time that the switch to summer time skips is kept as written rather than lost.
    return local.isValid() ? local : QDateTime(date, time, Qt::UTC);
}

void TDBValue::SetNumber(double value) {
    FFloat = value;
    FDateTime = value;
    FInteger = TruncatedInteger(value);
    FBoolean = value != 0;
    FIsNull = false;
}

void TDBValue::SetAsFloat(double value) {
    SetNumber(value);
    FString = FloatText(value);
    FBinary = FString.toUtf8();
}

void TDBValue::SetAsInteger(qint32 value) {
    SetNumber(value);
    FString = QString::number(value);
    FBinary = FString.toUtf8();
}

void TDBValue::SetAsDateTime(const QDateTime& moment) {
    SetNumber(DateTimeToDays(moment));
    FString = moment.date().toString(QLatin1String(kShortDateFormat));
    FBinary = FString.toUtf8();
}

QDateTime TDBValue::AsDateTime() const { return DaysToDateTime(FDateTime); }

void TDBValue::SetAsBoolean(bool value) {
    SetNumber(value ? 1.0 : 0.0);
    FString = value ? QStringLiteral("Y") : QStringLiteral("N");
    FBinary = FString.toUtf8();
}

void TDBValue::SetAsString(const QString& text) {
    FString = AdjustLineBreaks(text);
    FBinary = text.toUtf8();
    FDateTime = ParseDate(text);
    FFloat = ParseFloat(text);
    FInteger = TruncatedInteger(FFloat);
    FBoolean = FInteger != 0;
    FIsNull = false;
}

void TDBValue::SetAsBinary(const QByteArray& bytes) {
    FBinary = bytes;
    FString = QString::fromUtf8(bytes);
    FFloat = 0;
    FDateTime = 0;
    FInteger = 0;
    FBoolean = false;
    FIsNull = false;
}

void TDBValue::Clear() { *this = TDBValue(); }

int TDBValueList::IndexOf(const QString& name) const {
    for (int i = 0; i < Count(); ++i)
        if (FEntries[i].Name.compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

TDBValue& TDBValueList::Add(const QString& name) {
    FEntries.push_back({name, std::make_unique<TDBValue>()});
    return *FEntries.back().Value;
}

QStringList TDBValueList::Names() const {
    QStringList names;
    names.reserve(Count());
    for (const TEntry& entry : FEntries) names.append(entry.Name);
    return names;
}
