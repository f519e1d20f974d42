#pragma once
// "银行日记账": the operator's bank entries of the accounting month, every account.
#include "JournalWindow.h"

class TfrmBankJZ : public JournalWindow {
    Q_OBJECT
public:
    explicit TfrmBankJZ(QWidget* owner);
    ~TfrmBankJZ() override;

    void RzToolButton1Click() { exportClick(); }
    void RzToolButton2Click() { newClick(); }
    void RzToolButton3Click() { editClick(); }
    void RzToolButton4Click() { deleteClick(); }
    void RzToolButton5Click() { printClick(); }
    void RzToolButton6Click() { refreshClick(); }
    void RzToolButton7Click() { searchClick(); }
    void RzToolButton8Click() { exitClick(); }

protected:
    std::unique_ptr<JournalEntryDialog> createEntryDialog() override;
    void openSearch() override;
};

extern TfrmBankJZ* frmBankJZ;
