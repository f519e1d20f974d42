#pragma once
// "银行日记账" entry dialog: writes the bank journal list's current row, with its account.
#include "JournalEntryDialog.h"

class TfrmAddBankJZ : public JournalEntryDialog {
    Q_OBJECT
public:
    TfrmAddBankJZ(QWidget* owner, Dataset& list);
    ~TfrmAddBankJZ() override;
    void RzBitBtn2Click() { summaryButtonClick(); }
};

extern TfrmAddBankJZ* frmAddBankJZ;
