#include "u_addBankJZ.h"

TfrmAddBankJZ* frmAddBankJZ = nullptr;

// The account items are read here, so every opening sees the catalogue as it stands.
TfrmAddBankJZ::TfrmAddBankJZ(QWidget* owner, Dataset& list) : JournalEntryDialog(owner, list, JournalKind::Bank) {}

TfrmAddBankJZ::~TfrmAddBankJZ()
{
    if (frmAddBankJZ == this)
        frmAddBankJZ = nullptr;
}
