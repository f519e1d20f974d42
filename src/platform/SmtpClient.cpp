#include "SmtpClient.h"

#include <QLocale>
#include <QRegularExpression>
#include <QUuid>

#include <curl/curl.h>

#include <algorithm>
#include <cstring>

namespace {
void initCurl()
{
    static const bool ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    (void)ready;
}

// An address fit for the envelope and the headers: no line breaks or angle brackets.
bool plainAddress(const QString& a)
{
    static const QRegularExpression bad(QStringLiteral("[\\r\\n<>\\s]"));
    return !a.isEmpty() && !a.contains(bad);
}

struct Transfer {
    QByteArray payload;
    qsizetype sent = 0;
    bool messageStarted = false; // MAIL FROM went out: the session was set up
    QByteArray lastReply;
};

size_t readPayload(char* buffer, size_t size, size_t count, void* user)
{
    auto* t = static_cast<Transfer*>(user);
    const size_t room = size * count;
    const size_t left = size_t(t->payload.size() - t->sent);
    const size_t n = std::min(room, left);
    std::memcpy(buffer, t->payload.constData() + t->sent, n);
    t->sent += qsizetype(n);
    return n;
}

int watchProtocol(CURL*, curl_infotype type, char* data, size_t size, void* user)
{
    auto* t = static_cast<Transfer*>(user);
    const QByteArray line = QByteArray(data, qsizetype(size)).trimmed();
    if (type == CURLINFO_HEADER_OUT && line.toUpper().startsWith("MAIL FROM"))
        t->messageStarted = true;
    else if (type == CURLINFO_HEADER_IN && !line.isEmpty())
        t->lastReply = line;
    return 0;
}

QByteArray base64Lines(const QByteArray& data)
{
    const QByteArray b = data.toBase64();
    QByteArray out;
    for (qsizetype i = 0; i < b.size(); i += 76)
        out += b.mid(i, 76) + "\r\n";
    return out;
}
} // namespace

QByteArray SmtpClient::encodeHeaderText(const QString& text)
{
    bool ascii = true;
    for (QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() > 0x7e)
            ascii = false;
    if (ascii)
        return text.toLatin1();
    // Each encoded word holds whole characters and stays within 75 characters.
    QByteArray out;
    QByteArray chunk;
    const auto flush = [&] {
        if (chunk.isEmpty())
            return;
        if (!out.isEmpty())
            out += "\r\n ";
        out += "=?UTF-8?B?" + chunk.toBase64() + "?=";
        chunk.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype len = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QByteArray piece = text.mid(i, len).toUtf8();
        if (chunk.size() + piece.size() > 45)
            flush();
        chunk += piece;
        i += len - 1;
    }
    flush();
    return out;
}

QByteArray SmtpClient::compose(const SmtpSettings& s, const MailMessage& m, const QDateTime& date)
{
    QString body = m.bodyLines.join(QStringLiteral("\n"));
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    body.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    if (!body.endsWith(QStringLiteral("\r\n")))
        body += QStringLiteral("\r\n");
    const QString domain = s.from.section(u'@', 1).isEmpty() ? QStringLiteral("localhost") : s.from.section(u'@', 1);
    QByteArray h;
    h += "Date: " + QLocale::c().toString(date.toUTC(), QStringLiteral("ddd, dd MMM yyyy HH:mm:ss")).toLatin1() + " +0000\r\n";
    h += "From: <" + s.from.toUtf8() + ">\r\n";
    h += "To: <" + s.to.toUtf8() + ">\r\n";
    h += "Subject: " + encodeHeaderText(m.subject) + "\r\n";
    h += "Message-ID: <" + QUuid::createUuid().toString(QUuid::WithoutBraces).toLatin1() + "@" + domain.toUtf8() + ">\r\n";
    h += "MIME-Version: 1.0\r\n";
    h += "Content-Type: text/plain; charset=UTF-8\r\n";
    h += "Content-Transfer-Encoding: base64\r\n";
    h += "\r\n";
    return h + base64Lines(body.toUtf8());
}

SmtpClient::Result SmtpClient::send(const MailMessage& message) const
{
    const SmtpSettings& s = settings_;
    if (s.host.trimmed().isEmpty())
        return {Outcome::ConnectFailed, QStringLiteral("no mail server configured")};
    if (!plainAddress(s.from) || !plainAddress(s.to))
        return {Outcome::SendFailed, QStringLiteral("sender or recipient address unusable")};
    initCurl();
    CURL* curl = curl_easy_init();
    if (!curl)
        return {Outcome::ConnectFailed, QStringLiteral("curl_easy_init failed")};

    Transfer t;
    t.payload = compose(s, message);
    const QString host = s.host.trimmed().contains(u':') ? u'[' + s.host.trimmed() + u']' : s.host.trimmed();
    const QByteArray url = QStringLiteral("smtp://%1:%2").arg(host).arg(s.port).toUtf8();
    const QByteArray from = "<" + s.from.toUtf8() + ">";
    const QByteArray to = "<" + s.to.toUtf8() + ">";
    const QByteArray user = s.user.toUtf8();
    const QByteArray password = s.password.toUtf8();
    curl_slist* recipients = curl_slist_append(nullptr, to.constData());

    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "smtp");
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(curl, CURLOPT_USE_SSL, long(CURLUSESSL_TRY));
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, long(s.connectTimeoutSeconds));
    curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, long(s.sendTimeoutSeconds));
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, long(s.connectTimeoutSeconds + 2 * s.sendTimeoutSeconds));
    if (!s.user.isEmpty()) {
        curl_easy_setopt(curl, CURLOPT_USERNAME, user.constData());
        curl_easy_setopt(curl, CURLOPT_PASSWORD, password.constData());
        curl_easy_setopt(curl, CURLOPT_LOGIN_OPTIONS, "AUTH=LOGIN");
    }
    curl_easy_setopt(curl, CURLOPT_MAIL_FROM, from.constData());
    curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, recipients);
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(curl, CURLOPT_READFUNCTION, readPayload);
    curl_easy_setopt(curl, CURLOPT_READDATA, &t);
    curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, curl_off_t(t.payload.size()));
    curl_easy_setopt(curl, CURLOPT_DEBUGFUNCTION, watchProtocol);
    curl_easy_setopt(curl, CURLOPT_DEBUGDATA, &t);
    curl_easy_setopt(curl, CURLOPT_VERBOSE, 1L);

    const CURLcode rc = curl_easy_perform(curl);
    curl_slist_free_all(recipients);
    curl_easy_cleanup(curl);

    if (rc == CURLE_OK)
        return {Outcome::Sent, {}};
    QString detail = QString::fromUtf8(curl_easy_strerror(rc));
    if (!t.lastReply.isEmpty())
        detail += QStringLiteral(" (") + QString::fromUtf8(t.lastReply) + u')';
    return {t.messageStarted ? Outcome::SendFailed : Outcome::ConnectFailed, detail};
}
