// Gallery scenes of the journals: both journal windows with the fixture's entries, and both
// entry dialogs editing an entry of the month.
#include "Gallery.h"

#include "u_addBankJZ.h"
#include "u_bankJZ.h"
#include "uAddXJRJZ.h"
#include "uXJRJ.h"

#include <QComboBox>

namespace {
// Entry dialogs in the gallery edit the last entry of a window that lives as long as they do.
template <typename Window, typename Dialog>
QWidget* entryDialog()
{
    auto* window = new Window(nullptr);
    window->FormShow();
    window->ADOQuery1.last();
    window->ADOQuery1.edit();
    auto* dialog = new Dialog(nullptr, window->ADOQuery1);
    window->setParent(dialog, Qt::Window); // goes with the dialog, never shown
    dialog->setPickers(window->ADOQuery1.dateTime(window->design().dateField));
    if (window->design().isBank())
        dialog->selectAccount(window->ADOQuery1.text(QStringLiteral("KaiHuBank")));
    dialog->setWindowState(Qt::WindowNoState);
    return dialog;
}

const bool cashWindow = Gallery::add({QStringLiteral("journal_cash_window"), [] {
    auto* w = new TfrmXJRJ(nullptr);
    w->setWindowState(Qt::WindowNoState);
    return w;
}, QSize(1100, 420), {}});

const bool bankWindow = Gallery::add({QStringLiteral("journal_bank_window"), [] {
    auto* w = new TfrmBankJZ(nullptr);
    w->setWindowState(Qt::WindowNoState);
    return w;
}, QSize(1100, 420), {}});

const bool cashDialog = Gallery::add({QStringLiteral("journal_cash_entry"), [] {
    return entryDialog<TfrmXJRJ, TfrmAddXJRJZ>();
}, QSize(560, 420), {}});

const bool bankDialog = Gallery::add({QStringLiteral("journal_bank_entry"), [] {
    return entryDialog<TfrmBankJZ, TfrmAddBankJZ>();
}, QSize(), {}});
}
