#include "u_BankJZSearch.h"

TfrmBankJZSearch* frmBankJZSearch = nullptr;

TfrmBankJZSearch::TfrmBankJZSearch(QWidget* owner, Dataset* journalList)
    : JournalSearchForm(owner, journalList, Journal::Bank)
{
}

TfrmBankJZSearch::~TfrmBankJZSearch()
{
    if (frmBankJZSearch == this)
        frmBankJZSearch = nullptr;
}
