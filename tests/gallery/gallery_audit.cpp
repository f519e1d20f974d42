// Gallery scene of the operation log: a change of an entry selected, before and after side by side.
#include "Gallery.h"
#include "Connection.h"
#include "DBGrid.h"
#include "uCaoZuoRiZhi.h"
#include "uDM.h"

namespace {
const bool log = Gallery::add({QStringLiteral("audit_caozuorizhi"), [] {
    // A cashier corrects an entry and renames an account; the log has them beside the fixture's rows.
    Connection& c = Connection::instance();
    DM->CurrentUser = QStringLiteral("李四");
    c.run(QStringLiteral("UPDATE bankInfo SET bankName = '中国工商银行朝阳支行营业部' WHERE bankName = '中国工商银行朝阳支行'"));
    c.run(QStringLiteral("UPDATE XJRJZ SET DaiFang = 3675000, Detail = '三月业务：打印纸与墨盒' WHERE PingZhengNo = 'X003'"));
    DM->CurrentUser = QStringLiteral("admin");
    return new TfrmCaoZuoRiZhi(nullptr);
}, QSize(1100, 560), [](QWidget* w) {
    // The newest row is current: the corrected entry.
    static_cast<TfrmCaoZuoRiZhi*>(w)->DBGridEh1->dataset()->first();
}});
} // namespace
