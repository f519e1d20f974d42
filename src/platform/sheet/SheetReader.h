#pragma once
// Readers of tabular files that other programs write: delimited text (CSV or tab-separated, in
// UTF-8 with or without BOM, UTF-16 with BOM, or GBK/GB18030), Excel 97-2003 workbooks (.xls, read
// by libfreexl) and Excel 2007+ workbooks (.xlsx, unzipped by QuaZip, read with QXmlStreamReader).
// Each gives the rows of the first worksheet as text cells: numbers in their shortest exact
// decimal form, dates as "yyyy-MM-dd" or "yyyy-MM-dd HH:mm:ss". A file that cannot be read raises
// AppError with one message naming the reason.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

namespace SheetReader {

using Rows = QVector<QStringList>;

// Picks the reader by the file's extension: .xls, .xlsx, anything else as delimited text.
Rows read(const QString& path);

Rows readDelimited(const QString& path);
Rows readXls(const QString& path);
Rows readXlsx(const QString& path);

// Delimited text already in memory. The delimiter is the comma, or the tab when the first lines
// hold tabs but no commas; cells are trimmed and a spreadsheet guard ="..." is taken off.
Rows parseDelimited(const QByteArray& bytes);
// Text of unknown encoding: a BOM decides; otherwise strict UTF-8, then GB18030 (which covers
// GBK and GB2312). Anything else raises AppError.
QString decodeText(const QByteArray& bytes);

// A number as the shortest decimal text that reads back as the same double ("1234.5", "0.1").
QString numberText(double v);
// A spreadsheet serial day number (1900 or 1904 date system) as date text.
QString serialDateText(double serial, bool date1904);

} // namespace SheetReader
