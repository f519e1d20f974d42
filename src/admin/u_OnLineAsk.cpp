#include "u_OnLineAsk.h"

#include "Application.h"
#include "Messages.h"
#include "SupportMailConfig.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>

Tfrm_OnLineAsk* frm_OnLineAsk = nullptr;

namespace {
std::optional<SmtpSettings>& replaced()
{
    static std::optional<SmtpSettings> s;
    return s;
}

SmtpSettings configured()
{
    SmtpSettings s;
    s.host = QString::fromUtf8(ZZ_SUPPORT_SMTP_HOST).trimmed();
    bool ok = false;
    const int port = QString::fromUtf8(ZZ_SUPPORT_SMTP_PORT).trimmed().toInt(&ok);
    s.port = ok && port > 0 ? port : 25;
    s.user = QString::fromUtf8(ZZ_SUPPORT_SMTP_USER);
    s.password = QString::fromUtf8(ZZ_SUPPORT_SMTP_PASSWORD);
    s.from = QString::fromUtf8(ZZ_SUPPORT_SMTP_FROM).trimmed();
    s.to = QString::fromUtf8(ZZ_SUPPORT_SMTP_TO).trimmed();
    return s;
}

// The busy cursor for as long as the mail is on its way.
struct BusyCursor {
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};
} // namespace

SmtpSettings SupportMail::settings() { return replaced() ? *replaced() : configured(); }
void SupportMail::setSettings(const SmtpSettings& s) { replaced() = s; }
void SupportMail::resetSettings() { replaced().reset(); }
QString SupportMail::versionText() { return QStringLiteral("zizedozuvarV1.0版本"); }

MailMessage SupportMail::consultation(const QString& version, const QString& contact, const QString& text)
{
    MailMessage m;
    m.subject = QStringLiteral("软件咨询");
    m.bodyLines << QStringLiteral("软件版本：") + version.trimmed() << QStringLiteral("咨询来源：") + contact.trimmed() << QString()
                << text;
    return m;
}

Tfrm_OnLineAsk::Tfrm_OnLineAsk(QWidget* owner) : QDialog(owner)
{
    setWindowTitle(QStringLiteral("在线咨询与建议"));

    RzPanel1 = new QFrame(this);
    RzPanel1->setObjectName(QStringLiteral("RzPanel1"));
    RzPanel1->setStyleSheet(QStringLiteral("#RzPanel1 { background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #FFFFE1, stop:1 #A6CAF0); }"));
    // From the classic tooltip yellow to sky blue.
    Label4 = new QLabel(QStringLiteral("你的咨询将在24小时内给予回复....."), RzPanel1);
    QFont headerFont = Label4->font();
    headerFont.setFamilies({QStringLiteral("幼圆"), QStringLiteral("YouYuan")});
    headerFont.setPixelSize(16);
    Label4->setFont(headerFont);
    auto* header = new QHBoxLayout(RzPanel1);
    header->setContentsMargins(12, 10, 12, 10);
    header->addWidget(Label4);

    Label1 = new QLabel(QStringLiteral("软件版本："), this);
    Edit1 = new QLineEdit(this);
    Edit1->setReadOnly(true);
    Label1->setBuddy(Edit1);
    Label2 = new QLabel(QStringLiteral("您的联系方式："), this);
    Edit2 = new QLineEdit(this);
    Label2->setBuddy(Edit2);
    Label3 = new QLabel(QStringLiteral("咨询内容："), this);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setTabChangesFocus(true);
    Label3->setBuddy(Memo1);
    Label5 = new QLabel(QStringLiteral("小提示：只有处于连网状态才可以发送信息"), this);
    Label5->setStyleSheet(QStringLiteral("color: red;"));
    Button1 = new QPushButton(QStringLiteral("发送"), this);
    Button2 = new QPushButton(QStringLiteral("关闭"), this);
    for (QPushButton* b : {Button1, Button2}) {
        QFont f = b->font();
        f.setBold(true);
        b->setFont(f);
    }

    auto* form = new QGridLayout;
    form->addWidget(Label1, 0, 0);
    form->addWidget(Edit1, 0, 1);
    form->addWidget(Label2, 1, 0);
    form->addWidget(Edit2, 1, 1);
    form->addWidget(Label3, 2, 0, Qt::AlignTop);
    form->addWidget(Memo1, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Label5);
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* all = new QVBoxLayout(this);
    all->setContentsMargins(0, 0, 0, 10);
    all->addWidget(RzPanel1);
    auto* inner = new QVBoxLayout;
    inner->setContentsMargins(12, 6, 12, 0);
    inner->addLayout(form);
    inner->addLayout(buttons);
    all->addLayout(inner);
    resize(480, 360);

    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, Memo1);
    setTabOrder(Memo1, Button1);
    setTabOrder(Button1, Button2);

    onSignal(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    onSignal(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
}

Tfrm_OnLineAsk::~Tfrm_OnLineAsk()
{
    if (frm_OnLineAsk == this)
        frm_OnLineAsk = nullptr;
}

void Tfrm_OnLineAsk::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    runGuarded([this] { FormShow(); });
}

void Tfrm_OnLineAsk::FormShow() { Edit1->setText(SupportMail::versionText()); }

void Tfrm_OnLineAsk::Button1Click()
{
    Messages& m = Messages::current();
    if (Edit2->text().trimmed().isEmpty()) {
        m.information(this, QStringLiteral("请填写您的联系方式"));
        return;
    }
    if (Memo1->toPlainText().trimmed().isEmpty()) {
        m.information(this, QStringLiteral("请填写要咨询的内容"));
        return;
    }
    SmtpClient::Result r;
    {
        BusyCursor busy;
        const SmtpClient client(SupportMail::settings());
        r = client.send(SupportMail::consultation(Edit1->text(), Edit2->text(), Memo1->toPlainText()));
    }
    if (r.outcome == SmtpClient::Outcome::ConnectFailed) {
        // Everything typed stays, to be sent again later.
        m.information(this, QStringLiteral("连接失败,请检查网络再重试!"));
        return;
    }
    if (r.outcome == SmtpClient::Outcome::Sent)
        m.information(this, QStringLiteral("发送成功，我们会在24小时内给予回复 "));
    else
        m.information(this, QStringLiteral("发送失败!"));
    Edit2->clear();
    Memo1->clear();
    close();
}

void Tfrm_OnLineAsk::Button2Click() { close(); }
