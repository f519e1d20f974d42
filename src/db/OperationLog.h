#pragma once
// The operation log (CaoZuoRiZhi), kept by the database (upgrade/006_operation_log.sql): its
// names, the kinds of event, and the events the program reports itself (those the triggers
// cannot see: logins, backups, restores, initialisations, exports).
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

namespace OperationLog {

inline const QString table = QStringLiteral("CaoZuoRiZhi");

namespace Field {
inline const QString number = QStringLiteral("XuHao");       // sequence number, 1, 2, 3, ...
inline const QString time = QStringLiteral("ShiJian");       // "yyyy-MM-dd HH:mm:ss", local time
inline const QString operatorName = QStringLiteral("CaoZuoYuan");
inline const QString kind = QStringLiteral("LeiBie");
inline const QString loggedTable = QStringLiteral("BiaoMing");
inline const QString rowKey = QStringLiteral("JiLuHao");
inline const QString before = QStringLiteral("XiuGaiQian");  // JSON object or NULL
inline const QString after = QStringLiteral("XiuGaiHou");    // JSON object or NULL
inline const QString chain = QStringLiteral("JiaoYanZhi");
}

namespace Kind {
inline const QString added = QStringLiteral("新增");
inline const QString changed = QStringLiteral("修改");
inline const QString removed = QStringLiteral("删除");
inline const QString login = QStringLiteral("登录");
inline const QString failedLogin = QStringLiteral("登录失败");
inline const QString closing = QStringLiteral("结账");
inline const QString reopening = QStringLiteral("反结账");
inline const QString backup = QStringLiteral("备份");
inline const QString restore = QStringLiteral("恢复");
inline const QString initialisation = QStringLiteral("数据初始化");
inline const QString exportFile = QStringLiteral("导出");
inline const QString period = QStringLiteral("修改记账年月");
// In the order the window offers them.
QStringList all();
}

// The tables whose every change the triggers log.
QStringList loggedTables();

// The password never reaches the log; its change is written as this text.
inline const QString passwordChanged = QStringLiteral("密码已修改");

// Names of the values the program's own events carry.
namespace Value {
inline const QString rows = QStringLiteral("条数");
inline const QString file = QStringLiteral("文件");
inline const QString fileType = QStringLiteral("文件类型");
inline const QString window = QStringLiteral("窗口");
}

// Named values in the order given; written as one JSON object.
using Values = QList<QPair<QString, QVariant>>;

struct Event {
    QString kind;
    // Nothing: whoever CurrentOperator() names. A failed login names the typed user name.
    std::optional<QString> operatorName;
    QString loggedTable;
    QVariant rowKey;
    Values before;
    Values after;
};

// Writes one row for `event` on the program's connection; the database numbers, times and chains it.
void record(const Event& event);

// The text a row's chain value covers: its fields joined by U+001F, a null field as "".
QString chainContent(qlonglong number, const QString& time, const QString& operatorName, const QString& kind,
                     const QVariant& loggedTable, const QVariant& rowKey, const QVariant& before, const QVariant& after);

} // namespace OperationLog
