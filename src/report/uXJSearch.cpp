#include "uXJSearch.h"

TfrmXJSearch* frmXJSearch = nullptr;

TfrmXJSearch::TfrmXJSearch(QWidget* owner, Dataset* journalList) : JournalSearchForm(owner, journalList, JournalKind::Cash) {}

TfrmXJSearch::~TfrmXJSearch()
{
    if (frmXJSearch == this)
        frmXJSearch = nullptr;
}
