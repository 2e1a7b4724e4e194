#pragma once
// A bound control for a foreign key with too many rows for a drop-down: the user types (part of) a
// description or opens a window with a sortable list of the lookup rows. It stores the row's key and shows
// the row's description. The lookup rows are an in-memory table, so searching never touches the database.

#include "dbcontrols/Dbcomp.h"

#include <QPointer>
#include <QStringList>

#include <functional>

class QToolButton;
class TDataSource;
class TfrmPickList;
class TOrvClientDataSet;
class TOrvEdit;

struct TPicklistOptions {
    QString Caption;
    QPointer<TDataSource> DataSource;  // the lookup rows
    int Height = 300;
    int Width = 400;
    bool Skinned = false;
};

class TOrvDBPickList : public TOrvDBComponent {
    Q_OBJECT
public:
    explicit TOrvDBPickList(QWidget* parent = nullptr);

    TOrvEdit* Edit() const { return FEdit; }
    QToolButton* Button() const { return FButton; }
    TPicklistOptions& PickListOptions() { return FOptions; }

    const QString& KeyField() const { return FKeyField; }
    void SetKeyField(const QString& field) { FKeyField = field.trimmed(); }
    const QString& DisplayField() const { return FDisplayField; }
    void SetDisplayField(const QString& field) { FDisplayField = field.trimmed(); }
    const QString& SearchField() const { return FSearchField; }
    void SetSearchField(const QString& field) { FSearchField = field.trimmed(); }
    bool AllowKeyboardInput() const { return FAllowKeyboardInput; }
    void SetAllowKeyboardInput(bool allow) { FAllowKeyboardInput = allow; }

    // The chosen row's key, empty when none; typed text not yet searched is searched first.
    QString Value();
    const QString& DisplayText() const { return FDisplay; }

    // The lookup rows must be an in-memory table; when asked it is opened. Derives the field numbers.
    void CheckDataSet(bool open);
    // Resolves typed text: one matching row is taken, otherwise the window opens on the candidates.
    void SeekKeyboardInput();
    // F2 or the button: the window, after searching typed text first.
    void HandleOpenPickList();

    // May size the window and define and sort its columns; AfterShowPickList runs when it has closed.
    std::function<void(TOrvDBPickList* sender, TfrmPickList* window)> BeforeShowPickList;
    std::function<void(TOrvDBPickList* sender, TfrmPickList* window)> AfterShowPickList;

    QString AsText() const override;
    bool DataChanged() const override;
    bool IsNull() const override { return FKey.isEmpty(); }
    void Clear() override;
    bool ReadOnly() const override;
    void SetReadOnly(bool readOnly) override;
    bool IsCopyingWhenDisabledSupported() const override { return true; }
    void ReadField(const QVariant& field, TDBValue& value) const override;
    void WriteValue(TDBValue& target) const override;

protected:
    void DisplayValue() override;
    bool InternalValidate() override;
    void DoExit() override;
    void DoKeyDown(QKeyEvent* event) override;
    void InitializeKind() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TResult {
        QString Key;
        QString Display;
    };
    TOrvClientDataSet& Rows() const;
    QString DisplayOfRow(int row) const;
    TResult RowResult(int row) const;
    // The row search of typed text t on column; may open the window.
    TResult LocateSingle(int column, QString t);
    // Searches further columns; true when exactly one key was collected, which is then in result.
    bool LookFuzzy(const QString& t, QStringList& keys, TResult& result) const;
    // The window on the rows (only those of keys when given); false when nothing was chosen.
    bool ShowGrid(const QStringList& keys, const QString& typed, TResult& result);
    void Take(const TResult& result);

    TOrvEdit* FEdit;
    QToolButton* FButton;
    TPicklistOptions FOptions;
    QString FKeyField;
    QString FDisplayField;
    QString FSearchField;
    int FKeyFieldNo = -99;
    int FDisplayFieldNo = -99;
    int FSearchFieldNo = -99;
    bool FAllowKeyboardInput = true;
    QString FKey;
    QString FDisplay;
    QString FOldDisplay;  // the display text when the control was entered or last resolved
    int FShowings = 0;    // how often the window opened
};
