#pragma once
// A query on a connection: SQL text with typed named parameters (":Name"). Open reads every row into
// memory (the lists show all rows at once); ExecSQL runs a statement and returns the affected rows.

#include "support/DataSet.h"

#include <QDateTime>
#include <QPointer>
#include <QString>

#include <vector>

class TOrvADOConnection;

class TParameter {
public:
    QString Name;
    TFieldType DataType = TFieldType::ftUnknown;

    void SetAsInteger(qint64 value) { Set(value, TFieldType::ftInteger); }
    void SetAsString(const QString& value) { Set(value, TFieldType::ftString); }
    void SetAsFloat(double value) { Set(value, TFieldType::ftFloat); }
    void SetAsBoolean(bool value) { Set(value, TFieldType::ftBoolean); }
    void SetAsDateTime(const QDateTime& value) { Set(value, TFieldType::ftDateTime); }
    // Sets a value of the given type; a null value is bound as NULL.
    void Set(const QVariant& value, TFieldType type);
    void Clear() {
        FValue = QVariant();
        FAssigned = true;
    }
    const QVariant& Value() const { return FValue; }
    bool Assigned() const { return FAssigned; }

private:
    QVariant FValue;
    bool FAssigned = false;
};

class TOrvQuery : public TDataSet {
    Q_OBJECT
public:
    explicit TOrvQuery(QObject* owner = nullptr, TOrvADOConnection* connection = nullptr);

    void SetConnection(TOrvADOConnection* connection);
    TOrvADOConnection* Connection() const { return FConnection; }

    // Setting the text closes the query and rebuilds the parameter list from the ":Name" markers.
    void SetSQL(const QString& sql);
    const QString& SQL() const { return FSQL; }
    // Raises "Parameter 'Name' not found" for a name the text does not hold (case-insensitive).
    TParameter& ParamByName(const QString& name);
    const std::vector<TParameter>& Params() const { return FParams; }

    void Open();
    void Close();
    int ExecSQL();

    bool Active() const override { return FActive; }
    int FieldCount() const override { return int(FFields.size()); }
    const TFieldDef& FieldDef(int field) const override { return FFields[field]; }
    int RecordCount() const override { return int(FRows.size()); }
    QVariant Value(int row, int field) const override { return FRows[row][field]; }

private:
    QPointer<TOrvADOConnection> FConnection;
    QString FSQL;
    std::vector<TParameter> FParams;
    bool FActive = false;
    std::vector<TFieldDef> FFields;
    std::vector<QVariantList> FRows;
};
