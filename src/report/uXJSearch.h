#pragma once
// "查找": the cash journal's search dialog.
#include "JournalSearchForm.h"

class TfrmXJSearch : public JournalSearchForm {
    Q_OBJECT
public:
    TfrmXJSearch(QWidget* owner, Dataset* journalList);
    ~TfrmXJSearch() override;
};

extern TfrmXJSearch* frmXJSearch;
