// Gallery scenes of the administration windows.
#include "Gallery.h"
#include "u_.h"
#include "u_DBbak.h"
#include "u_OnLineAsk.h"
#include "u_about.h"
#include "u_user.h"

#include "Connection.h"
#include "Database.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
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
// A frame mid-copy: a real backup of a larger database, stopped once the bar is past half-way.
const bool backupMoving = Gallery::add({QStringLiteral("admin_dbbak_backup_progress"), [] {
    auto* d = new Tfrm_DBbak(nullptr);
    d->PageControl1->setCurrentWidget(d->TabSheet1);
    return d;
}, {}, [](QWidget* w) {
    auto* d = static_cast<Tfrm_DBbak*>(w);
    struct Stop {};
    QTemporaryDir dir;
    Connection& c = Connection::instance();
    const QString books = c.databasePath();
    const QString big = dir.filePath(QStringLiteral("RARU.DLL"));
    Database::createDelivered(big);
    c.setDatabasePath(big);
    c.run(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i < 5000) "
                         "INSERT INTO XJRJZ (YeWuRQ, ZhanYao, Detail, Fillter) SELECT '2024-03-02 09:00:00', '货款', printf('%0200d', i), 'admin' FROM n"));
    const QString target = dir.filePath(QStringLiteral("U盘/RARU.DLL"));
    QDir().mkpath(QFileInfo(target).absolutePath());
    d->Edit1->setText(target);
    d->btnOK->setEnabled(false);
    d->btnExit->setEnabled(false);
    const Progress shown = Tfrm_DBbak::progressOf(d->ProgressBar1);
    try {
        BackupRestore::backup(target, [&](qint64 done, qint64 total) {
            shown(done, total);
            if (done * 100 >= total * 55)
                throw Stop{};
        });
    } catch (const Stop&) {
    }
    c.setDatabasePath(books);
}});
const bool ask = Gallery::add({QStringLiteral("admin_onlineask"), [] {
    auto* d = new Tfrm_OnLineAsk(nullptr);
    d->Edit2->setText(QStringLiteral("QQ 12345678"));
    d->Memo1->setPlainText(QStringLiteral("请问怎样把银行日记账导出为电子表格？\n谢谢！"));
    return d;
}, {}, {}});
const bool about = Gallery::add({QStringLiteral("admin_about"), [] { return new Tfrmabout(nullptr); }, {}, {}});
} // namespace
