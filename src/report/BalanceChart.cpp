#include "BalanceChart.h"
#include "SameName.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QValueAxis>

BalanceChart::BalanceChart(QWidget* parent) : QChartView(parent)
{
    setObjectName(QStringLiteral("BalanceChart"));
    setRenderHint(QPainter::Antialiasing);
    setMinimumHeight(300);
    setAccessibleName(QStringLiteral("余额图"));
    chart()->legend()->setAlignment(Qt::AlignBottom);
}

void BalanceChart::setMonth(const QDate& anyDay, const QVector<AccountMonth>& accounts)
{
    const QString current = selectedAccount();
    const bool currentBank = selected_ >= 0 && accounts_[selected_].isBank;
    month_ = QDate(anyDay.year(), anyDay.month(), 1);
    accounts_ = accounts;
    selected_ = accounts_.isEmpty() ? -1 : 0;
    for (int i = 0; i < accounts_.size(); ++i)
        if (accounts_[i].isBank == currentBank && sameName(accounts_[i].account, current))
            selected_ = i;
    rebuild();
}

void BalanceChart::selectAccount(const QString& account, bool isBank)
{
    for (int i = 0; i < accounts_.size(); ++i)
        if (accounts_[i].isBank == isBank && sameName(accounts_[i].account, account) && i != selected_) {
            selected_ = i;
            rebuild();
            return;
        }
}

QString BalanceChart::selectedAccount() const { return selected_ >= 0 ? accounts_[selected_].account : QString(); }

void BalanceChart::rebuild()
{
    QChart* c = chart();
    c->removeAllSeries();
    for (QAbstractAxis* a : c->axes())
        c->removeAxis(a);
    c->setTitle(QStringLiteral("%1年%2月 各账户日末余额").arg(month_.year()).arg(month_.month(), 2, 10, QLatin1Char('0'))
                + (selected_ >= 0 ? QStringLiteral("，%1 收支").arg(accounts_[selected_].account) : QString()));
    const int days = month_.isValid() ? month_.daysInMonth() : 0;

    auto* dayAxis = new QBarCategoryAxis;
    for (int d = 1; d <= days; ++d)
        dayAxis->append(QString::number(d));
    dayAxis->setTitleText(QStringLiteral("日"));
    auto* balanceAxis = new QValueAxis;
    balanceAxis->setTitleText(QStringLiteral("余额"));
    balanceAxis->setLabelFormat(QStringLiteral("%.0f"));
    auto* flowAxis = new QValueAxis;
    flowAxis->setTitleText(QStringLiteral("收入/支出"));
    flowAxis->setLabelFormat(QStringLiteral("%.0f"));
    c->addAxis(dayAxis, Qt::AlignBottom);
    c->addAxis(balanceAxis, Qt::AlignLeft);
    c->addAxis(flowAxis, Qt::AlignRight);

    double low = 0, high = 0, flowHigh = 0;
    if (selected_ >= 0) {
        const AccountMonth& a = accounts_[selected_];
        auto* in = new QBarSet(QStringLiteral("收入"));
        auto* out = new QBarSet(QStringLiteral("支出"));
        in->setColor(QColor(0x4C, 0xAF, 0x50));
        out->setColor(QColor(0xE5, 0x73, 0x73));
        for (int d = 0; d < days; ++d) {
            *in << a.receipts[d].toDouble();
            *out << a.payments[d].toDouble();
            flowHigh = std::max({flowHigh, a.receipts[d].toDouble(), a.payments[d].toDouble()});
        }
        auto* bars = new QBarSeries;
        bars->append(in);
        bars->append(out);
        c->addSeries(bars);
        bars->attachAxis(dayAxis);
        bars->attachAxis(flowAxis);
    }
    for (const AccountMonth& a : accounts_) {
        auto* line = new QLineSeries;
        line->setName(a.account);
        for (int d = 0; d < days; ++d) {
            const double v = a.dayEnd[d].toDouble();
            line->append(d, v);
            low = std::min(low, v);
            high = std::max(high, v);
        }
        c->addSeries(line);
        line->attachAxis(dayAxis);
        line->attachAxis(balanceAxis);
    }
    balanceAxis->setRange(low, high > low ? high * 1.05 : low + 1);
    balanceAxis->applyNiceNumbers();
    flowAxis->setRange(0, flowHigh > 0 ? flowHigh * 1.1 : 1);
    flowAxis->applyNiceNumbers();
}

QImage BalanceChart::image(const QSize& size)
{
    QImage img(size, QImage::Format_ARGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Laid out at the image's size, so labels keep their size rather than being scaled.
    const QSizeF wasSize = chart()->size();
    const QRectF wasScene = scene()->sceneRect();
    chart()->resize(size);
    scene()->setSceneRect(QRectF(QPointF(0, 0), size));
    scene()->render(&p, QRectF(QPointF(0, 0), size), QRectF(QPointF(0, 0), size));
    p.end();
    chart()->resize(wasSize);
    scene()->setSceneRect(wasScene);
    return img;
}

void BalanceChart::render(QPrinter* printer)
{
    QPainter p(printer);
    if (!p.isActive())
        return;
    // Drawn as an image of the page's proportions at 150 dots per inch, then placed on the page.
    const QRectF page = printer->pageLayout().paintRectPixels(printer->resolution());
    const double scale = 150.0 / printer->resolution();
    const QImage img = image(QSize(int(page.width() * scale), int(page.height() * scale)));
    p.drawImage(QRectF(QPointF(0, 0), page.size()), img);
}

void BalanceChart::preview(QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter));
    QPrintPreviewDialog dlg(&printer, parent);
    dlg.setWindowState(Qt::WindowMaximized);
    connect(&dlg, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { render(p); });
    dlg.exec();
}
