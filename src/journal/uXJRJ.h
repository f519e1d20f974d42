#pragma once
// "现金日记账": the operator's cash entries of the accounting month.
#include "JournalWindow.h"

class TfrmXJRJ : public JournalWindow {
    Q_OBJECT
public:
    explicit TfrmXJRJ(QWidget* owner);
    ~TfrmXJRJ() override;

    void RzToolButton1Click() { exportClick(); }
    void RzToolButton2Click() { newClick(); }
    void RzToolButton3Click() { editClick(); }
    void RzToolButton4Click() { deleteClick(); }
    void RzToolButton5Click() { printClick(); }
    void RzToolButton6Click() { searchClick(); }
    void RzToolButton7Click() { refreshClick(); }
    void RzToolButton8Click() { exitClick(); }

protected:
    std::unique_ptr<JournalEntryDialog> createEntryDialog() override;
    void openSearch() override;
};

extern TfrmXJRJ* frmXJRJ;
