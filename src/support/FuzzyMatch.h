#pragma once
// Whether a typed text stands for a stored text: forgiving case, accents, punctuation, some Dutch spelling
// variants and small typing errors. Pure functions without state.
//
// Levels: 0 or 1 strict (only equal texts after simplification), 2 to 9 tolerant, 10 and more most
// tolerant; from level 5 on two words sharing their first five letters count as alike, from level 10 on
// the typed words are also compared joined together.

#include <QList>
#include <QString>

// Distance values of GuthDistance: no match, equal; every other value is 10 or more (smaller: more alike).
inline constexpr int kGuthNoMatch = -1;
inline constexpr int kGuthEqual = 1;

// allWords: every typed word needs a partner in the stored text (otherwise one word suffices).
// joinedWords: also compare the typed words so far, joined, with the stored words so far, joined.
bool FuzzyMatch(const QString& typed, const QString& stored, int level, bool allWords, bool joinedWords);

// A text in both forms the distance needs: as compared and after the spelling simplification.
struct TGuthText {
    QString Text;
    QString Simplified;
};

// A text made ready for comparison once: normalised as a whole, word by word, and its words joined so far.
// The words are only worked out for a text with more than one word.
struct TFuzzyText {
    TGuthText Whole;
    QList<TGuthText> Words;
    QList<TGuthText> Joined;
};
TFuzzyText PrepareFuzzyText(const QString& text);

// FuzzyMatch with the typed text worked out once, for comparing it with many stored texts; a list that
// searches again and again prepares its stored texts once as well.
class TFuzzyMatcher {
public:
    TFuzzyMatcher(const QString& typed, int level, bool allWords, bool joinedWords);
    bool Matches(const QString& stored) const { return Matches(PrepareFuzzyText(stored)); }
    bool Matches(const TFuzzyText& stored) const;

private:
    int FLevel;
    bool FAllWords;
    bool FJoinedWords;
    TFuzzyText FTyped;
};

// The form in which both texts are compared: at most 120 characters, trimmed, letters a to z upper case;
// a text with punctuation, blanks or characters 127 to 255 also loses its accents, gets its punctuation
// as blanks, "+" as " PLUS " and single blanks.
QString FuzzyNormalize(const QString& text);

// Characters from code 128 on become the first character of their canonical decomposition when that is
// ASCII (accented letters become their base letters); every other character stays.
QString RemoveAccents(const QString& text);

// The Dutch spelling simplification of an upper-case text (EIJ/IJ/EI to Y, CK to K, final D to T, ...).
QString PreGuthOptimizer(const QString& text);

// Guth's name-matching distance of two normalised texts: kGuthNoMatch, kGuthEqual or 10 and more.
int GuthDistance(const QString& x, const QString& y);

// Whether a distance passes at the level for a text of the given length.
bool GuthPasses(int distance, int length, int level);
