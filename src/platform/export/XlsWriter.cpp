// The EXCEL export: a BIFF8 workbook (Excel 97-2003) in an OLE2 compound file. The records are
// written here; libgsf builds the compound file around the "Workbook" stream.
#include "GridExport.h"

#include "AppError.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QIODevice>
#include <cstring>

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-output.h>
#include <gsf/gsf-utils.h>

namespace GridExport {
namespace {

constexpr int MaxRecordData = 8224;   // longest record body BIFF8 allows
constexpr int MaxSheetRows = 65536;   // rows of one BIFF8 worksheet

// Cell formats (XF indexes) after the 16 built-in ones.
enum Xf : quint16 { XfGeneral = 15, XfDate = 16, XfDateTime = 17, XfTitle = 18, XfWrapped = 19 };

class Bytes {
public:
    QByteArray data;
    void u8(quint8 v) { data += char(v); }
    void u16(quint16 v)
    {
        u8(quint8(v & 0xFF));
        u8(quint8(v >> 8));
    }
    void u32(quint32 v)
    {
        u16(quint16(v & 0xFFFF));
        u16(quint16(v >> 16));
    }
    void f64(double v)
    {
        quint64 bits;
        std::memcpy(&bits, &v, sizeof bits);
        u32(quint32(bits & 0xFFFFFFFFu));
        u32(quint32(bits >> 32));
    }
    void utf16(const QString& s)
    {
        for (QChar ch : s)
            u16(ch.unicode());
    }
    // One record: its number, the length of its body, the body.
    void record(quint16 id, const QByteArray& body)
    {
        u16(id);
        u16(quint16(body.size()));
        data += body;
    }
};

QByteArray bof(quint16 type)
{
    Bytes b;
    b.u16(0x0600); // BIFF8
    b.u16(type);   // 0x0005 workbook globals, 0x0010 worksheet
    b.u16(0x0DBB);
    b.u16(0x07CC);
    b.u32(0);
    b.u32(0x00000006);
    return b.data;
}

QByteArray font(bool bold)
{
    Bytes b;
    b.u16(180); // 9 pt in twentieths of a point
    b.u16(0);
    b.u16(0x7FFF); // window text colour
    b.u16(bold ? 700 : 400);
    b.u16(0);
    b.u8(0);
    b.u8(0);
    b.u8(134); // GB2312
    b.u8(0);
    const QString name = QStringLiteral("宋体");
    b.u8(quint8(name.size()));
    b.u8(1); // 16-bit characters
    b.utf16(name);
    return b.data;
}

QByteArray format(quint16 index, const QString& code)
{
    Bytes b;
    b.u16(index);
    b.u16(quint16(code.size()));
    b.u8(1);
    b.utf16(code);
    return b.data;
}

QByteArray xf(quint16 fontIndex, quint16 formatIndex, bool style, quint8 align, quint8 usedAttributes)
{
    Bytes b;
    b.u16(fontIndex);
    b.u16(formatIndex);
    b.u16(style ? 0xFFF5 : 0x0001); // style XF with no parent / locked cell XF of style 0
    b.u8(align);                      // horizontal in bits 0-2, wrap bit 3, vertical in bits 4-6
    b.u8(0);
    b.u8(0);
    b.u8(usedAttributes);
    b.u32(0);
    b.u32(0);
    b.u16(0x20C0); // automatic pattern colours
    return b.data;
}

// The shared string table, split into CONTINUE records where it outgrows one record, with the
// EXTSST index that points at every eighth-or-so string.
struct StringTable {
    QHash<QString, quint32> index;
    QStringList strings;
    quint32 total = 0;

    quint32 add(const QString& s)
    {
        ++total;
        auto it = index.constFind(s);
        if (it != index.constEnd())
            return *it;
        const quint32 i = quint32(strings.size());
        index.insert(s, i);
        strings << s;
        return i;
    }

