#pragma once
// The texts of the list control, apart from its widgets: the display text of a value by its column's
// format, and the forms in which the incremental search compares the typed text with the rows.

#include "support/DataSet.h"
#include "support/FuzzyMatch.h"

#include <QDate>
#include <QString>
#include <QVariant>

#include <optional>
#include <vector>

inline constexpr const char* kDefaultForDataType = "DEFAULT_FOR_DATA_TYPE";
inline constexpr const char* kBooleanNL = "BOOLEAN_NL";
// The size of the copy's formatted fields, and the part of a row's text the search filter reads.
inline constexpr int kGridFormattedFieldSize = 250;

// The format a column declared with this format uses on a field of this type.
QString GridActualFormat(const QString& declaredFormat, TFieldType type);
// The display text of one value by the column's actual format (empty: no format).
QString GridDisplayText(const QVariant& value, TFieldType type, const QString& actualFormat);

// A text as the search filter reads it: its first 250 characters in upper case, ( ) , - . / ; [ ] as blanks.
QString GridSearchForm(const QString& text);

// The first day a search text in a date column stands for: year, then month and day when typed; a month
// above 12 is January of the next year, a day the month lacks is its first day. None when the text is
// shorter than a year or no date can be formed.
std::optional<QDate> GridSearchDate(const QString& text);

// A row's text made ready for the search filter.
struct TGridSearchText {
    QString Source;                   // the text it was made from
    QString Form;                     // GridSearchForm of it
    std::optional<TFuzzyText> Fuzzy;  // made only when a row gets that far
};

// The prepared texts of one field by record id, kept across the searches on that field. A record added
// later gets its entry when first asked; a record whose text changed is prepared again.
class TGridSearchTexts {
public:
    TGridSearchText& Of(int recordId, const QString& text);

private:
    std::vector<std::optional<TGridSearchText>> FTexts;
};

// The filter of one typed text: a row stays when its text starts with the first typed word (up to and
// including its first blank), holds a blank followed by that word, or matches the whole typed text by
// FuzzyMatch (level 10, every word, joined words).
class TGridTextFilter {
public:
    explicit TGridTextFilter(const QString& typed);
    bool Accepts(TGridSearchText& text) const;

private:
    QString FFirstWord;
    QString FWordInside;
    TFuzzyMatcher FMatcher;
};
