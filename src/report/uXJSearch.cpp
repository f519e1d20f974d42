#include "uXJSearch.h"

TfrmXJSearch* frmXJSearch = nullptr;

TfrmXJSearch::TfrmXJSearch(QWidget* owner, Dataset* journalList) : JournalSearchForm(owner, journalList, Journal::Cash) {}

TfrmXJSearch::~TfrmXJSearch()
{
    if (frmXJSearch == this)
        frmXJSearch = nullptr;
}
