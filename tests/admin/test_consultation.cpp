#include "u_OnLineAsk.h"

#include "FakeMessages.h"
#include "SmtpClient.h"
#include "WindowRef.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QLabel>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;

namespace {
const QString account = u"support-bot"_s;
const QString secret = u"Pass9word"_s;
const QString senderAddress = u"bot@example.com"_s;
const QString recipient = u"help@example.com"_s;

// A port on 127.0.0.1 that nobody listens on.
int closedPort()
{
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    const int port = s.serverPort();
    s.close();
    return port;
}
} // namespace

// The real SMTP peer: tests/admin/smtp_sink.py over aiosmtpd, on 127.0.0.1 only.
class SmtpSink {
public:
    SmtpSink()
    {
        const QString python = QFile::exists(u"/usr/bin/python3"_s) ? u"/usr/bin/python3"_s : u"python3"_s;
        const QString script = QDir(qEnvironmentVariable("ZZ_TEST_DATA")).filePath(u"smtp_sink.py"_s);
        proc.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        proc.start(python, {script, folder.path(), account, secret});
        QByteArray out;
        while (!out.contains('\n') && proc.waitForReadyRead(20000))
            out += proc.readAllStandardOutput();
        if (out.startsWith("READY "))
            port = out.mid(6).trimmed().toInt();
    }
    ~SmtpSink()
    {
        proc.closeWriteChannel();
        if (!proc.waitForFinished(10000)) {
            proc.kill();
            proc.waitForFinished();
        }
    }
    QList<QJsonObject> messages() const
    {
        QList<QJsonObject> list;
        for (int n = 0;; ++n) {
            QFile f(QDir(folder.path()).filePath(u"%1.json"_s.arg(n)));
            if (!f.open(QIODevice::ReadOnly))
                break;
            list << QJsonDocument::fromJson(f.readAll()).object();
        }
        return list;
    }
    SmtpSettings settings() const
    {
        SmtpSettings s;
        s.host = u"127.0.0.1"_s;
        s.port = port;
        s.user = account;
        s.password = secret;
        s.from = senderAddress;
        s.to = recipient;
        return s;
    }

    QTemporaryDir folder;
    QProcess proc;
    int port = 0;
};

class TestConsultation : public QObject {
    Q_OBJECT
    std::unique_ptr<SmtpSink> sink;
    std::unique_ptr<FakeMessages> msgs;
    std::unique_ptr<Tfrm_OnLineAsk> form;

    Tfrm_OnLineAsk& shown()
    {
        if (!form)
            form.reset(&windowOf(frm_OnLineAsk, nullptr));
        form->show();
        return *form;
    }
    static QStringList bodyLines(const QJsonObject& m)
    {
        QString body = m.value(u"body"_s).toString();
        body.replace(u"\r\n"_s, u"\n"_s);
        if (body.endsWith(u'\n'))
            body.chop(1);
        return body.split(u'\n');
    }

private Q_SLOTS:
    void initTestCase()
    {
        sink = std::make_unique<SmtpSink>();
        QVERIFY2(sink->port > 0, "the local SMTP server did not start");
    }
    void init()
    {
        msgs = std::make_unique<FakeMessages>();
        SupportMail::setSettings(sink->settings());
    }
    void cleanup()
    {
        form.reset();
        msgs.reset();
        SupportMail::resetSettings();
    }
    void cleanupTestCase() { sink.reset(); }

    void windowTexts()
    {
        Tfrm_OnLineAsk& f = shown();
        QCOMPARE(frm_OnLineAsk, &f);
        QCOMPARE(f.windowTitle(), u"在线咨询与建议"_s);
        QCOMPARE(f.Label4->text(), u"你的咨询将在24小时内给予回复....."_s);
        QCOMPARE(f.Label4->font().pixelSize(), 16);
        QCOMPARE(f.Label1->text(), u"软件版本："_s);
        QCOMPARE(f.Label2->text(), u"您的联系方式："_s);
        QCOMPARE(f.Label3->text(), u"咨询内容："_s);
        QCOMPARE(f.Label5->text(), u"小提示：只有处于连网状态才可以发送信息"_s);
        QCOMPARE(f.Button1->text(), u"发送"_s);
        QCOMPARE(f.Button2->text(), u"关闭"_s);
        QVERIFY(f.Button1->font().bold());
        QCOMPARE(f.Label2->buddy(), f.Edit2);
        QCOMPARE(f.Label3->buddy(), f.Memo1);
        form.reset();
        QCOMPARE(frm_OnLineAsk, nullptr);
    }