    // Appends SST, CONTINUE and EXTSST records to `stream`, whose current size is the stream
    // position where the SST record starts.
    void writeTo(Bytes& stream) const
    {
        const int perBucket = std::max(8, int((strings.size() + 127) / 128));
        QVector<QByteArray> bodies;
        struct Pos { int body; int offset; };
        QVector<Pos> buckets;
        Bytes cur;
        cur.u32(total);
        cur.u32(quint32(strings.size()));
        for (int i = 0; i < strings.size(); ++i) {
            const QString& s = strings[i];
            // The 3-byte string header and its first character must share a record.
            if (cur.data.size() + 3 + (s.isEmpty() ? 0 : 2) > MaxRecordData) {
                bodies << cur.data;
                cur.data.clear();
            }
            if (i % perBucket == 0)
                buckets << Pos{int(bodies.size()), int(cur.data.size())};
            cur.u16(quint16(s.size()));
            cur.u8(1);
            int done = 0;
            while (done < s.size()) {
                const int room = int((MaxRecordData - cur.data.size()) / 2);
                if (room <= 0) {
                    bodies << cur.data;
                    cur.data.clear();
                    cur.u8(1); // a continued string repeats its character-width flag
                    continue;
                }
                const int take = std::min(room, int(s.size()) - done);
                cur.utf16(s.mid(done, take));
                done += take;
            }
        }
        bodies << cur.data;

        QVector<qint64> starts;
        qint64 at = stream.data.size();
        for (const QByteArray& body : bodies) {
            starts << at;
            at += 4 + body.size();
        }
        for (int k = 0; k < bodies.size(); ++k)
            stream.record(k == 0 ? 0x00FC : 0x003C, bodies[k]);

        Bytes ext;
        ext.u16(quint16(perBucket));
        for (const Pos& p : buckets) {
            ext.u32(quint32(starts[p.body] + 4 + p.offset));
            ext.u16(quint16(4 + p.offset));
            ext.u16(0);
        }
        stream.record(0x00FF, ext.data);
    }
};

double serialDate(const QDate& d, const QTime& t)
{
    // Days since 1899-12-30 (the 1900 date system), the time as a fraction of a day.
    return double(QDate(1899, 12, 30).daysTo(d)) + double(t.msecsSinceStartOfDay()) / 86400000.0;
}

class SheetWriter {
public:
    SheetWriter(const Table& t, StringTable& sst) : t_(t), sst_(sst) {}

