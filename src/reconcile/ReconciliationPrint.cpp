#include "ReconciliationPrint.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {

constexpr double TitleMm = 14;     // title band
constexpr double HeadMm = 10;      // account, day and unit line
constexpr double FootMm = 10;      // preparer and page number
constexpr double RowMm = 7;
constexpr double LineMm = 0.2;
constexpr double PadMm = 1.5;
// Column widths as shares of the table's width: item, date, summary, number, amount.
constexpr double Shares[5] = {0.26, 0.13, 0.28, 0.16, 0.17};

QFont printFont(double points, bool bold = false)
{
    QFont f;
    f.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("Noto Serif CJK SC"),
                   QStringLiteral("Noto Sans CJK SC"), QStringLiteral("AR PL UMing CN")});
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

// Amounts as accountants print them: two decimals at least, thousands grouped.
QString amountText(Money m)
{
    const bool negative = m < Money();
    const std::int64_t u = negative ? -m.units() : m.units();
    QString whole = QString::number(u / Money::Scale);
    for (int i = int(whole.size()) - 3; i > 0; i -= 3)
        whole.insert(i, u',');
    QString frac = QStringLiteral("%1").arg(u % Money::Scale, 4, 10, QLatin1Char('0'));
    while (frac.size() > 2 && frac.endsWith(u'0'))
        frac.chop(1);
    return (negative ? QStringLiteral("-") : QString()) + whole + u'.' + frac;
}

} // namespace

ReconciliationPrint::ReconciliationPrint(Reconciliation data, QString preparer)
    : data_(std::move(data)), preparer_(std::move(preparer))
{
    const auto heading = [&](const QString& title, Money amount) {
        rows_ << Row{title, {}, {}, {}, amountText(amount), true};
    };
    const auto items = [&](const QString& title, const QVector<ReconciliationItem>& list) {
        heading(title, Reconciliation::total(list));
        for (const ReconciliationItem& i : list)
            rows_ << Row{{}, i.when.left(10), i.summary, i.number, amountText(i.amount), false};
    };
    heading(QStringLiteral("银行对账单余额"), data_.statementBalance);
    items(QStringLiteral("加：企业已收、银行未收"), data_.bookInBankNot);
    items(QStringLiteral("减：企业已付、银行未付"), data_.bookOutBankNot);
    heading(QStringLiteral("调节后余额"), data_.adjustedStatement());
    heading(QStringLiteral("银行日记账余额"), data_.bookBalance);
    items(QStringLiteral("加：银行已收、企业未收"), data_.bankInBookNot);
    items(QStringLiteral("减：银行已付、企业未付"), data_.bankOutBookNot);
    heading(QStringLiteral("调节后余额"), data_.adjustedBook());
    rows_ << Row{data_.verdict(), {}, {}, {}, {}, true};
}

QPageLayout ReconciliationPrint::defaultPageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
}

int ReconciliationPrint::rowsPerPage(const QRectF& pageMm) const
{
    // The table's own title row repeats on every page.
    return std::max(1, int((pageMm.height() - TitleMm - HeadMm - FootMm) / RowMm) - 1);
}

int ReconciliationPrint::pageCount(const QPageLayout& page) const
{
    const int per = rowsPerPage(page.paintRect(QPageLayout::Millimeter));
    return std::max(1, int((rows_.size() + per - 1) / per));
}

