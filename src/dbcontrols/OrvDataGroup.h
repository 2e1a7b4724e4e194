#pragma once
// The data group ties the bound controls of one window to an input set, which supplies the row to show,
// and to the output sets that write it. It reads the row into the controls, validates them, copies their
// values into the output sets and posts those in one transaction.

#include "dbcontrols/Dbcomp.h"
#include "support/OrvErrors.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QtGui/QColor>

class TDataSet;
class TOrvOutputSet;
class TOrvSQLOutputSet;

enum TDataGroupState { dgsInsert, dgsEdit, dgsDelete, dgsIdle };
// Only the SQL-based handling exists; the table-based one is refused.
enum TDataHandling { dhTableBased, dhSQLBased };

class TOrvDataGroup : public QObject {
    Q_OBJECT
public:
    // The owner must be a form (a dialog): the group's controls and output sets are found on it.
    explicit TOrvDataGroup(QObject* owner);

    TDataHandling DataHandling() const { return dhSQLBased; }
    // Raises "TableBased Handling is no longer supported" for dhTableBased.
    void SetDataHandling(TDataHandling handling);
    TDataSet* InputSet() const { return FInputSet; }
    void SetInputSet(TDataSet* inputSet) { FInputSet = inputSet; }
    // Component names of output sets on the owner form, in posting order.
    const QStringList& OutputSets() const { return FOutputSets; }
    void SetOutputSets(const QStringList& names) { FOutputSets = names; }
    TDataGroupState State() const { return FState; }
    QColor EnabledColor() const { return FEnabledColor; }
    void SetEnabledColor(const QColor& color) { FEnabledColor = color; }
    QColor DisabledColor() const { return FDisabledColor; }
    void SetDisabledColor(const QColor& color) { FDisabledColor = color; }

    // The window's own check after every control is valid.
    TValidateEvent OnCrossValidate;
    // Reports a control's failed built-in check (1 = required value missing).
    TInternalValidateMessageEvent OnInternalValidateMessage;

    // The bound controls of this group in their order on the form: the order of reading, validating and
    // writing.
    QList<TOrvDBComponent*> Controls() const;

    void OpenInput();
    void CloseInput();
    // Reads the input set's current row into the controls.
    void GetFields();
    void ClearFields();
    void OpenOutput();
    void CloseOutput();
    void Append();
    void Edit();
    // Only the last output set deletes.
    void Delete();
    // Copies the controls' values into the output sets: all when inserting, the changed ones when editing;
    // read-only controls never.
    void SetFields();
    // Checks and writes in one transaction (begun here when none is open). Succeeding or failing, the group
    // and its output sets are idle afterwards; the controls keep their values.
    void Post();
    void Cancel();
    // Every enabled control in order until the first invalid one, then the window's cross-validation.
    bool ValidateControls();
    bool IsChanged();
    void EnableControls();
    void DisableControls();
    void GetOutputSetFields(const QString& outputSetName, QStringList& names);
    // Controls against their output columns: not longer than the column, not NULL in a required column.
    void CheckValuesConsistent();

Q_SIGNALS:
    void StateChange();

private:
    QDialog* Form() const;
    EDataGroupError Error(const QString& message) const;
    void SetState(TDataGroupState state);
    void RequireIdle() const;
    void RequireBusy(const char* message) const;
    void CheckSQLOutputConnections();
    // The form's component of this name, compared without regard to case.
    QObject* FindComponent(const QString& name) const;
    TOrvOutputSet* FindOutputSet(const QString& name) const;
    // The listed output set of this name; raises "Couldn't locate outputset".
    TOrvOutputSet* LocateOutputSet(const QString& name) const;
    void GetFieldsSQLBased();
    void SetFieldsSQLBased();
    void PostSQLBased();
    void SetPrimaryKeys(TOrvSQLOutputSet* outputSet);
    void CancelOutputSets();

    QPointer<TDataSet> FInputSet;
    QStringList FOutputSets;
    TDataGroupState FState = dgsIdle;
    QColor FEnabledColor;
    QColor FDisabledColor = kDisabledTextColor;
};
