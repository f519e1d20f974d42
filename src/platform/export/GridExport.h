#pragma once
// Saving a grid's rows to a file: the five export types of the save dialog, the file-name rule,
// the writers, and the interactive operation behind every "导出" button.
#include "GridColumn.h"
#include "Money.h"
#include "Progress.h"

#include <QDate>
#include <QString>
#include <QTime>
#include <QVariant>
#include <QVector>
#include <exception>
#include <functional>
#include <optional>

class DBGrid;
class DatasetModel;
class QIODevice;
class QWidget;

namespace GridExport {

enum class Format { Text = 1, Csv = 2, Html = 3, Rtf = 4, Xls = 5 };

// The save dialog's filter: five pairs of display text and bare extension.
QString dialogFilter();
// The entry preselected at the first export of a run (EXCEL).
constexpr int InitialFilterIndex = 5;
// The type of a 1-based filter index; nothing for any other index.
std::optional<Format> formatForFilterIndex(int index);
// The extension appended for a type, in the case the file gets: "txt", "CSV", "htm", "rtf", "xls".
QString extension(Format f);
// The name the file is saved under: the chosen name when its last three characters, upper-cased,
// equal the upper-cased extension; otherwise the chosen name + "." + extension. Nothing checks
// for a dot, so "月报txt" stays as it is and "月报.xlsx" becomes "月报.xlsx.xls".
QString finalFileName(const QString& chosen, Format f);

// The filter index the save dialog preselects; it stays for the whole run, across windows.
int rememberedFilterIndex();
void setRememberedFilterIndex(int index);

// What an export writes: the visible columns in their on-screen order with their titles, every
// row the dataset holds (whatever is selected), then the footer row when the grid has one.
class Table {
public:
    static Table of(const DBGrid& grid);
    // Without a window: the given model columns, widths from the design.
    static Table of(const DatasetModel& model, const QVector<int>& columns, bool withFooter);

    int columnCount() const { return int(columns_.size()); }
    int rowCount() const;
    const GridColumn& column(int i) const;
    QString title(int i) const { return column(i).title; }
    int width(int i) const { return widths_.value(i, 80); } // screen pixels
    bool hasFooter() const { return withFooter_; }
    QString text(int row, int i) const;
    QVariant value(int row, int i) const; // as DatasetModel::cellValue
    bool dateTime(int row, int i, QDate& date, QTime& time) const;
    QString footer(int i) const;
    QString caption;                      // the document title where a format has one
    Progress rowsWritten;                 // hears the rows written now and then; may throw to stop
    // Writers call this as they go through the rows.
    void reportRow(int row) const
    {
        if (rowsWritten && row % 256 == 0)
            rowsWritten(row, rowCount());
    }

private:
    const DatasetModel* model_ = nullptr;
    QVector<int> columns_;
    QVector<int> widths_;
    bool withFooter_ = false;
};

// Writers. Each throws AppError when the device refuses a write.
void writeText(const Table& t, QIODevice& out); // tab-separated, UTF-8 with BOM, CRLF
void writeCsv(const Table& t, QIODevice& out);  // RFC 4180, UTF-8 with BOM
void writeHtml(const Table& t, QIODevice& out); // complete page, UTF-8
void writeRtf(const Table& t, QIODevice& out);  // table, non-ASCII as \uN? escapes, CJK font
void writeXls(const Table& t, QIODevice& out);  // BIFF8 workbook in an OLE2 compound file
void write(const Table& t, Format f, QIODevice& out);

// Writes to a temporary file beside `path` and renames it into place only when everything was
// written; an error raises AppError with the reason and leaves nothing under `path`.
void saveToFile(const Table& t, Format f, const QString& path);
// The same for any writer: `write` fills the temporary file; if it throws, the file is dropped.
void writeAtomically(const QString& path, const std::function<void(QIODevice&)>& write);

// What a progress window's "取消" raises inside a writer; the export then leaves no file behind.
struct Cancelled : std::exception {
    const char* what() const noexcept override { return "export cancelled"; }
};

// saveToFile with a progress window over `parent` (shown once the export takes longer than the
// delay) whose "取消" stops it, keeping the window painted meanwhile. False when cancelled: no
// file is left under `path`, and a file that was there stays as it was.
bool saveWithProgress(QWidget* parent, Table t, Format f, const QString& path);
// The pause before the progress window shows, in milliseconds (tests show it at once).
void setProgressDelay(int ms);

// What an export wrote.
struct Saved {
    QString path;
    Format format;
    int rows;
};
// The export of a grid: the save dialog (remembered filter index, overwrite prompt), the
// file-name rule, then the file. Cancelling does nothing and answers nothing.
std::optional<Saved> exportGrid(QWidget* parent, DBGrid* grid, const QString& defaultFileName);

} // namespace GridExport
