#pragma once
// "查询": the bank journal's search dialog.
#include "JournalSearchForm.h"

class TfrmBankJZSearch : public JournalSearchForm {
    Q_OBJECT
public:
    TfrmBankJZSearch(QWidget* owner, Dataset* journalList);
    ~TfrmBankJZSearch() override;
};

extern TfrmBankJZSearch* frmBankJZSearch;
