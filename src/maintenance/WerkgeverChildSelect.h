#pragma once
// An embedded list of one employer's rows (its costs or its wage sums) inside the employer edit window:
// the employer's key and return period kind, the window's own query module, and the list query it shows.

#include "forms/fBaseChildSelect.h"

class TdmBeheer;
class TOrvQuery;

class TWerkgeverChildSelect : public TBaseChildSelect {
    Q_OBJECT
public:
    // A new employer key sets the list up again at its next showing.
    void Initialize(qint64 iWerkgeverId, int iAangifteTijdvak);

protected:
    // listQuery: the query of the data module that the list shows.
    TWerkgeverChildSelect(QWidget* owner, TOrvQuery* TdmBeheer::*listQuery);

    TdmBeheer* FdmBeheer;
    TOrvQuery* TdmBeheer::*FListQuery;
    qint64 FWerkgeverId = -1;
    int FAangifteTijdvak = -1;
};
