// Gallery scene of the month closing window: December 2023 closed and carried into January,
// March shown with its sets.
#include "Connection.h"
#include "Gallery.h"
#include "MonthClosing.h"
#include "uJieZhang.h"

namespace {
const bool jieZhang = Gallery::add({QStringLiteral("closing_jiezhang"), [] {
    Connection& c = Connection::instance();
    c.run(QStringLiteral("INSERT INTO XJRJZ (YeWuRQ, ZhanYao, ZhanYaoType, JieFang, DaiFang, Fillter) "
                         "VALUES ('2023-12-28 10:00:00', '销售收入', '增加', 31500000, 0, 'admin')"));
    c.run(QStringLiteral("INSERT INTO YHRJZ (yewuRQ, Zhanyao, Shuxing, JieFang, DaiFang, Fillter, KaiHuBank) "
                         "VALUES ('2023-12-29 15:00:00', '差旅费', '减少', 0, 2680000, 'admin', '中国建设银行海淀支行')"));
    MonthClosing::closeMonth(QStringLiteral("2023-12"), QStringLiteral("admin"), QDateTime(QDate(2024, 1, 2), QTime(9, 0)));
    auto* w = new TfrmJieZhang(nullptr);
    w->setWindowState(Qt::WindowNoState);
    return w;
}, QSize(1100, 420), [](QWidget* w) { static_cast<TfrmJieZhang*>(w)->showMonth(QStringLiteral("2024-03")); }});
} // namespace
