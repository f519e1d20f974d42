#include "Upgrades.h"

#include "AppError.h"
#include "Connection.h"
#include "Database.h"

namespace {
// Every step, in order: the version it makes and its file under upgrade/.
struct StepFile {
    int version;
    const char* file;
};
constexpr StepFile stepFiles[] = {
    {SchemaVersion::storeHardening, "002_store_hardening.sql"},
};

SchemaHistory makeHistory()
{
    SchemaHistory h;
    h.baseVersion = SchemaVersion::firstRelease;
    h.baseTables = Database::firstReleaseTables().keys();
    for (const StepFile& s : stepFiles) {
        const int expected = h.latest() + 1;
        if (s.version != expected)
            throw AppError(QStringLiteral("数据库升级步骤不连续：第 %1 步之后是第 %2 步").arg(h.latest()).arg(s.version));
        h.steps << SchemaStep{s.version, Database::sqlResource(QStringLiteral("upgrade/") + QLatin1String(s.file))};
    }
    if (h.latest() != SchemaVersion::current)
        throw AppError(QStringLiteral("数据库升级步骤只到版本 %1，程序需要版本 %2").arg(h.latest()).arg(SchemaVersion::current));
    return h;
}
} // namespace

QMap<QString, QStringList> Database::firstReleaseTables()
{
    const auto cols = [](const char* names) { return QString::fromLatin1(names).split(u' '); };
    return {
        {QStringLiteral("XJRJZ"), cols("autoID YeWuRQ PingZhengNo ZhanYao Detail ZhanYaoType QCJE JieFang DaiFang YuE JingBR "
                                       "Fillter FilltDate Remark faPiaoDW KeMuDM MakeTime")},
        {QStringLiteral("YHRJZ"), cols("autoID yewuRQ PingZhengNo Zhanyao Detail Shuxing JieFang DaiFang YuE JingBR Fillter "
                                       "FilltDate Remark KaiHuBank FaPiaoDW KeMuDM")},
        {QStringLiteral("ZhanYao"), cols("AutoID Code ZhanYao ZYType Fillter FilltDate KuMuCode")},
        {QStringLiteral("bankInfo"), cols("bankName bankID")},
        {QStringLiteral("tuser"), cols("username password F1 F2 F3 F4 F5 F6 F7 F8 F9 F0 F11 F12 F13 F14 userID")},
        {QStringLiteral("FinscalYearMonth"), cols("YearMonth")},
    };
}

const SchemaHistory& Database::history()
{
    static const SchemaHistory h = makeHistory();
    return h;
}

void Database::upgradeOnOpen(Connection& connection)
{
    connection.setOpenCheck([](Connection& c) { SchemaUpgrade::bringUpToDate(c, history()); });
}

int Database::fileVersion(const QString& path) { return SchemaUpgrade::fileVersion(path, history()); }
