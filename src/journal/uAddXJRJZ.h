#pragma once
// "现金日记账" entry dialog: writes the cash journal list's current row.
#include "JournalEntryDialog.h"

class TfrmAddXJRJZ : public JournalEntryDialog {
    Q_OBJECT
public:
    TfrmAddXJRJZ(QWidget* owner, Dataset& list);
    ~TfrmAddXJRJZ() override;
    void RzBitBtn1Click() { summaryButtonClick(); }
};

extern TfrmAddXJRJZ* frmAddXJRJZ;
