#include "GalleryFixture.h"

#include "Connection.h"
#include "Database.h"
#include "uDM.h"

#include <QCoreApplication>
#include <QDateTime>

GalleryFixture::GalleryFixture()
{
    const QString path = dir_.filePath(QStringLiteral("RARU.DLL"));
    Database::createDelivered(path, QDateTime(QDate(2024, 3, 15), QTime(9, 0)));
    DM = new TDM(QCoreApplication::instance());
    Connection::instance().setDatabasePath(path);
    DM->CurrentUser = QStringLiteral("admin");
    Connection& c = Connection::instance();
    const char* summaries[][3] = {{"1001", "期初金额", "增加"}, {"1002", "销售收入", "增加"}, {"1003", "办公用品", "减少"},
                                  {"1004", "差旅费", "减少"}, {"1005", "银行存款利息", "增加"}};
    for (auto& s : summaries)
        c.run(QStringLiteral("INSERT INTO ZhanYao (KuMuCode, ZhanYao, ZYType, FilltDate) VALUES (?, ?, ?, '2024-03-01 08:00:00')"),
              {QString::fromUtf8(s[0]), QString::fromUtf8(s[1]), QString::fromUtf8(s[2])});
    for (const char* bank : {"中国工商银行朝阳支行", "中国建设银行海淀支行"})
        c.run(QStringLiteral("INSERT INTO bankInfo (bankName) VALUES (?)"), {QString::fromUtf8(bank)});
    struct Entry { const char* when; const char* no; const char* summary; const char* type; qint64 debit, credit, balance; const char* who; };
    const Entry cash[] = {
        {"2024-03-01 08:30:00", "X001", "期初金额", "增加", 50000000, 0, 50000000, "张三"},
        {"2024-03-05 10:15:00", "X002", "销售收入", "增加", 12800000, 0, 62800000, "李四"},
        {"2024-03-08 14:00:00", "X003", "办公用品", "减少", 0, 3567500, 59232500, "王五"},
        {"2024-03-12 09:45:00", "X004", "差旅费", "减少", 0, 8000000, 51232500, "张三"},
    };
    for (const Entry& e : cash)
        c.run(QStringLiteral("INSERT INTO XJRJZ (YeWuRQ, PingZhengNo, ZhanYao, Detail, ZhanYaoType, JieFang, DaiFang, YuE, JingBR, Fillter, KeMuDM)"
                             " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, 'admin', '1002')"),
              {QString::fromUtf8(e.when), QString::fromUtf8(e.no), QString::fromUtf8(e.summary), QStringLiteral("三月业务"),
               QString::fromUtf8(e.type), e.debit, e.credit, e.balance, QString::fromUtf8(e.who)});
    const Entry bank[] = {
        {"2024-03-01 09:00:00", "Y001", "期初金额", "增加", 200000000, 0, 200000000, "张三"},
        {"2024-03-06 11:20:00", "Y002", "销售收入", "增加", 35000000, 0, 235000000, "李四"},
        {"2024-03-10 15:30:00", "Y003", "差旅费", "减少", 0, 4500000, 230500000, "王五"},
    };
    for (const Entry& e : bank)
        c.run(QStringLiteral("INSERT INTO YHRJZ (yewuRQ, PingZhengNo, Zhanyao, Detail, Shuxing, JieFang, DaiFang, YuE, JingBR, Fillter, KaiHuBank, KeMuDM)"
                             " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, 'admin', ?, '1002')"),
              {QString::fromUtf8(e.when), QString::fromUtf8(e.no), QString::fromUtf8(e.summary), QStringLiteral("三月往来"),
               QString::fromUtf8(e.type), e.debit, e.credit, e.balance, QString::fromUtf8(e.who), QStringLiteral("中国工商银行朝阳支行")});
}

GalleryFixture::~GalleryFixture() { Connection::instance().close(); }
