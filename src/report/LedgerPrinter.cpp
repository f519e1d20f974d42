#include "LedgerPrinter.h"

#include <QAction>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>

namespace {
// Heights in millimetres.
constexpr double TitleMm = 13;
constexpr double InfoMm = 7;
constexpr double HeadRowMm = 6;
constexpr double RowMm = 6.5;
constexpr double ThinMm = 0.15;
constexpr double ThickMm = 0.4;
constexpr double PadMm = 1.0;
constexpr double MinSummaryMm = 30;

enum class Col { Month, Day, Voucher, Summary, Counterpart, Debit, Credit, Balance };

struct Column {
    Col col;
    QString title;
    double mm; // 0: the summary, which takes what is left
};

QVector<Column> columnsFor(bool counterpart)
{
    QVector<Column> cols{{Col::Month, QStringLiteral("月"), 8},         {Col::Day, QStringLiteral("日"), 8},
                         {Col::Voucher, QStringLiteral("凭证号数"), 18}, {Col::Summary, QStringLiteral("摘要"), 0}};
    if (counterpart)
        cols << Column{Col::Counterpart, QStringLiteral("对方科目"), 22};
    cols << Column{Col::Debit, QStringLiteral("借方"), 29} << Column{Col::Credit, QStringLiteral("贷方"), 29}
         << Column{Col::Balance, QStringLiteral("余额"), 31};
    return cols;
}

QFont ledgerFont(double points, bool bold = false)
{
    QFont f;
    f.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC")});
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

QString cellText(const LedgerLine& l, Col c)
{
    switch (c) {
    case Col::Month:
        return l.date.isValid() ? QString::number(l.date.month()) : QString();
    case Col::Day:
        return l.date.isValid() ? QString::number(l.date.day()) : QString();
    case Col::Voucher:
        return l.voucher;
    case Col::Summary:
        return l.summary;
    case Col::Counterpart:
        return l.counterpart;
    case Col::Debit:
        return l.debit ? ledgerAmount(*l.debit) : QString();
    case Col::Credit:
        return l.credit ? ledgerAmount(*l.credit) : QString();
    case Col::Balance:
        return ledgerAmount(l.balance);
    }
    return {};
}

bool isAmount(Col c) { return c == Col::Debit || c == Col::Credit || c == Col::Balance; }
bool isTotal(LedgerLine::Kind k) { return k != LedgerLine::Kind::Entry; }
} // namespace

LedgerPrinter::LedgerPrinter(QVector<LedgerBook> books, QObject* parent) : QObject(parent), books_(std::move(books)) {}

QPageLayout LedgerPrinter::defaultPageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
}

int LedgerPrinter::linesPerPage(const QPageLayout& page)
{
    const double rows = (page.paintRect(QPageLayout::Millimeter).height() - TitleMm - InfoMm - 2 * HeadRowMm) / RowMm;
    return std::max(3, int(rows + 1e-9));
}

QVector<QVector<LedgerPage>> LedgerPrinter::layout(const QPageLayout& page) const
{
    QVector<QVector<LedgerPage>> out;
    for (const LedgerBook& b : books_)
        out << layoutLedger(b, {linesPerPage(page), dayTotals});
    return out;
}

void LedgerPrinter::preview(QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(defaultPageLayout());
    QPrintPreviewDialog dlg(&printer, parent);
    dlg.setWindowState(Qt::WindowMaximized);
    connect(&dlg, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { render(p); });
    // The switch for the day totals sits with the preview's own tools.
    if (auto* bar = dlg.findChild<QToolBar*>()) {
        QAction* days = bar->addAction(QStringLiteral("本日合计"));
        days->setCheckable(true);
        days->setChecked(dayTotals);
        auto* view = dlg.findChild<QPrintPreviewWidget*>();
        connect(days, &QAction::toggled, this, [this, view](bool on) {
            dayTotals = on;
            if (view)
                view->updatePreview();
        });
    }
    dlg.exec();
}

void LedgerPrinter::render(QPrinter* printer) const
{
    QPainter p(printer);
    if (!p.isActive())
        return;
    paint(p, printer->pageLayout(), printer->resolution() / 25.4, printer->colorMode() == QPrinter::Color,
          [printer] { printer->newPage(); });
}

