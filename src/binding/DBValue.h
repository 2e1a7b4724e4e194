#pragma once
// One field value held in every representation at once (number, whole number, text, bytes, date, truth)
// with a NULL flag. Data groups, output sets and bound controls pass values in it, so a value written as
// text can be read back as the whole number or date that the column needs.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class TDBValue {
public:
    // Every setter fills all representations and makes the value non-null.
    double AsFloat() const { return FFloat; }
    void SetAsFloat(double value);
    qint32 AsInteger() const { return FInteger; }
    void SetAsInteger(qint32 value);
    // Lone CR or LF characters are stored as CR LF.
    const QString& AsString() const { return FString; }
    void SetAsString(const QString& text);
    // The text as given, without line-break adjustment, as UTF-8 bytes.
    const QByteArray& AsBinary() const { return FBinary; }
    void SetAsBinary(const QByteArray& bytes);
    // Held as days since 30-12-1899 with the time of day as the fraction, so it is also AsFloat.
    QDateTime AsDateTime() const;
    void SetAsDateTime(const QDateTime& moment);
    bool AsBoolean() const { return FBoolean; }
    void SetAsBoolean(bool value);

    // True after creation and after Clear.
    bool IsNull() const { return FIsNull; }
    void Clear();
    void Assign(const TDBValue& source) { *this = source; }

private:
    // Fills the numeric, date and truth representations from one number.
    void SetNumber(double value);

    double FFloat = 0;
    qint32 FInteger = 0;
    QString FString;
    QByteArray FBinary;
    double FDateTime = 0;
    bool FBoolean = false;
    bool FIsNull = true;
};

// A date and time as days since 30-12-1899 (the fraction is the time of day, also before that date) and back.
// Days give local time, except a time that local time skips: that keeps its date and time as UTC.
double DateTimeToDays(const QDateTime& moment);
QDateTime DaysToDateTime(double days);

// Names with an owned value each, in the order they were added: an output set's pending values and its
// key values. A value keeps its address until its entry is deleted or the list is cleared.
class TDBValueList {
public:
    int Count() const { return int(FEntries.size()); }
    const QString& Name(int index) const { return FEntries[index].Name; }
    TDBValue& Value(int index) const { return *FEntries[index].Value; }
    // The index of name compared without regard to case, -1 when absent.
    int IndexOf(const QString& name) const;
    // Adds name with a null value.
    TDBValue& Add(const QString& name);
    void Delete(int index) { FEntries.erase(FEntries.begin() + index); }
    void Clear() { FEntries.clear(); }
    QStringList Names() const;

private:
    struct TEntry {
        QString Name;
        std::unique_ptr<TDBValue> Value;
    };
    std::vector<TEntry> FEntries;
};