    void versionIsSetAtEveryShowing()
    {
        Tfrm_OnLineAsk& f = shown();
        QVERIFY(f.Edit1->isReadOnly());
        QCOMPARE(f.Edit1->text(), u"zizedozuvarV1.0版本"_s);
        f.Edit1->setText(u"changed"_s);
        f.Button2->click();
        QVERIFY(!f.isVisible());
        shown();
        QCOMPARE(f.Edit1->text(), u"zizedozuvarV1.0版本"_s);
    }

    void sendDeliversOneMessage()
    {
        Tfrm_OnLineAsk& f = shown();
        f.Edit2->setText(u"  QQ 12345678 "_s);
        f.Memo1->setPlainText(u"第一行：怎样备份？\n第二行\n\n  缩进的第四行 "_s);
        const int before = int(sink->messages().size());
        f.Button1->click();
        QCOMPARE(msgs->texts(), QStringList{u"发送成功，我们会在24小时内给予回复 "_s});
        QVERIFY(!f.isVisible());
        QVERIFY(f.Edit2->text().isEmpty());
        QVERIFY(f.Memo1->toPlainText().isEmpty());
        QCOMPARE(QApplication::overrideCursor(), nullptr);

        const QList<QJsonObject> all = sink->messages();
        QCOMPARE(all.size(), before + 1);
        const QJsonObject m = all.last();
        QCOMPARE(m.value(u"subject"_s).toString(), u"软件咨询"_s);
        QVERIFY2(m.value(u"raw_subject"_s).toString().startsWith(u"=?UTF-8?B?"_s), qPrintable(m.value(u"raw_subject"_s).toString()));
        QCOMPARE(m.value(u"rcpt_tos"_s).toArray(), QJsonArray{recipient});
        QCOMPARE(m.value(u"mail_from"_s).toString(), senderAddress);
        QVERIFY(m.value(u"to"_s).toString().contains(recipient));
        QCOMPARE(m.value(u"charset"_s).toString().toLower(), u"utf-8"_s);
        QCOMPARE(m.value(u"auth_mechanism"_s).toString(), u"LOGIN"_s);
        QCOMPARE(bodyLines(m), (QStringList{u"软件版本：zizedozuvarV1.0版本"_s, u"咨询来源：QQ 12345678"_s, QString(),
                                            u"第一行：怎样备份？"_s, u"第二行"_s, QString(), u"  缩进的第四行 "_s}));
    }

    void twoSendsInOneRun()
    {
        const int before = int(sink->messages().size());
        for (int i = 1; i <= 2; ++i) {
            Tfrm_OnLineAsk& f = shown();
            f.Edit2->setText(u"用户%1"_s.arg(i));
            f.Memo1->setPlainText(u"第%1次咨询"_s.arg(i));
            f.Button1->click();
        }
        QCOMPARE(msgs->texts(), (QStringList{u"发送成功，我们会在24小时内给予回复 "_s, u"发送成功，我们会在24小时内给予回复 "_s}));
        const QList<QJsonObject> all = sink->messages();
        QCOMPARE(all.size(), before + 2);
        QCOMPARE(bodyLines(all.at(before)).at(1), u"咨询来源：用户1"_s);
        QCOMPARE(bodyLines(all.at(before + 1)).at(3), u"第2次咨询"_s);
    }