void ReconciliationPrint::paintPage(QPainter& p, const QRectF& pageMm, double dotsPerMm, int page, int pages) const
{
    const auto d = [dotsPerMm](double mm) { return mm * dotsPerMm; };
    const double width = d(pageMm.width());
    QPen pen(Qt::black);
    pen.setWidthF(d(LineMm));
    p.setPen(pen);

    p.setFont(printFont(16, true));
    p.drawText(QRectF(0, 0, width, d(TitleMm)), Qt::AlignCenter, QStringLiteral("银行存款余额调节表"));
    p.setFont(printFont(10));
    const QRectF head(0, d(TitleMm), width, d(HeadMm));
    p.drawText(head, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("开户银行：") + data_.account);
    p.drawText(head, Qt::AlignHCenter | Qt::AlignVCenter, data_.day.toString(QStringLiteral("截止日期：yyyy年MM月dd日")));
    p.drawText(head, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("单位：元"));

    double x[6] = {0};
    for (int i = 0; i < 5; ++i)
        x[i + 1] = x[i] + width * Shares[i];
    const auto drawRow = [&](double y, const Row& r, bool title) {
        const QString cells[5] = {r.item, r.date, r.summary, r.number, r.amount};
        p.setFont(printFont(10, title || r.heading));
        for (int i = 0; i < 5; ++i) {
            const QRectF cell(x[i], y, x[i + 1] - x[i], d(RowMm));
            p.drawRect(cell);
            const Qt::Alignment align = title ? Qt::AlignCenter : (i == 4 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
            const QRectF inner = cell.adjusted(d(PadMm), 0, -d(PadMm), 0);
            p.drawText(inner, int(align), QFontMetricsF(p.font(), p.device()).elidedText(cells[i], Qt::ElideRight, inner.width()));
        }
    };
    double y = d(TitleMm + HeadMm);
    drawRow(y, Row{QStringLiteral("项目"), QStringLiteral("日期"), QStringLiteral("摘要"), QStringLiteral("凭证号/流水号"),
                   QStringLiteral("金额"), true},
            true);
    const int per = rowsPerPage(pageMm);
    for (int i = page * per; i < std::min<int>(int(rows_.size()), (page + 1) * per); ++i) {
        y += d(RowMm);
        drawRow(y, rows_.at(i), false);
    }

    p.setFont(printFont(10));
    const QRectF foot(0, d(pageMm.height() - FootMm), width, d(FootMm));
    p.drawText(foot, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("编制人：") + preparer_);
    p.drawText(foot, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("第 %1 页 共 %2 页").arg(page + 1).arg(pages));
}

void ReconciliationPrint::render(QPrinter* printer) const
{
    QPainter p(printer);
    if (!p.isActive())
        return;
    const QRectF pageMm(QPointF(0, 0), printer->pageLayout().paintRect(QPageLayout::Millimeter).size());
    const int pages = pageCount(printer->pageLayout());
    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            printer->newPage();
        paintPage(p, pageMm, printer->resolution() / 25.4, i, pages);
    }
}

QVector<QImage> ReconciliationPrint::renderImages(const QPageLayout& page, int dpi) const
{
    const QRectF full = page.fullRect(QPageLayout::Millimeter);
    const QRectF paintMm = page.paintRect(QPageLayout::Millimeter);
    const double dotsPerMm = dpi / 25.4;
    const int pages = pageCount(page);
    QVector<QImage> out;
    for (int i = 0; i < pages; ++i) {
        QImage img(qRound(full.width() * dotsPerMm), qRound(full.height() * dotsPerMm), QImage::Format_RGB32);
        img.setDotsPerMeterX(qRound(dotsPerMm * 1000));
        img.setDotsPerMeterY(qRound(dotsPerMm * 1000));
        img.fill(Qt::white);
        QPainter p(&img);
        p.translate(paintMm.left() * dotsPerMm, paintMm.top() * dotsPerMm);
        paintPage(p, QRectF(QPointF(0, 0), paintMm.size()), dotsPerMm, i, pages);
        p.end();
        out << img;
    }
    return out;
}

void ReconciliationPrint::preview(QWidget* parent) const
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(defaultPageLayout());
    QPrintPreviewDialog dlg(&printer, parent);
    dlg.setWindowState(Qt::WindowMaximized);
    QObject::connect(&dlg, &QPrintPreviewDialog::paintRequested, &dlg, [this](QPrinter* p) { render(p); });
    dlg.exec();
}