    QByteArray sheet(int firstRow, int rowCount, bool withFooter)
    {
        Bytes s;
        s.record(0x0809, bof(0x0010));
        const int cols = t_.columnCount();
        for (int i = 0; i < cols; ++i) {
            Bytes ci;
            ci.u16(quint16(i));
            ci.u16(quint16(i));
            ci.u16(quint16(std::clamp(t_.width(i) * 256 / 7, 256, 255 * 256))); // screen pixels to character widths
            ci.u16(XfGeneral);
            ci.u16(0);
            ci.u16(0);
            s.record(0x007D, ci.data);
        }
        const int lastRow = 1 + rowCount + (withFooter ? 1 : 0);
        Bytes dim;
        dim.u32(0);
        dim.u32(quint32(lastRow));
        dim.u16(0);
        dim.u16(quint16(cols));
        dim.u16(0);
        s.record(0x0200, dim.data);

        for (int i = 0; i < cols; ++i)
            label(s, 0, i, t_.title(i), XfTitle);
        for (int r = 0; r < rowCount; ++r) {
            t_.reportRow(firstRow + r);
            for (int i = 0; i < cols; ++i)
                cell(s, quint16(r + 1), i, firstRow + r);
        }
        if (withFooter)
            for (int i = 0; i < cols; ++i)
                footerCell(s, quint16(rowCount + 1), i);

        Bytes w2;
        w2.u16(0x06B6);
        w2.u16(0);
        w2.u16(0);
        w2.u32(0x40);
        w2.u16(0);
        w2.u16(0);
        w2.u32(0);
        s.record(0x023E, w2.data);
        s.record(0x000A, {});
        return s.data;
    }

private:
    void label(Bytes& s, quint16 row, int col, const QString& text, quint16 x)
    {
        Bytes b;
        b.u16(row);
        b.u16(quint16(col));
        b.u16(x);
        b.u32(sst_.add(text));
        s.record(0x00FD, b.data);
    }
    void number(Bytes& s, quint16 row, int col, double v, quint16 x)
    {
        Bytes b;
        b.u16(row);
        b.u16(quint16(col));
        b.u16(x);
        b.f64(v);
        s.record(0x0203, b.data);
    }
    void text(Bytes& s, quint16 row, int col, const QString& v)
    {
        if (!v.isEmpty())
            label(s, row, col, v, v.contains(u'\n') ? XfWrapped : XfGeneral);
    }
    void cell(Bytes& s, quint16 row, int col, int dataRow)
    {
        const GridColumn::Kind kind = t_.column(col).kind;
        if (kind == GridColumn::Kind::DateTime) {
            QDate d;
            QTime tm;
            if (t_.dateTime(dataRow, col, d, tm))
                number(s, row, col, serialDate(d, tm), tm == QTime(0, 0) ? XfDate : XfDateTime);
            return;
        }
        const QVariant v = t_.value(dataRow, col);
        if (v.isNull() || !v.isValid())
            return; // an empty cell
        switch (kind) {
        case GridColumn::Kind::Money:
            if (v.typeId() == QMetaType::QString) // an amount still being typed
                text(s, row, col, v.toString());
            else
                number(s, row, col, Money::fromStorage(v).toDouble(), XfGeneral);
            return;
        case GridColumn::Kind::Integer: {
            bool ok = false;
            const qlonglong n = v.toLongLong(&ok);
            if (ok)
                number(s, row, col, double(n), XfGeneral);
            else
                text(s, row, col, v.toString());
            return;
        }
        case GridColumn::Kind::DateTime:
            return;
        case GridColumn::Kind::Text:
            text(s, row, col, v.toString());
            return;
        }
    }
    void footerCell(Bytes& s, quint16 row, int col)
    {
        const QString f = t_.footer(col);
        if (f.isEmpty())
            return;
        if (t_.column(col).footer == GridColumn::Footer::Sum) {
            if (const std::optional<Money> m = Money::parse(f)) {
                number(s, row, col, m->toDouble(), XfGeneral);
                return;
            }
        }
        label(s, row, col, f, XfGeneral);
    }

