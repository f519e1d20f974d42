// Cell texts shared by the workbook readers and the file-type choice.
#include "SheetReader.h"

#include <QDate>
#include <QDateTime>
#include <QFileInfo>
#include <charconv>
#include <cmath>

namespace SheetReader {

QString numberText(double v)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return QString::fromLatin1(buf, int(r.ptr - buf));
}

QString serialDateText(double serial, bool date1904)
{
    // Day 0 of the 1900 system is 1899-12-30 once Excel's phantom 1900-02-29 is counted in.
    const QDate base = date1904 ? QDate(1904, 1, 1) : QDate(1899, 12, 30);
    const qint64 seconds = std::llround(serial * 86400.0);
    const QDate day = base.addDays(seconds / 86400);
    const int rest = int(seconds % 86400);
    if (rest == 0)
        return day.toString(u"yyyy-MM-dd");
    return QDateTime(day, QTime(0, 0).addSecs(rest)).toString(u"yyyy-MM-dd HH:mm:ss");
}

Rows read(const QString& path)
{
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == u"xls")
        return readXls(path);
    if (ext == u"xlsx")
        return readXlsx(path);
    return readDelimited(path);
}

} // namespace SheetReader
