// The text-based export writers: TXT, CSV, HTML and RTF. Each writes the cells as the grid
// shows them (money as plain numbers, dates as 2024-03-05 08:30:00).
#include "GridExport.h"

#include "AppError.h"

#include <QIODevice>

namespace GridExport {
namespace {

// Collects output and hands it to the device in large pieces.
class Sink {
public:
    explicit Sink(QIODevice& out) : out_(out) { buf_.reserve(Chunk + 4096); }
    ~Sink() = default;
    void bytes(const QByteArray& b)
    {
        buf_ += b;
        if (buf_.size() >= Chunk)
            flush();
    }
    void text(const QString& s) { bytes(s.toUtf8()); }
    void ascii(const char* s) { bytes(QByteArray(s)); }
    void flush()
    {
        if (buf_.isEmpty())
            return;
        if (out_.write(buf_) != buf_.size())
            throw AppError(QStringLiteral("写入失败：%1").arg(out_.errorString()));
        buf_.clear();
    }

private:
    static constexpr qsizetype Chunk = 1 << 20;
    QIODevice& out_;
    QByteArray buf_;
};

const char Bom[] = "\xEF\xBB\xBF";

// Each line of the file: the titles, every row, then the footer.
template <typename Line>
void eachLine(const Table& t, Line line)
{
    QStringList cells(t.columnCount());
    for (int i = 0; i < t.columnCount(); ++i)
        cells[i] = t.title(i);
    line(cells, 0);
    for (int r = 0; r < t.rowCount(); ++r) {
        t.reportRow(r);
        for (int i = 0; i < t.columnCount(); ++i)
            cells[i] = t.text(r, i);
        line(cells, 1);
    }
    if (t.hasFooter()) {
        for (int i = 0; i < t.columnCount(); ++i)
            cells[i] = t.footer(i);
        line(cells, 2);
    }
}

// A tab-separated cell cannot hold a tab or a line break; they become spaces.
QString plainCell(const QString& text)
{
    QString s = text;
    for (QChar& ch : s)
        if (ch == u'\t' || ch == u'\r' || ch == u'\n')
            ch = u' ';
    return s;
}

QString csvCell(const QString& s)
{
    bool quote = false;
    for (QChar ch : s)
        if (ch == u',' || ch == u'"' || ch == u'\r' || ch == u'\n') {
            quote = true;
            break;
        }
    if (!quote)
        return s;
    QString q = s;
    q.replace(u'"', QStringLiteral("\"\""));
    return u'"' + q + u'"';
}

QString htmlEscape(const QString& s)
{
    QString out;
    out.reserve(s.size() + 8);
    for (QChar ch : s) {
        switch (ch.unicode()) {
        case '&': out += QStringLiteral("&amp;"); break;
        case '<': out += QStringLiteral("&lt;"); break;
        case '>': out += QStringLiteral("&gt;"); break;
        case '"': out += QStringLiteral("&quot;"); break;
        case '\'': out += QStringLiteral("&#39;"); break;
        case '\r': break; // line breaks are kept as LF, shown by white-space: pre-wrap
        default: out += ch;
        }
    }
    return out;
}

QByteArray rtfEscape(const QString& s)
{
    QByteArray out;
    out.reserve(s.size() * 2);
    for (int i = 0; i < s.size(); ++i) {
        const char16_t u = s[i].unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += char(u);
        } else if (u == '\n') {
            out += "\\line ";
        } else if (u == '\r') {
            if (i + 1 >= s.size() || s[i + 1] != u'\n')
                out += "\\line ";
        } else if (u == '\t') {
            out += "\\tab ";
        } else if (u < 0x20) {
            // other control characters have no place in a document
        } else if (u < 0x80) {
            out += char(u);
        } else {
            // \uN takes a signed 16-bit number, followed by a one-character fallback (\uc1)
            // written as a hex escape, which readers cannot mistake for text.
            out += "\\u" + QByteArray::number(int(qint16(u))) + "\\'3f";
        }
    }
    return out;
}

const char* alignClass(const GridColumn& c)
{
    if (c.alignment & Qt::AlignRight)
        return " class=\"r\"";
    if (c.alignment & Qt::AlignHCenter)
        return " class=\"c\"";
    return "";
}

const char* rtfAlign(const GridColumn& c)
{
    if (c.alignment & Qt::AlignRight)
        return "\\qr";
    if (c.alignment & Qt::AlignHCenter)
        return "\\qc";
    return "\\ql";
}

} // namespace

