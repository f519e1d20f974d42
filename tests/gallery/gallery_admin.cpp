// Gallery scenes of the administration windows.
#include "Gallery.h"
#include "u_.h"
#include "u_DBbak.h"
#include "u_OnLineAsk.h"
#include "u_about.h"
#include "u_user.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>

namespace {
const bool user = Gallery::add({QStringLiteral("admin_user"), [] { return new TfrmUser(nullptr); }, {}, {}});
const bool init = Gallery::add({QStringLiteral("admin_init"), [] { return new Tfrm_(nullptr); }, {}, {}});
const bool restoreTab = Gallery::add({QStringLiteral("admin_dbbak_restore"), [] {
    auto* d = new Tfrm_DBbak(nullptr);
    d->Edit2->setText(QStringLiteral("/home/会计/备份/RARU.DLL"));
    return d;
}, {}, {}});
const bool backupTab = Gallery::add({QStringLiteral("admin_dbbak_backup"), [] {
    auto* d = new Tfrm_DBbak(nullptr);
    d->PageControl1->setCurrentWidget(d->TabSheet1);
    d->Edit1->setText(QStringLiteral("/media/U盘/RARU.DLL"));
    return d;
}, {}, {}});
const bool ask = Gallery::add({QStringLiteral("admin_onlineask"), [] {
    auto* d = new Tfrm_OnLineAsk(nullptr);
    d->Edit2->setText(QStringLiteral("QQ 12345678"));
    d->Memo1->setPlainText(QStringLiteral("请问怎样把银行日记账导出为电子表格？\n谢谢！"));
    return d;
}, {}, {}});
const bool about = Gallery::add({QStringLiteral("admin_about"), [] { return new Tfrmabout(nullptr); }, {}, {}});
} // namespace
