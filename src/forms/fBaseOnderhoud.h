#pragma once
// The base of every edit window: one database record, shown in one of four modes (add, change, delete,
// view), loaded into the bound controls through the data group dgOnderhoud and, on OK, validated and
// stored through the output set osOnderhoud, which generates the INSERT, UPDATE or DELETE.

#include "forms/fBaseOkCancel.h"

#include <QList>
#include <QtWidgets/QLayout>

class TOrvControlWithLabel;

class TOrvADOSQLOutputSet;
class TOrvDataGroup;
class TOrvDBComponent;
class TOrvQuery;

// The mode of an edit window; mdRun is never given to one.
enum TMode { mdInsert, mdEdit, mdDelete, mdView, mdRun };

class TBaseOnderhoud : public TBaseOkCancel {
    Q_OBJECT
public:
    // osOnderhoud writes on the program database of the main data module, when there is one.
    explicit TBaseOnderhoud(QWidget* owner = nullptr);

    TMode Mode() const { return FMode; }
    void SetMode(TMode mode) { FMode = mode; }
    const QString& CaptionNaam() const { return FCaptionNaam; }
    void SetCaptionNaam(const QString& naam) { FCaptionNaam = naam; }
    // The record's key; -1 = none (also after a new record was stored with OK).
    int KeyWaarde() const { return FKeyWaarde; }
    // A change the data group does not see, or one it does.
    bool GetFormDataChanged() const;
    void SetFormDataChanged(bool changed) { FFormDataChanged = changed; }

    // "Toevoegen - ", "Wijzigen - ", "Verwijderen - " or "Bekijken - " and the noun with a space before it
    // (so two spaces after the dash; the noun keeps the space).
    void SetCaption();
    // The first steps of every edit window's Initialize: the window counts as initialised and takes its mode,
    // key column, key (-1 when adding) and noun, and shows its caption.
    void StartInitialize(TMode mode, int id, const QString& keyField, const QString& noun);
    // Delete and view show the record read-only with the focus on "&Ok"; add and change start in the body.
    virtual void EnableDisable();
    // Every date input lies between 1 January 1880 and 1 January 2070.
    virtual bool CheckDates();
    // Output columns that no control provides.
    virtual void SetExtraFields() {}
    // Writes the record as the mode says; false when a delete was not confirmed.
    virtual bool StoreData();
    // After a new record was stored from inside the window: learn the new key and reload.
    virtual void ReInit() {}
    // Before dependent records are added: a record being added is stored first, after a question.
    virtual bool InsertAlsNodig();
    // As InsertAlsNodig; a changed existing record is stored first without a question.
    virtual bool InsertOfUpdateAlsNodig();

    // Escape, the close box and "&Annuleren" end the window only when FormCloseQuery allows it.
    void reject() override;

protected:
    // Shows the record: the record query (its key parameter set) becomes the group's input set and, unless
    // adding, is opened and read into the controls.
    void LoadRecord(TOrvQuery* recordQuery);
    void acOkExecute() override;
    void acCancelExecute() override;
    // Asks "Afbreken" before typed input of a new record is lost.
    virtual bool FormCloseQuery();
    void dgOnderhoudInternalValidateMessage(TOrvDBComponent* sender, int errResult);
    void showEvent(QShowEvent* event) override;
    // Lets every input start right of the longest caption, in bold as a required field shows it, so no
    // caption is cut; returns that left edge.
    static int AlignCaptions(const QList<TOrvControlWithLabel*>& controls);
    // A bound control in the body (or in panel, a part of it), below the ones before it, reading and writing
    // column of the edited record.
    template <class Control>
    Control* AddBoundControl(const char* name, const char* column, const char* caption, QWidget* panel = nullptr) {
        QWidget* host = panel ? panel : pnlBody;
        auto* control = new Control(host);
        control->setObjectName(QLatin1String(name));
        control->SetLabelCaption(QString::fromUtf8(caption));
        control->SetDataGroup(dgOnderhoud);
        control->SetSQLInputField(QLatin1String(column));
        control->SetSQLOutputSet(QStringLiteral("osOnderhoud"));
        control->SetSQLOutputField(QLatin1String(column));
        host->layout()->addWidget(control);
        return control;
    }

    TOrvDataGroup* dgOnderhoud;
    TOrvADOSQLOutputSet* osOnderhoud;
    TMode FMode = mdInsert;
    QString FCaptionNaam;
    QString FKeyVeldNaam;
    int FKeyWaarde = -1;
    bool FFormDataChanged = false;

private:
    // Insert (Append) or update (Edit) through the group; a failure after the start cancels the group.
    void WriteRecord(bool insert);
    void DeleteRecord();
    // Focuses the first control of the panel that the tab order takes.
    void FocusFirstIn(QWidget* panel);
    QWidget* FTabStart;
};
