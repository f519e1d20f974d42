// Excel 2007+ workbooks: QuaZip opens the package, QXmlStreamReader reads its parts. Only what a
// worksheet's values need is read: the first sheet, shared strings, and which styles are dates.
#include "SheetReader.h"

#include "AppError.h"

#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

namespace SheetReader {
namespace {

const QString notXlsx = QStringLiteral("文件不是有效的 Excel 工作簿（.xlsx），无法读取");

QByteArray part(QuaZip& zip, const QString& name)
{
    if (!zip.setCurrentFile(name, QuaZip::csInsensitive))
        return {};
    QuaZipFile f(&zip);
    if (!f.open(QIODevice::ReadOnly))
        throw AppError(notXlsx);
    QByteArray data = f.readAll();
    f.close();
    if (f.getZipError() != UNZ_OK)
        throw AppError(notXlsx);
    return data;
}

void checkXml(const QXmlStreamReader& xml)
{
    if (xml.hasError())
        throw AppError(notXlsx);
}

// The first sheet's relationship id and whether dates count from 1904.
struct WorkbookInfo {
    QString firstSheetRel;
    bool date1904 = false;
};

WorkbookInfo readWorkbook(const QByteArray& data)
{
    WorkbookInfo info;
    QXmlStreamReader xml(data);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"workbookPr") {
            const auto v = xml.attributes().value(QLatin1String("date1904"));
            info.date1904 = v == u"1" || v == u"true";
        } else if (xml.name() == u"sheet" && info.firstSheetRel.isEmpty()) {
            for (const auto& a : xml.attributes())
                if (a.name() == u"id")
                    info.firstSheetRel = a.value().toString();
        }
    }
    checkXml(xml);
    return info;
}

// The part name a relationship of the workbook points at.
QString sheetPartName(const QByteArray& rels, const QString& relId)
{
    if (rels.isEmpty() || relId.isEmpty())
        return {};
    QXmlStreamReader xml(rels);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"Relationship"
            && xml.attributes().value(QLatin1String("Id")) == relId) {
            const QString target = xml.attributes().value(QLatin1String("Target")).toString();
            return target.startsWith(u'/') ? target.mid(1) : QStringLiteral("xl/") + target;
        }
    }
    checkXml(xml);
    return {};
}

QStringList readSharedStrings(const QByteArray& data)
{
    QStringList out;
    if (data.isEmpty())
        return out;
    QXmlStreamReader xml(data);
    QString current;
    int phonetic = 0; // text inside <rPh> is a reading aid, not the value
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            if (xml.name() == u"si")
                current.clear();
            else if (xml.name() == u"rPh")
                ++phonetic;
            else if (xml.name() == u"t" && phonetic == 0)
                current += xml.readElementText();
            break;
        case QXmlStreamReader::EndElement:
            if (xml.name() == u"si")
                out << current;
            else if (xml.name() == u"rPh")
                --phonetic;
            break;
        default:
            break;
        }
    }
    checkXml(xml);
    return out;
}

bool isDateFormatCode(QString code)
{
    code.remove(QRegularExpression(QStringLiteral("\"[^\"]*\"|\\[[^\\]]*\\]|\\\\.")));
    return code.contains(QRegularExpression(QStringLiteral("[yYdD]")));
}

bool isBuiltInDateFormat(int id)
{
    return (id >= 14 && id <= 17) || id == 22 || (id >= 27 && id <= 36) || (id >= 50 && id <= 58);
}

// Which cell styles (indexes into cellXfs) show a date.
QSet<int> readDateStyles(const QByteArray& data)
{
    QSet<int> out;
    if (data.isEmpty())
        return out;
    QHash<int, QString> custom;
    QXmlStreamReader xml(data);
    bool inCellXfs = false;
    int xfIndex = 0;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == u"numFmt") {
                custom.insert(xml.attributes().value(QLatin1String("numFmtId")).toInt(), xml.attributes().value(QLatin1String("formatCode")).toString());
            } else if (xml.name() == u"cellXfs") {
                inCellXfs = true;
            } else if (xml.name() == u"xf" && inCellXfs) {
                const int id = xml.attributes().value(QLatin1String("numFmtId")).toInt();
                if (custom.contains(id) ? isDateFormatCode(custom.value(id)) : isBuiltInDateFormat(id))
                    out.insert(xfIndex);
                ++xfIndex;
            }
        } else if (token == QXmlStreamReader::EndElement && xml.name() == u"cellXfs") {
            inCellXfs = false;
        }
    }
    checkXml(xml);
    return out;
}

