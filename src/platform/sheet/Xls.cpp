// Excel 97-2003 workbooks through libfreexl: the first worksheet, cell by cell.
#include "SheetReader.h"

#include "AppError.h"

#include <QFile>
#include <QFileInfo>

#include <freexl.h>

namespace SheetReader {
namespace {

const QString notXls = QStringLiteral("文件不是有效的 Excel 97-2003 工作簿（.xls），无法读取");

// Owns the library's handle, which must be closed even after a failed open.
class Workbook {
public:
    explicit Workbook(const QString& path) { status_ = freexl_open(QFile::encodeName(path).constData(), &handle_); }
    ~Workbook()
    {
        if (handle_)
            freexl_close(handle_);
    }
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;
    int status() const { return status_; }
    const void* handle() const { return handle_; }

private:
    const void* handle_ = nullptr;
    int status_ = FREEXL_OK;
};

QString cellText(const FreeXL_CellValue& cell)
{
    switch (cell.type) {
    case FREEXL_CELL_INT:
        return QString::number(cell.value.int_value);
    case FREEXL_CELL_DOUBLE:
        return numberText(cell.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
        return QString::fromUtf8(cell.value.text_value).trimmed();
    default:
        return {};
    }
}

} // namespace

Rows readXls(const QString& path)
{
    const QFileInfo fi(path);
    if (!fi.isFile() || !fi.isReadable())
        throw AppError(QStringLiteral("无法打开文件 %1").arg(path));
    if (fi.size() == 0)
        throw AppError(QStringLiteral("文件是空的"));

    Workbook book(path);
    if (book.status() != FREEXL_OK)
        throw AppError(notXls);
    unsigned int info = 0;
    if (freexl_get_info(book.handle(), FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK && info == FREEXL_BIFF_OBFUSCATED)
        throw AppError(QStringLiteral("工作簿有密码保护，无法读取"));
    if (freexl_get_info(book.handle(), FREEXL_BIFF_SHEET_COUNT, &info) != FREEXL_OK || info == 0
        || freexl_select_active_worksheet(book.handle(), 0) != FREEXL_OK)
        throw AppError(notXls);

    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_worksheet_dimensions(book.handle(), &rows, &columns) != FREEXL_OK)
        throw AppError(notXls);
    Rows out;
    out.reserve(int(rows));
    for (unsigned int r = 0; r < rows; ++r) {
        QStringList row;
        for (unsigned short c = 0; c < columns; ++c) {
            FreeXL_CellValue cell;
            if (freexl_get_cell_value(book.handle(), r, c, &cell) != FREEXL_OK)
                throw AppError(notXls);
            row << cellText(cell);
        }
        while (!row.isEmpty() && row.last().isEmpty())
            row.removeLast();
        out << row;
    }
    return out;
}

} // namespace SheetReader
