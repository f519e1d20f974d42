#include "uAddXJRJZ.h"

TfrmAddXJRJZ* frmAddXJRJZ = nullptr;

TfrmAddXJRJZ::TfrmAddXJRJZ(QWidget* owner, Dataset& list) : JournalEntryDialog(owner, list, JournalKind::Cash) {}

TfrmAddXJRJZ::~TfrmAddXJRJZ()
{
    if (frmAddXJRJZ == this)
        frmAddXJRJZ = nullptr;
}