namespace {
// TXT and CSV differ only in the separator and in how a cell is written.
void writeDelimited(const Table& t, QIODevice& out, QChar separator, QString (*cell)(const QString&))
{
    Sink sink(out);
    sink.ascii(Bom);
    eachLine(t, [&](QStringList& cells, int) {
        QString line;
        for (int i = 0; i < cells.size(); ++i) {
            if (i)
                line += separator;
            line += cell(cells[i]);
        }
        line += QStringLiteral("\r\n");
        sink.text(line);
    });
    sink.flush();
}
} // namespace

void writeText(const Table& t, QIODevice& out) { writeDelimited(t, out, u'\t', plainCell); }

void writeCsv(const Table& t, QIODevice& out) { writeDelimited(t, out, u',', csvCell); }

void writeHtml(const Table& t, QIODevice& out)
{
    Sink sink(out);
    sink.text(QStringLiteral("<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n<title>%1</title>\n"
                             "<style>\n"
                             "table { border-collapse: collapse; }\n"
                             "th, td { border: 1px solid #808080; padding: 2px 4px; white-space: pre-wrap; }\n"
                             "th { background: #e0e0e0; text-align: center; }\n"
                             "tfoot td { background: #f0f0f0; }\n"
                             ".r { text-align: right; }\n.c { text-align: center; }\n"
                             "</style>\n</head>\n<body>\n<table>\n")
                  .arg(htmlEscape(t.caption)));
    eachLine(t, [&](QStringList& cells, int part) {
        QString line;
        if (part == 0)
            line += QStringLiteral("<thead>\n");
        else if (part == 2)
            line += QStringLiteral("</tbody>\n<tfoot>\n");
        line += QStringLiteral("<tr>");
        for (int i = 0; i < cells.size(); ++i) {
            if (part == 0)
                line += QStringLiteral("<th>") + htmlEscape(cells[i]) + QStringLiteral("</th>");
            else
                line += QStringLiteral("<td") + QLatin1String(alignClass(t.column(i))) + u'>' + htmlEscape(cells[i])
                        + QStringLiteral("</td>");
        }
        line += QStringLiteral("</tr>\n");
        if (part == 0)
            line += QStringLiteral("</thead>\n<tbody>\n");
        else if (part == 2)
            line += QStringLiteral("</tfoot>\n");
        sink.text(line);
    });
    if (!t.hasFooter())
        sink.ascii("</tbody>\n");
    sink.ascii("</table>\n</body>\n</html>\n");
    sink.flush();
}

void writeRtf(const Table& t, QIODevice& out)
{
    Sink sink(out);
    // Font 0 is 宋体 (GB2312 character set, its name in the code page of the document).
    sink.ascii("{\\rtf1\\ansi\\ansicpg936\\deff0\\uc1\n"
               "{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}\n"
               "{\\colortbl;\\red0\\green0\\blue0;\\red224\\green224\\blue224;}\n"
               "\\paperw16838\\paperh11906\\margl720\\margr720\\margt720\\margb720\\landscape\n"
               "\\pard\\plain\\f0\\fs18\n");
    QByteArray rowDef = "\\trowd\\trgaph60\\trleft0";
    int right = 0;
    for (int i = 0; i < t.columnCount(); ++i) {
        right += t.width(i) * 15; // screen pixels to twips
        rowDef += "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10\\clbrdrr\\brdrs\\brdrw10\\cellx"
                  + QByteArray::number(right);
    }
    rowDef += '\n';
    eachLine(t, [&](QStringList& cells, int part) {
        QByteArray row = rowDef;
        if (part == 0)
            row.insert(row.size() - 1, "\\trhdr");
        for (int i = 0; i < cells.size(); ++i) {
            row += "\\pard\\intbl";
            row += part == 0 ? "\\qc" : rtfAlign(t.column(i));
            // Each cell's text in a group of its own, so converters start the cell before it.
            row += "\\f0\\fs18 ";
            row += part != 1 ? "{\\f0\\b " : "{\\f0 ";
            row += rtfEscape(cells[i]);
            row += "}\\cell\n";
        }
        row += "\\row\n";
        sink.bytes(row);
    });
    sink.ascii("\\pard\\par\n}\n");
    sink.flush();
}

} // namespace GridExport
