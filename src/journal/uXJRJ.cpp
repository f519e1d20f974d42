#include "uXJRJ.h"

#include "uAddXJRJZ.h"
#include "uXJSearch.h"

TfrmXJRJ* frmXJRJ = nullptr;

TfrmXJRJ::TfrmXJRJ(QWidget* owner) : JournalWindow(owner, JournalKind::Cash) {}

TfrmXJRJ::~TfrmXJRJ()
{
    if (frmXJRJ == this)
        frmXJRJ = nullptr;
}

std::unique_ptr<JournalEntryDialog> TfrmXJRJ::createEntryDialog()
{
    auto dialog = std::make_unique<TfrmAddXJRJZ>(this, ADOQuery1);
    frmAddXJRJZ = dialog.get();
    return dialog;
}

void TfrmXJRJ::openSearch()
{
    if (!frmXJSearch)
        frmXJSearch = new TfrmXJSearch(this, &ADOQuery1);
    frmXJSearch->exec();
}
