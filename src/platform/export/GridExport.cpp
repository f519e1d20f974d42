#include "GridExport.h"

#include "AppError.h"
#include "DBGrid.h"
#include "DatasetModel.h"
#include "FileDialogs.h"
#include "Messages.h"

#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>
#include <QSaveFile>
#include <QTableView>

namespace GridExport {

QString dialogFilter()
{
    return QStringLiteral("文本文件TXT(.txt)|.txt|csv文件(.csv)|.csv|网页文件(.htm)|.htm|RTF文件(.rtf)|.rtf|EXCEL文件(*.xls)|.xls");
}

std::optional<Format> formatForFilterIndex(int index)
{
    if (index < 1 || index > 5)
        return std::nullopt;
    return Format(index);
}

QString extension(Format f)
{
    switch (f) {
    case Format::Text: return QStringLiteral("txt");
    case Format::Csv: return QStringLiteral("CSV");
    case Format::Html: return QStringLiteral("htm");
    case Format::Rtf: return QStringLiteral("rtf");
    case Format::Xls: return QStringLiteral("xls");
    }
    return {};
}

QString finalFileName(const QString& chosen, Format f)
{
    const QString ext = extension(f);
    if (chosen.right(3).toUpper() == ext.toUpper())
        return chosen;
    return chosen + u'.' + ext;
}

namespace {
int filterIndex = InitialFilterIndex;
}

int rememberedFilterIndex() { return filterIndex; }
void setRememberedFilterIndex(int index) { filterIndex = index; }

Table Table::of(const DBGrid& grid)
{
    Table t = of(*grid.model(), grid.visibleColumnsInViewOrder(), grid.isFooterVisible() && grid.model()->hasFooter());
    for (int i = 0; i < t.columns_.size(); ++i) {
        const int w = grid.view()->columnWidth(t.columns_[i]);
        if (w > 0)
            t.widths_[i] = w;
    }
    return t;
}

Table Table::of(const DatasetModel& model, const QVector<int>& columns, bool withFooter)
{
    Table t;
    t.model_ = &model;
    for (int c : columns) {
        if (c < 0 || c >= model.columnCount())
            continue;
        t.columns_ << c;
        t.widths_ << std::max(model.columns()[c].width, 1);
    }
    t.withFooter_ = withFooter;
    return t;
}

int Table::rowCount() const { return model_ ? model_->rowCount() : 0; }
const GridColumn& Table::column(int i) const { return model_->columns()[columns_[i]]; }
QString Table::text(int row, int i) const { return model_->cellText(row, columns_[i]); }
QVariant Table::value(int row, int i) const { return model_->cellValue(row, columns_[i]); }
bool Table::dateTime(int row, int i, QDate& date, QTime& time) const { return model_->cellDateTime(row, columns_[i], date, time); }
QString Table::footer(int i) const { return model_->footerText(columns_[i]); }

void write(const Table& t, Format f, QIODevice& out)
{
    switch (f) {
    case Format::Text: writeText(t, out); return;
    case Format::Csv: writeCsv(t, out); return;
    case Format::Html: writeHtml(t, out); return;
    case Format::Rtf: writeRtf(t, out); return;
    case Format::Xls: writeXls(t, out); return;
    }
}

void writeAtomically(const QString& path, const std::function<void(QIODevice&)>& writer)
{
    const auto failed = [&](const QString& reason) {
        return AppError(QStringLiteral("不能写入文件 %1：%2").arg(QDir::toNativeSeparators(path), reason));
    };
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw failed(file.errorString());
    try {
        writer(file);
    } catch (...) {
        file.cancelWriting();
        throw;
    }
    if (!file.commit())
        throw failed(file.errorString());
}

void saveToFile(const Table& t, Format f, const QString& path)
{
    writeAtomically(path, [&](QIODevice& out) { write(t, f, out); });
}

namespace {
int progressDelay = 500;
}

void setProgressDelay(int ms) { progressDelay = ms; }

bool saveWithProgress(QWidget* parent, Table t, Format f, const QString& path)
{
    QProgressDialog window(QStringLiteral("正在导出 %1 …").arg(QFileInfo(path).fileName()), QStringLiteral("取消"), 0,
                           std::max(t.rowCount(), 1), parent);
    window.setWindowTitle(QStringLiteral("导出"));
    window.setWindowModality(Qt::WindowModal);
    window.setMinimumDuration(progressDelay);
    window.setAutoReset(false);
    window.setValue(0);
    // Once shown, the modal window's setValue handles pending events: the program stays painted
    // and "取消" is heard.
    t.rowsWritten = [&window](qint64 done, qint64) {
        window.setValue(int(done));
        if (window.wasCanceled())
            throw Cancelled();
    };
    try {
        saveToFile(t, f, path);
    } catch (const Cancelled&) {
        return false;
    }
    return true;
}

std::optional<Saved> exportGrid(QWidget* parent, DBGrid* grid, const QString& defaultFileName)
{
    if (!grid)
        return {};
    SaveFileRequest request;
    request.filter = dialogFilter();
    request.fileName = defaultFileName;
    request.confirmOverwrite = true;
    for (;;) {
        request.filterIndex = filterIndex;
        const SaveFileAnswer answer = FileDialogs::current().saveFile(parent, request);
        if (!answer.accepted)
            return {};
        filterIndex = answer.filterIndex; // the dialog keeps the type chosen last
        const std::optional<Format> f = formatForFilterIndex(answer.filterIndex);
        if (!f)
            return {};
        const QString path = finalFileName(answer.path, *f);
        // The dialog asked about the name as typed; a file under the extended name would
        // otherwise be replaced without a word.
        if (path != answer.path && QFileInfo::exists(path)
            && !Messages::current().question(parent, QStringLiteral("%1 已存在。\n要替换它吗?").arg(QDir::toNativeSeparators(path)),
                                             QStringLiteral("确认另存为"))) {
            request.fileName = answer.path;
            continue;
        }
        Table t = Table::of(*grid);
        t.caption = QFileInfo(path).completeBaseName();
        if (!saveWithProgress(parent, t, *f, path))
            return std::nullopt;
        return Saved{path, *f, t.rowCount()};
    }
}

} // namespace GridExport