QVector<QImage> LedgerPrinter::renderImages(const QPageLayout& page, int dpi, bool colored) const
{
    const QRectF full = page.fullRect(QPageLayout::Millimeter);
    const QRectF paintMm = page.paintRect(QPageLayout::Millimeter);
    const double dotsPerMm = dpi / 25.4;
    const QSize size(qRound(full.width() * dotsPerMm), qRound(full.height() * dotsPerMm));
    QVector<QImage> pages;
    const auto start = [&] {
        QImage img(size, QImage::Format_RGB32);
        img.setDotsPerMeterX(qRound(dotsPerMm * 1000));
        img.setDotsPerMeterY(qRound(dotsPerMm * 1000));
        img.fill(Qt::white);
        pages << img;
    };
    start();
    QPainter painter(&pages.back());
    const auto place = [&] { painter.translate(paintMm.left() * dotsPerMm, paintMm.top() * dotsPerMm); };
    place();
    paint(painter, page, dotsPerMm, colored, [&] {
        painter.end();
        start();
        painter.begin(&pages.back());
        place();
    });
    painter.end();
    return pages;
}

void LedgerPrinter::paint(QPainter& p, const QPageLayout& page, double dotsPerMm, bool colored,
                          const std::function<void()>& newPage) const
{
    const auto d = [dotsPerMm](double mm) { return mm * dotsPerMm; };
    const QRectF area = page.paintRect(QPageLayout::Millimeter);
    const double width = area.width();
    const int lines = linesPerPage(page);
    const QFont title = ledgerFont(18, true), info = ledgerFont(10), head = ledgerFont(10, true), body = ledgerFont(9),
                totals = ledgerFont(9, true);
    const auto pen = [&](double mm, const QColor& c = Qt::black) {
        QPen pn(c);
        pn.setWidthF(d(mm));
        return pn;
    };
    // Text in a cell, never cut: an amount too wide for its cell prints smaller, other text elides.
    const auto text = [&](const QRectF& cell, const QString& s, Qt::Alignment a, const QFont& f, const QColor& c, bool amount) {
        const QRectF inner = cell.adjusted(d(PadMm), 0, -d(PadMm), 0);
        QFont font = f;
        QFontMetricsF fm(font, p.device());
        QString shown = s;
        if (fm.horizontalAdvance(s) > inner.width()) {
            if (amount) {
                font.setPointSizeF(font.pointSizeF() * inner.width() / fm.horizontalAdvance(s) * 0.98);
            } else {
                shown = fm.elidedText(s, Qt::ElideRight, inner.width());
            }
        }
        p.setFont(font);
        p.setPen(c);
        p.drawText(inner, int(a | Qt::AlignVCenter) | Qt::TextSingleLine, shown);
    };

    bool firstPage = true;
    int bookIndex = 0;
    for (const QVector<LedgerPage>& pages : layout(page)) {
        const LedgerBook& book = books_[bookIndex++];
        QVector<Column> cols = columnsFor(book.hasCounterpart());
        double fixed = 0;
        for (const Column& c : cols)
            fixed += c.mm;
        for (Column& c : cols)
            if (c.mm == 0)
                c.mm = std::max(MinSummaryMm, width - fixed);
        double tableMm = 0;
        for (const Column& c : cols)
            tableMm += c.mm;

        for (const LedgerPage& pg : pages) {
            if (!firstPage)
                newPage();
            firstPage = false;
            // Title with its double rule, then the account, the month and the page number.
            const QString t = ledgerTitle(book.journal);
            p.setFont(title);
            p.setPen(Qt::black);
            const QRectF titleRect(0, 0, d(tableMm), d(TitleMm - 2));
            p.drawText(titleRect, Qt::AlignCenter, t);
            const double tw = QFontMetricsF(title, p.device()).horizontalAdvance(t) + d(6);
            const double rule = d(TitleMm - 2.2);
            p.setPen(pen(ThinMm * 2));
            p.drawLine(QPointF((d(tableMm) - tw) / 2, rule), QPointF((d(tableMm) + tw) / 2, rule));
            p.drawLine(QPointF((d(tableMm) - tw) / 2, rule + d(0.8)), QPointF((d(tableMm) + tw) / 2, rule + d(0.8)));
            const QRectF infoRect(0, d(TitleMm), d(tableMm), d(InfoMm));
            const QString account = book.journal == JournalKind::Cash ? QStringLiteral("账户：现金")
                                                                  : QStringLiteral("开户银行：") + book.account;
            text(infoRect, account, Qt::AlignLeft, info, Qt::black, false);
            text(infoRect, QStringLiteral("%1年%2月").arg(book.year).arg(book.month, 2, 10, QLatin1Char('0')), Qt::AlignHCenter, info,
                 Qt::black, false);
            text(infoRect, QStringLiteral("第 %1 页").arg(pg.number), Qt::AlignRight, info, Qt::black, false);

            // Column heads: the year over 月 and 日, the others across both rows.
            const double top = d(TitleMm + InfoMm);
            double x = 0;
            p.setPen(pen(ThinMm));
            for (int i = 0; i < cols.size(); ++i) {
                const double w = d(cols[i].mm);
                if (cols[i].col == Col::Month || cols[i].col == Col::Day) {
                    const QRectF lower(x, top + d(HeadRowMm), w, d(HeadRowMm));
                    p.setPen(pen(ThinMm));
                    p.drawRect(lower);
                    text(lower, cols[i].title, Qt::AlignHCenter, head, Qt::black, false);
                    if (cols[i].col == Col::Month) {
                        const QRectF upper(x, top, w + d(cols[i + 1].mm), d(HeadRowMm));
                        p.setPen(pen(ThinMm));
                        p.drawRect(upper);
                        text(upper, QStringLiteral("%1年").arg(book.year), Qt::AlignHCenter, head, Qt::black, false);
                    }
                } else {
                    const QRectF both(x, top, w, d(2 * HeadRowMm));
                    p.setPen(pen(ThinMm));
                    p.drawRect(both);
                    text(both, cols[i].title, Qt::AlignHCenter, head, Qt::black, false);
                }
                x += w;
            }

            // The lines, then empty ruled lines to the foot of the page.
            const double rowsTop = top + d(2 * HeadRowMm);
            for (int r = 0; r < lines; ++r) {
                const double y = rowsTop + d(r * RowMm);
                const LedgerLine* l = r < pg.lines.size() ? &pg.lines[r] : nullptr;
                x = 0;
                for (const Column& c : cols) {
                    const QRectF cell(x, y, d(c.mm), d(RowMm));
                    p.setPen(pen(ThinMm));
                    p.drawRect(cell);
                    if (l) {
                        const bool total = isTotal(l->kind);
                        const bool red = colored && c.col == Col::Balance && l->balance < Money();
                        const Qt::Alignment a = isAmount(c.col) ? Qt::AlignRight
                                                : c.col == Col::Summary && total ? Qt::AlignHCenter
                                                : c.col == Col::Summary ? Qt::AlignLeft
                                                                        : Qt::AlignHCenter;
                        text(cell, cellText(*l, c.col), a, total ? totals : body, red ? QColor(Qt::red) : QColor(Qt::black),
                             isAmount(c.col));
                    }
                    x += d(c.mm);
                }
                // The month's totals are ruled off: a line over "本月合计", a double line under "本年累计".
                if (l && l->kind == LedgerLine::Kind::MonthTotal) {
                    p.setPen(pen(ThickMm / 1.5));
                    p.drawLine(QPointF(0, y), QPointF(d(tableMm), y));
                    p.drawLine(QPointF(0, y + d(RowMm)), QPointF(d(tableMm), y + d(RowMm)));
                }
                if (l && l->kind == LedgerLine::Kind::YearTotal) {
                    p.setPen(pen(ThickMm / 1.5));
                    p.drawLine(QPointF(0, y + d(RowMm)), QPointF(d(tableMm), y + d(RowMm)));
                    p.drawLine(QPointF(0, y + d(RowMm - 0.7)), QPointF(d(tableMm), y + d(RowMm - 0.7)));
                }
            }
            p.setPen(pen(ThickMm));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(0, top, d(tableMm), d(2 * HeadRowMm + lines * RowMm)));
        }
    }
}

void previewLedger(QWidget* parent, JournalKind journal, const QString& periodText, const QString& operatorName)
{
    const QDate period = QDate::fromString(periodText.left(10), Qt::ISODate);
    LedgerPrinter printer(readLedgerBooks(journal, period.year(), period.month(), operatorName));
    printer.preview(parent);
}
