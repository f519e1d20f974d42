#pragma once
// One mail over SMTP through libcurl: AUTH LOGIN when an account is set, STARTTLS when the server
// offers it, bounded waits. A failure before the message is handed over (no connection, greeting,
// TLS, login) is told apart from one while sending it.
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

struct SmtpSettings {
    QString host;
    int port = 25;
    QString user;     // empty: no authentication
    QString password;
    QString from;     // envelope and header sender
    QString to;       // the one recipient
    int connectTimeoutSeconds = 15; // up to a logged-in session
    int sendTimeoutSeconds = 15;    // for each reply of the server while sending
};

struct MailMessage {
    QString subject;
    // The body, one entry per line; an entry may itself hold line breaks.
    QStringList bodyLines;
};

class SmtpClient {
public:
    enum class Outcome { Sent, ConnectFailed, SendFailed };
    struct Result {
        Outcome outcome = Outcome::ConnectFailed;
        QString detail; // what went wrong, for logs; empty when sent
    };

    explicit SmtpClient(SmtpSettings settings) : settings_(std::move(settings)) {}
    const SmtpSettings& settings() const { return settings_; }

    // Connects, logs in and sends `message` to the configured recipient, then disconnects.
    Result send(const MailMessage& message) const;

    // The message as it goes over the wire: headers (subject RFC 2047 encoded), then the UTF-8
    // body in base64; CRLF line ends.
    static QByteArray compose(const SmtpSettings& settings, const MailMessage& message,
                              const QDateTime& date = QDateTime::currentDateTimeUtc());
    // A header text as RFC 2047 encoded words ("=?UTF-8?B?...?="), folded where it grows long;
    // plain ASCII text comes back unchanged.
    static QByteArray encodeHeaderText(const QString& text);

private:
    SmtpSettings settings_;
};
