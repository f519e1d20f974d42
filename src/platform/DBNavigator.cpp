#include "DBNavigator.h"

#include "Application.h"
#include "Dataset.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>

DBNavigator::DBNavigator(QWidget* parent) : QWidget(parent)
{
    auto* lay = new QHBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    auto make = [&](QStyle::StandardPixmap icon, const QString& tip, void (Dataset::*move)()) {
        auto* b = new QToolButton(this);
        b->setIcon(style()->standardIcon(icon));
        b->setToolTip(tip);
        b->setAccessibleName(tip);
        b->setAutoRaise(true);
        lay->addWidget(b);
        onSignal(b, &QToolButton::clicked, this, [this, move] {
            if (ds_)
                (ds_.data()->*move)();
        });
        return b;
    };
    first_ = make(QStyle::SP_MediaSkipBackward, QStringLiteral("第一条"), &Dataset::first);
    prior_ = make(QStyle::SP_MediaSeekBackward, QStringLiteral("上一条"), &Dataset::prior);
    next_ = make(QStyle::SP_MediaSeekForward, QStringLiteral("下一条"), &Dataset::next);
    last_ = make(QStyle::SP_MediaSkipForward, QStringLiteral("最后一条"), &Dataset::last);
    refresh();
}

void DBNavigator::bind(Dataset* dataset)
{
    ds_ = dataset;
    connect(ds_, &Dataset::afterScroll, this, &DBNavigator::refresh);
    connect(ds_, &Dataset::opened, this, &DBNavigator::refresh);
    refresh();
}

void DBNavigator::refresh()
{
    const int row = ds_ ? ds_->currentRow() : -1;
    const int n = ds_ ? ds_->rowCount() : 0;
    first_->setEnabled(row > 0);
    prior_->setEnabled(row > 0);
    next_->setEnabled(row >= 0 && row < n - 1);
    last_->setEnabled(row >= 0 && row < n - 1);
}
