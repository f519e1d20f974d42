#pragma once
// Online consultation "在线咨询与建议": mails the user's question to the support mailbox.
#include "SmtpClient.h"

#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QShowEvent;

namespace SupportMail {
// The mailbox settings of this build, unless replaced by setSettings.
SmtpSettings settings();
void setSettings(const SmtpSettings& s);
void resetSettings();
// The support mailbox of this build (its receiving address), shown in the status bar and the
// about window; "未配置" when the build names none.
QString shownAddress();
// Whether this build has a mailbox to send consultations to.
bool isConfigured();
// What a consultation says when there is none, rather than blaming the network.
QString notConfiguredMessage();
// "zizedozuvarV1.0版本", the version text the mail carries.
QString versionText();
// The consultation mail: subject "软件咨询" and the four body lines.
MailMessage consultation(const QString& version, const QString& contact, const QString& text);
}

class Tfrm_OnLineAsk : public QDialog {
    Q_OBJECT
public:
    explicit Tfrm_OnLineAsk(QWidget* owner);
    ~Tfrm_OnLineAsk() override;

    void FormShow();
    void Button1Click();
    void Button2Click();

    QFrame* RzPanel1;
    QLabel* Label4;
    QLabel* Label1;
    QLineEdit* Edit1; // version, read-only
    QLabel* Label2;
    QLineEdit* Edit2; // contact
    QLabel* Label3;
    QPlainTextEdit* Memo1; // consultation text
    QLabel* Label5;
    QPushButton* Button1;
    QPushButton* Button2;

protected:
    void showEvent(QShowEvent* e) override;
};

extern Tfrm_OnLineAsk* frm_OnLineAsk;
