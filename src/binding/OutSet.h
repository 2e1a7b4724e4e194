#pragma once
// An output set writes one database table: it collects the values to write as named field values and on
// Post carries out one insert, update or delete. It never reads rows; the data group's input set does.
// This base keeps the pending values and the state; the SQL-writing descendants do the writing.

#include "binding/DBValue.h"
#include "support/DataSet.h"

#include <QFlags>
#include <QObject>
#include <QString>
#include <QStringList>

enum TSQLOutputSetState { osInsert, osEdit, osDelete, osIdle };

enum TFieldInfoAttribute { faFieldType = 0x1, faFieldRequired = 0x2, faFieldLength = 0x4, faFieldDescription = 0x8 };
Q_DECLARE_FLAGS(TFieldInfoAttributes, TFieldInfoAttribute)
Q_DECLARE_OPERATORS_FOR_FLAGS(TFieldInfoAttributes)

class TOrvOutputSet : public QObject {
    Q_OBJECT
public:
    explicit TOrvOutputSet(QObject* owner = nullptr);

    // The table the set writes.
    const QString& DataReference() const { return FDataReference; }
    void SetDataReference(const QString& table) { FDataReference = table; }
    bool Active() const { return FActive; }
    TSQLOutputSetState State() const { return FState; }
    // Which field information GetFieldType, GetFieldRequired and GetFieldLength can give.
    TFieldInfoAttributes FieldInfoAttributes() const { return FFieldInfoAttributes; }
    // The pending values: lower-case column names in the order of first use.
    const TDBValueList& FieldList() const { return FFieldList; }

    virtual void Close();
    // Active := DataReference is not empty.
    virtual void Open();
    // From osIdle only: empty the pending values and enter osInsert, osEdit or osDelete.
    virtual void Append();
    // From any state but osIdle: empty the pending values and return to osIdle.
    virtual void Cancel();
    virtual void Delete();
    virtual void Edit();
    // Carries out the pending insert, update or delete. Succeeding or failing, the set is idle and empty
    // afterwards: after a failure the caller starts again with Append, Edit or Delete.
    virtual void Post();
    virtual void BeginTrans() = 0;
    virtual void CommitTrans() = 0;
    virtual bool InTransaction() = 0;
    virtual void RollbackTrans() = 0;
    // Fills names with the table's column names in catalogue order.
    virtual void GetFieldNames(QStringList& names) = 0;
    virtual TFieldType GetFieldType(const QString& column) = 0;
    virtual int GetFieldLength(const QString& column) = 0;
    // True when the column may not be NULL.
    virtual bool GetFieldRequired(const QString& column) = 0;
    // The pending value of the column (any case), added as NULL on first use. The value stays valid until
    // the set leaves its state (Post, Cancel) or starts a new one.
    virtual TDBValue& FieldByName(const QString& column);
    // Drops the pending value of the column when there is one.
    void DeleteFieldFromList(const QString& column);

protected:
    virtual void PostAppend() = 0;
    virtual void PostDelete() = 0;
    virtual void PostEdit() = 0;

    TDBValueList& PendingFields() { return FFieldList; }
    void SetFieldInfoAttributes(TFieldInfoAttributes attributes) { FFieldInfoAttributes = attributes; }
    // Empties the pending values and returns to osIdle.
    void ResetToIdle();
    // The set's component name followed by message (which starts with ": ").
    QString NamedMessage(const char* message) const;

private:
    // Raises unless the set is open and has a DataReference.
    void CheckOpen() const;
    void Start(TSQLOutputSetState state);

    QString FDataReference;
    bool FActive = false;
    TSQLOutputSetState FState = osIdle;
    TFieldInfoAttributes FFieldInfoAttributes = faFieldType | faFieldLength;
    TDBValueList FFieldList;
};