    void connectFailureKeepsTheInputs_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("wrong password") << u"password"_s;
        QTest::newRow("closed port") << u"port"_s;
        QTest::newRow("no server configured") << u"host"_s;
    }
    void connectFailureKeepsTheInputs()
    {
        QFETCH(QString, fault);
        SmtpSettings s = sink->settings();
        if (fault == u"password"_s)
            s.password = u"wrong"_s;
        else if (fault == u"port"_s)
            s.port = closedPort();
        else
            s.host.clear();
        SupportMail::setSettings(s);
        const int before = int(sink->messages().size());
        Tfrm_OnLineAsk& f = shown();
        f.Edit2->setText(u"138 0000 0000"_s);
        f.Memo1->setPlainText(u"网络断了也要留住这段话"_s);
        f.Button1->click();
        QCOMPARE(msgs->texts(), QStringList{u"连接失败,请检查网络再重试!"_s});
        QVERIFY(f.isVisible());
        QCOMPARE(f.Edit2->text(), u"138 0000 0000"_s);
        QCOMPARE(f.Memo1->toPlainText(), u"网络断了也要留住这段话"_s);
        QCOMPARE(sink->messages().size(), before);
        QCOMPARE(QApplication::overrideCursor(), nullptr);

        // Once the server is reachable again the same text goes out without typing it again.
        SupportMail::setSettings(sink->settings());
        f.Button1->click();
        QCOMPARE(msgs->last(), u"发送成功，我们会在24小时内给予回复 "_s);
        QCOMPARE(sink->messages().size(), before + 1);
        QCOMPARE(bodyLines(sink->messages().last()).at(3), u"网络断了也要留住这段话"_s);
    }

    void sendFailureClearsAndCloses()
    {
        SmtpSettings s = sink->settings();
        s.to = u"nobody@example.com"_s; // the server refuses this recipient
        SupportMail::setSettings(s);
        const int before = int(sink->messages().size());
        Tfrm_OnLineAsk& f = shown();
        f.Edit2->setText(u"contact"_s);
        f.Memo1->setPlainText(u"text"_s);
        f.Button1->click();
        QCOMPARE(msgs->texts(), QStringList{u"发送失败!"_s});
        QVERIFY(!f.isVisible());
        QVERIFY(f.Edit2->text().isEmpty());
        QVERIFY(f.Memo1->toPlainText().isEmpty());
        QCOMPARE(sink->messages().size(), before);
    }

    void blankInputsAreRefused_data()
    {
        QTest::addColumn<QString>("contact");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("no contact") << QString() << u"问题"_s << u"请填写您的联系方式"_s;
        QTest::newRow("blank contact") << u"   "_s << u"问题"_s << u"请填写您的联系方式"_s;
        QTest::newRow("no text") << u"QQ"_s << QString() << u"请填写要咨询的内容"_s;
        QTest::newRow("blanks and line breaks") << u"QQ"_s << u"  \n\t\n  "_s << u"请填写要咨询的内容"_s;
    }
    void blankInputsAreRefused()
    {
        QFETCH(QString, contact);
        QFETCH(QString, text);
        QFETCH(QString, message);
        const int before = int(sink->messages().size());
        Tfrm_OnLineAsk& f = shown();
        f.Edit2->setText(contact);
        f.Memo1->setPlainText(text);
        f.Button1->click();
        QCOMPARE(msgs->texts(), QStringList{message});
        QVERIFY(f.isVisible());
        QCOMPARE(f.Edit2->text(), contact);
        QCOMPARE(f.Memo1->toPlainText(), text);
        QCOMPARE(sink->messages().size(), before);
    }

    void silentServerIsAConnectFailure()
    {
        // Accepts the connection but never greets: the bounded wait ends it.
        QTcpServer mute;
        QVERIFY(mute.listen(QHostAddress::LocalHost, 0));
        SmtpSettings s = sink->settings();
        s.port = mute.serverPort();
        s.connectTimeoutSeconds = 1;
        s.sendTimeoutSeconds = 1;
        const SmtpClient::Result r = SmtpClient(s).send(SupportMail::consultation(u"v"_s, u"c"_s, u"t"_s));
        QCOMPARE(r.outcome, SmtpClient::Outcome::ConnectFailed);
        QVERIFY(!r.detail.isEmpty());
    }

    void headerEncoding_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("ascii") << u"Hello"_s;
        QTest::newRow("chinese") << u"软件咨询"_s;
        QTest::newRow("long") << QString(40, u'账');
        QTest::newRow("astral") << u"咨询😀咨询"_s;
    }
    void headerEncoding()
    {
        QFETCH(QString, text);
        const QByteArray h = SmtpClient::encodeHeaderText(text);
        QString decoded;
        for (QByteArray word : h.split('\n')) {
            word = word.trimmed();
            if (!word.startsWith("=?UTF-8?B?")) {
                decoded += QString::fromLatin1(word);
                continue;
            }
            QVERIFY(word.size() <= 75);
            QVERIFY(word.endsWith("?="));
            decoded += QString::fromUtf8(QByteArray::fromBase64(word.mid(10, word.size() - 12)));
        }
        QCOMPARE(decoded, text);
    }
};

QTEST_MAIN(TestConsultation)
#include "test_consultation.moc"
