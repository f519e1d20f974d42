#include "u_BankJZSearch.h"

TfrmBankJZSearch* frmBankJZSearch = nullptr;

TfrmBankJZSearch::TfrmBankJZSearch(QWidget* owner, Dataset* journalList)
    : JournalSearchForm(owner, journalList, JournalKind::Bank)
{
}

TfrmBankJZSearch::~TfrmBankJZSearch()
{
    if (frmBankJZSearch == this)
        frmBankJZSearch = nullptr;
}
