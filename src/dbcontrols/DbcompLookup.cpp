#include "binding/OrvADOConnection.h"
#include "binding/OrvQuery.h"
#include "dbcontrols/DbcompCombos.h"
#include "support/OrvErrors.h"

#include <QScopeGuard>

ORV_METHOD_PREFIXES(TOrvDBLookupCombo)

void TOrvDBLookupCombo::FillCombo() {
    WithPrefix(Prefix("FillCombo"), [&] {
        TDataSet* dataSet = FLookupSource ? FLookupSource->DataSet() : nullptr;
        if (!dataSet || FLookupKeyField.isEmpty() || FLookupDisplayField.isEmpty()) return;
        auto* query = qobject_cast<TOrvQuery*>(dataSet);
        const bool opened = !dataSet->Active();
        if (opened) {
            if (!query) throw EDBComponentError(objectName() + QStringLiteral(": Cannot open the lookup dataset"));
            query->Open();
        } else {
            dataSet->First();
        }
        const auto closeAgain = qScopeGuard([&] {
            if (opened) query->Close();
        });
        const QString current = Value();
        const int key = dataSet->FieldIndexOrRaise(FLookupKeyField);
        const int description = dataSet->FieldIndexOrRaise(FLookupDisplayField);
        QStringList lines;
        lines.reserve(dataSet->RecordCount() + 1);
        if (FAddBlank) lines.append(QLatin1String(kNoValueKey) + u'=');
        // Walks the shared dataset, which is left after its last row.
        for (; !dataSet->Eof(); dataSet->Next())
            lines.append(dataSet->FieldValue(key).toString() + u'=' + dataSet->FieldValue(description).toString());
        AssignItems(lines);
        SetValue(current);
    });
}

void TOrvDBLookupCombo::Refresh() {
    WithPrefix(Prefix("Refresh"), [&] { FillCombo(); });
}

bool TOrvDBLookupCombo::IsNull() const {
    const QString key = Value();
    return key.isEmpty() || key == QLatin1String(kNoValueKey);
}
