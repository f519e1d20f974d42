#pragma once
// Ledger pages on paper: each book's pages in the three-column form (月, 日, 凭证号数, 摘要,
// 对方科目 when the book names counter accounts, 借方, 贷方, 余额) under the title, the account,
// the month and "第 N 页". Sizes are millimetres, so a page holds the same lines at any
// resolution; amounts are never cut: a cell too narrow prints its amount smaller.
#include "LedgerPages.h"

#include <QImage>
#include <QObject>
#include <QPageLayout>
#include <QVector>
#include <functional>

class QPainter;
class QPrinter;
class QWidget;

class LedgerPrinter : public QObject {
    Q_OBJECT
public:
    explicit LedgerPrinter(QVector<LedgerBook> books, QObject* parent = nullptr);

    // A "本日合计" line after each day; the preview has a switch for it.
    bool dayTotals = true;

    // A4 portrait, 12 mm margins.
    static QPageLayout defaultPageLayout();
    // Ledger lines that fit on one page of `page`.
    static int linesPerPage(const QPageLayout& page);
    // Every book's pages laid out for `page`.
    QVector<QVector<LedgerPage>> layout(const QPageLayout& page) const;

    // Opens the print preview; from there the user prints or saves a PDF.
    void preview(QWidget* parent);
    // Prints every page on the printer's pages; negative balances red when it prints in colour.
    void render(QPrinter* printer) const;
    // The pages as images at `dpi` dots per inch.
    QVector<QImage> renderImages(const QPageLayout& page, int dpi, bool colored = true) const;

private:
    void paint(QPainter& p, const QPageLayout& page, double dotsPerMm, bool colored, const std::function<void()>& newPage) const;

    QVector<LedgerBook> books_;
};

// "打印账页": the preview of one operator's ledger pages of the accounting month `periodText`
// ("yyyy-MM-dd"), the bank journal one account after another.
void previewLedger(QWidget* parent, JournalKind journal, const QString& periodText, const QString& operatorName);
