#pragma once
// The printed 银行存款余额调节表: title, the account and the day, a table of the statement's rows,
// the preparer and "第 n 页 共 m 页" on every page. Laid out in millimetres, so it reads the same
// at a printer's 1200 dpi as on screen.
#include "Reconciliation.h"

#include <QImage>
#include <QPageLayout>
#include <QVector>

class QPainter;
class QPrinter;
class QWidget;

class ReconciliationPrint {
public:
    ReconciliationPrint(Reconciliation data, QString preparer);

    // One row of the printed table: item, date, summary, number, amount ("" for none).
    struct Row {
        QString item, date, summary, number, amount;
        bool heading = false;
    };
    const QVector<Row>& rows() const { return rows_; }

    static QPageLayout defaultPageLayout(); // A4 portrait, 15 mm margins
    // How many pages the rows take on pages of `page`.
    int pageCount(const QPageLayout& page) const;
    void render(QPrinter* printer) const;
    QVector<QImage> renderImages(const QPageLayout& page, int dpi) const;
    // The print preview, from which the user prints or saves a PDF.
    void preview(QWidget* parent) const;

private:
    // Rows that fit under the page head and above the page foot of one page.
    int rowsPerPage(const QRectF& pageMm) const;
    void paintPage(QPainter& p, const QRectF& pageMm, double dotsPerMm, int page, int pages) const;

    Reconciliation data_;
    QString preparer_;
    QVector<Row> rows_;
};
