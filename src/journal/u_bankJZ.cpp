#include "u_bankJZ.h"

#include "u_BankJZSearch.h"
#include "u_addBankJZ.h"

TfrmBankJZ* frmBankJZ = nullptr;

TfrmBankJZ::TfrmBankJZ(QWidget* owner) : JournalWindow(owner, JournalKind::Bank) {}

TfrmBankJZ::~TfrmBankJZ()
{
    if (frmBankJZ == this)
        frmBankJZ = nullptr;
}

std::unique_ptr<JournalEntryDialog> TfrmBankJZ::createEntryDialog()
{
    auto dialog = std::make_unique<TfrmAddBankJZ>(this, ADOQuery1);
    frmAddBankJZ = dialog.get();
    return dialog;
}

void TfrmBankJZ::openSearch()
{
    if (!frmBankJZSearch)
        frmBankJZSearch = new TfrmBankJZSearch(this, &ADOQuery1);
    frmBankJZSearch->exec();
}
