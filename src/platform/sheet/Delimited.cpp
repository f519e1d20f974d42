// Delimited text: the encoding is found from the bytes, then libcsv splits the fields.
#include "SheetReader.h"

#include "AppError.h"

#include <QFile>
#include <QStringDecoder>

#include <csv.h>
#include <optional>

namespace SheetReader {
namespace {

const QString undecodable = QStringLiteral("文件的文字编码无法识别（应为 UTF-8 或 GBK/GB18030）");

// Decodes all of `bytes`; nothing when a sequence is not valid in the encoding.
std::optional<QString> strictDecode(const QByteArray& bytes, const char* encoding)
{
    QStringDecoder dec(encoding, QStringConverter::Flag::Stateless);
    if (!dec.isValid())
        return std::nullopt;
    QString text = dec.decode(bytes);
    if (dec.hasError())
        return std::nullopt;
    return text;
}

struct Collector {
    Rows rows;
    QStringList row;
};

void onField(void* s, size_t len, void* data)
{
    auto* c = static_cast<Collector*>(data);
    c->row << QString::fromUtf8(static_cast<const char*>(s), qsizetype(len));
}

void onRowEnd(int, void* data)
{
    auto* c = static_cast<Collector*>(data);
    c->rows << c->row;
    c->row.clear();
}

// A cell as a spreadsheet user means it: blanks and tabs around it dropped, ="0123" unwrapped.
QString cleanCell(QString cell)
{
    cell = cell.trimmed();
    if (cell.size() >= 3 && cell.startsWith(u"=\"") && cell.endsWith(u'"'))
        cell = cell.mid(2, cell.size() - 3).trimmed();
    return cell;
}

unsigned char delimiterOf(const QString& text)
{
    const QString head = text.left(4096);
    return head.contains(u'\t') && !head.contains(u',') ? CSV_TAB : CSV_COMMA;
}

} // namespace

QString decodeText(const QByteArray& bytes)
{
    // A BOM names the encoding; UTF-16 files from some banks' exports carry one.
    if (auto bom = QStringConverter::encodingForData(bytes)) {
        QStringDecoder dec(*bom);
        QString text = dec.decode(bytes);
        if (dec.hasError())
            throw AppError(undecodable);
        return text;
    }
    if (bytes.contains('\0'))
        throw AppError(undecodable);
    if (auto text = strictDecode(bytes, "UTF-8"))
        return *text;
    if (auto text = strictDecode(bytes, "GB18030"))
        return *text;
    throw AppError(undecodable);
}

Rows parseDelimited(const QByteArray& bytes)
{
    QString text = decodeText(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    // One line end, so every line (blank ones too) is one row and row numbers are line numbers.
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    const QByteArray utf8 = text.toUtf8();

    csv_parser parser;
    if (csv_init(&parser, CSV_REPALL_NL | CSV_APPEND_NULL) != 0)
        throw AppError(QStringLiteral("内存不足，无法读取文件"));
    csv_set_delim(&parser, delimiterOf(text));
    Collector c;
    const size_t done = csv_parse(&parser, utf8.constData(), size_t(utf8.size()), onField, onRowEnd, &c);
    // libcsv reports a quote left open at the end only in strict mode, which would also refuse
    // the ="..." guards; its state tells it: a quoted field begun (state 2) and not ended.
    constexpr int FieldBegun = 2;
    const bool openQuote = parser.quoted && parser.pstate == FieldBegun;
    const bool ok = done == size_t(utf8.size()) && !openQuote && csv_fini(&parser, onField, onRowEnd, &c) == 0;
    csv_free(&parser);
    if (!ok)
        throw AppError(QStringLiteral("文件的分隔格式有误，无法读取"));
    // The last line's end also closes a row; text ending with a line end leaves no extra row.
    if (!c.row.isEmpty())
        c.rows << c.row;
    for (QStringList& row : c.rows)
        for (QString& cell : row)
            cell = cleanCell(cell);
    return c.rows;
}

Rows readDelimited(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("无法打开文件 %1：%2").arg(path, f.errorString()));
    const QByteArray bytes = f.readAll();
    if (bytes.trimmed().isEmpty())
        throw AppError(QStringLiteral("文件是空的"));
    return parseDelimited(bytes);
}

} // namespace SheetReader