    const Table& t_;
    StringTable& sst_;
};

QByteArray workbookStream(const Table& t)
{
    // Titles on every sheet; the rows spread over as many sheets as they need.
    const int perSheet = MaxSheetRows - 2;
    const int rows = t.rowCount();
    const int sheetCount = std::max(1, (rows + perSheet - 1) / perSheet);
    StringTable sst;
    SheetWriter writer(t, sst);
    QVector<QByteArray> sheets;
    for (int k = 0; k < sheetCount; ++k) {
        const int first = k * perSheet;
        const int n = std::min(perSheet, rows - first);
        sheets << writer.sheet(first, std::max(0, n), t.hasFooter() && k == sheetCount - 1);
    }

    Bytes g;
    g.record(0x0809, bof(0x0005));
    {
        Bytes b;
        b.u16(1200); // strings are UTF-16
        g.record(0x0042, b.data);
    }
    {
        Bytes b;
        b.u16(0);
        b.u16(0);
        b.u16(0x4000);
        b.u16(0x2000);
        b.u16(0x0038);
        b.u16(0);
        b.u16(0);
        b.u16(1);
        b.u16(0x0258);
        g.record(0x003D, b.data);
    }
    {
        Bytes b;
        b.u16(0); // 1900 date system
        g.record(0x0022, b.data);
    }
    for (int i = 0; i < 4; ++i)
        g.record(0x0031, font(false));
    g.record(0x0031, font(true)); // referenced as font 5: index 4 is never used in BIFF
    g.record(0x041E, format(164, QStringLiteral("yyyy-mm-dd")));
    g.record(0x041E, format(165, QStringLiteral("yyyy-mm-dd hh:mm:ss")));
    g.record(0x00E0, xf(0, 0, true, 0x20, 0x00));
    for (int i = 1; i < 15; ++i)
        g.record(0x00E0, xf(0, 0, true, 0x20, 0xF4));
    g.record(0x00E0, xf(0, 0, false, 0x20, 0x00));      // 15 general
    g.record(0x00E0, xf(0, 164, false, 0x20, 0x04));    // 16 date
    g.record(0x00E0, xf(0, 165, false, 0x20, 0x04));    // 17 date and time
    g.record(0x00E0, xf(5, 0, false, 0x12, 0x18));      // 18 title: bold, centred
    g.record(0x00E0, xf(0, 0, false, 0x28, 0x10));      // 19 text with line breaks: wrapped
    {
        Bytes b;
        b.u16(0x8000); // built-in style "Normal" on XF 0
        b.u8(0);
        b.u8(0xFF);
        g.record(0x0293, b.data);
    }
    QVector<int> plyPos;
    for (int k = 0; k < sheetCount; ++k) {
        const QString name = sheetCount == 1 ? QStringLiteral("Sheet1") : QStringLiteral("Sheet%1").arg(k + 1);
        Bytes b;
        b.u32(0); // patched below with the stream position of the sheet's BOF
        b.u8(0);
        b.u8(0);
        b.u8(quint8(name.size()));
        b.u8(1);
        b.utf16(name);
        plyPos << int(g.data.size() + 4);
        g.record(0x0085, b.data);
    }
    sst.writeTo(g);
    g.record(0x000A, {});

    qint64 at = g.data.size();
    for (int k = 0; k < sheetCount; ++k) {
        const quint32 pos = quint32(at);
        for (int i = 0; i < 4; ++i)
            g.data[plyPos[k] + i] = char((pos >> (8 * i)) & 0xFF);
        at += sheets[k].size();
    }
    QByteArray stream = g.data;
    for (const QByteArray& s : sheets)
        stream += s;
    // Excel wants the workbook stream in the compound file's large sectors.
    if (stream.size() < 4096)
        stream.append(4096 - stream.size(), '\0');
    return stream;
}

QByteArray compoundFile(const QByteArray& workbook)
{
    static const bool ready = [] {
        gsf_init();
        return true;
    }();
    Q_UNUSED(ready);
    GsfOutput* sink = gsf_output_memory_new();
    GsfOutfile* ole = gsf_outfile_msole_new(sink);
    bool ok = ole != nullptr;
    if (ok) {
        GsfOutput* child = gsf_outfile_new_child(ole, "Workbook", FALSE);
        ok = child && gsf_output_write(child, size_t(workbook.size()), reinterpret_cast<const guint8*>(workbook.constData()));
        if (child) {
            ok = gsf_output_close(child) && ok;
            g_object_unref(child);
        }
        ok = gsf_output_close(GSF_OUTPUT(ole)) && ok;
        g_object_unref(ole);
    }
    QByteArray out;
    if (ok) {
        const guint8* bytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(sink));
        out = QByteArray(reinterpret_cast<const char*>(bytes), qsizetype(gsf_output_size(sink)));
    }
    if (!gsf_output_is_closed(sink)) // closing the compound file closes its sink as well
        gsf_output_close(sink);
    g_object_unref(sink);
    if (!ok || out.isEmpty())
        throw AppError(QStringLiteral("不能生成 EXCEL 文件"));
    return out;
}

} // namespace

void writeXls(const Table& t, QIODevice& out)
{
    const QByteArray file = compoundFile(workbookStream(t));
    if (out.write(file) != file.size())
        throw AppError(QStringLiteral("写入失败：%1").arg(out.errorString()));
}

} // namespace GridExport
