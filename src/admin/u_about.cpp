#include "u_about.h"

#include "Application.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

Tfrmabout* frmabout = nullptr;

QPixmap Tfrmabout::picture(const QSize& size)
{
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width(), h = size.height();

    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(0xA6, 0xCA, 0xF0));
    sky.setColorAt(1, QColor(0xE8, 0xF1, 0xFB));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRoundedRect(QRectF(0, 0, w, h), 6, 6);

    // The ledger: a dark cover with a light page and ruled lines.
    const QRectF cover(w * 0.14, h * 0.10, w * 0.72, h * 0.50);
    p.setBrush(QColor(0x2F, 0x55, 0x8C));
    p.drawRoundedRect(cover, 4, 4);
    const QRectF page = cover.adjusted(w * 0.08, h * 0.025, -w * 0.05, -h * 0.025);
    p.setBrush(QColor(0xFD, 0xFB, 0xF3));
    p.drawRect(page);
    p.setPen(QPen(QColor(0xC0, 0x39, 0x2B), 1.2));
    p.drawLine(QPointF(page.left() + page.width() * 0.22, page.top()), QPointF(page.left() + page.width() * 0.22, page.bottom()));
    p.setPen(QPen(QColor(0x7F, 0xA7, 0xD6), 1));
    for (qreal y = page.top() + page.height() / 8; y < page.bottom() - 2; y += page.height() / 8)
        p.drawLine(QPointF(page.left() + 3, y), QPointF(page.right() - 3, y));

    // A stack of coins below the ledger.
    const qreal cw = w * 0.56, ch = h * 0.06;
    const qreal cx = (w - cw) / 2;
    for (int i = 0; i < 4; ++i) {
        const qreal y = h * 0.86 - i * ch * 0.75;
        QLinearGradient gold(cx, 0, cx + cw, 0);
        gold.setColorAt(0, QColor(0xC8, 0x9B, 0x2C));
        gold.setColorAt(0.5, QColor(0xF5, 0xD2, 0x6B));
        gold.setColorAt(1, QColor(0xB7, 0x86, 0x1F));
        p.setPen(QPen(QColor(0x8A, 0x63, 0x12), 1));
        p.setBrush(gold);
        p.drawEllipse(QRectF(cx, y, cw, ch));
    }
    return pm;
}

Tfrmabout::Tfrmabout(QWidget* owner) : QDialog(owner)
{
    setWindowTitle(QStringLiteral("关于"));

    Image1 = new QLabel(this);
    Image1->setPixmap(picture(QSize(84, 190)));
    Image1->setFixedSize(84, 190);
    Image1->setAccessibleName(QStringLiteral("账本图标"));

    StaticText1 = new QLabel(QStringLiteral("rivizivid"), this);
    QFont nameFont = StaticText1->font();
    nameFont.setBold(true);
    nameFont.setPixelSize(16);
    StaticText1->setFont(nameFont);
    StaticText1->setStyleSheet(QStringLiteral("color: grey;"));
    Bevel1 = new QFrame(this);
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    StaticText2 = new QLabel(QStringLiteral("版本 V2.0 Build(20240324)"), this);
    makerLine = new QLabel(QStringLiteral("版权所有 (C) 2023-2024 rivizivid 软件工作室"), this);
    webLine = new QLabel(QStringLiteral("网址：<a href=\"https://www.example.com/\">https://www.example.com/</a>"), this);
    mailLine = new QLabel(QStringLiteral("邮箱：<a href=\"mailto:support@example.com\">support@example.com</a>"), this);
    for (QLabel* l : {webLine, mailLine}) {
        l->setTextFormat(Qt::RichText);
        l->setTextInteractionFlags(Qt::TextBrowserInteraction);
        l->setOpenExternalLinks(true);
    }
    Bevel2 = new QFrame(this);
    Bevel2->setFrameShape(QFrame::HLine);
    Bevel2->setFrameShadow(QFrame::Sunken);
    RzButton1 = new QPushButton(QStringLiteral("确定"), this);
    RzButton1->setDefault(true);
    RzButton1->setAutoDefault(true);

    auto* text = new QVBoxLayout;
    text->addWidget(StaticText1);
    text->addWidget(Bevel1);
    text->addWidget(StaticText2);
    text->addSpacing(10);
    text->addWidget(makerLine);
    text->addWidget(webLine);
    text->addWidget(mailLine);
    text->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(Image1, 0, Qt::AlignTop);
    top->addSpacing(10);
    top->addLayout(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(RzButton1);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addWidget(Bevel2);
    all->addLayout(buttons);
    setFixedSize(400, 270);

    onSignal(RzButton1, &QPushButton::clicked, this, [this] { RzButton1Click(); });
}

Tfrmabout::~Tfrmabout()
{
    if (frmabout == this)
        frmabout = nullptr;
}

void Tfrmabout::RzButton1Click() { close(); }