// "AB12" → 27 (zero-based column); -1 when the reference has no letters.
int columnOfReference(QStringView ref)
{
    int col = 0;
    int letters = 0;
    for (QChar ch : ref) {
        const char16_t u = ch.toUpper().unicode();
        if (u < u'A' || u > u'Z')
            break;
        col = col * 26 + (u - u'A' + 1);
        ++letters;
    }
    return letters ? col - 1 : -1;
}

struct SheetContext {
    QStringList shared;
    QSet<int> dateStyles;
    bool date1904 = false;
};

QString cellValue(const QString& type, int style, const QString& raw, const SheetContext& ctx)
{
    if (type == u"s") {
        bool ok = false;
        const int i = raw.toInt(&ok);
        if (!ok || i < 0 || i >= ctx.shared.size())
            throw AppError(notXlsx);
        return ctx.shared.at(i);
    }
    if (type.isEmpty() || type == u"n") {
        if (raw.isEmpty())
            return {};
        bool ok = false;
        const double v = raw.toDouble(&ok);
        if (!ok)
            return raw;
        return ctx.dateStyles.contains(style) ? serialDateText(v, ctx.date1904) : numberText(v);
    }
    return raw; // inline and formula strings, booleans, errors: as written
}

Rows readSheet(const QByteArray& data, const SheetContext& ctx)
{
    Rows rows;
    QXmlStreamReader xml(data);
    QStringList row;
    int rowIndex = -1;
    int col = 0;
    QString type, raw;
    int style = 0;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == u"row") {
                const int r = xml.attributes().value(QLatin1String("r")).toInt();
                rowIndex = r > 0 ? r - 1 : rowIndex + 1;
                // Rows the file leaves out are blank rows.
                while (rows.size() < rowIndex)
                    rows << QStringList();
                row.clear();
                col = 0;
            } else if (xml.name() == u"c") {
                const int c = columnOfReference(xml.attributes().value(QLatin1String("r")));
                if (c >= 0)
                    col = c;
                type = xml.attributes().value(QLatin1String("t")).toString();
                style = xml.attributes().value(QLatin1String("s")).toInt();
                raw.clear();
            } else if (xml.name() == u"v") {
                raw = xml.readElementText();
            } else if (xml.name() == u"t") { // inside <is>
                raw += xml.readElementText();
            }
        } else if (token == QXmlStreamReader::EndElement) {
            if (xml.name() == u"c") {
                const QString text = cellValue(type, style, raw, ctx).trimmed();
                while (row.size() <= col)
                    row << QString();
                row[col] = text;
                ++col;
            } else if (xml.name() == u"row") {
                while (!row.isEmpty() && row.last().isEmpty())
                    row.removeLast();
                rows << row;
            }
        }
    }
    checkXml(xml);
    return rows;
}

} // namespace

Rows readXlsx(const QString& path)
{
    const QFileInfo fi(path);
    if (!fi.isFile() || !fi.isReadable())
        throw AppError(QStringLiteral("无法打开文件 %1").arg(path));
    if (fi.size() == 0)
        throw AppError(QStringLiteral("文件是空的"));

    QuaZip zip(path);
    if (!zip.open(QuaZip::mdUnzip))
        throw AppError(notXlsx);
    const QByteArray workbook = part(zip, QStringLiteral("xl/workbook.xml"));
    if (workbook.isEmpty())
        throw AppError(notXlsx);
    const WorkbookInfo info = readWorkbook(workbook);
    QString sheetName = sheetPartName(part(zip, QStringLiteral("xl/_rels/workbook.xml.rels")), info.firstSheetRel);
    if (sheetName.isEmpty())
        sheetName = QStringLiteral("xl/worksheets/sheet1.xml");
    const QByteArray sheet = part(zip, sheetName);
    if (sheet.isEmpty())
        throw AppError(notXlsx);

    SheetContext ctx;
    ctx.date1904 = info.date1904;
    ctx.shared = readSharedStrings(part(zip, QStringLiteral("xl/sharedStrings.xml")));
    ctx.dateStyles = readDateStyles(part(zip, QStringLiteral("xl/styles.xml")));
    return readSheet(sheet, ctx);
}

} // namespace SheetReader
