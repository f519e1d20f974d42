#pragma once
// The error raised by the program's own refusals and by the data layer. The text is UTF-8,
// so the default error box can show Chinese messages unchanged.
#include <QString>
#include <stdexcept>

class AppError : public std::runtime_error {
public:
    explicit AppError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromUtf8(what()); }
};

// A refusal the operator has already been told about: it stops what runs, and the guard that
// catches it shows nothing more.
class RefusalShown : public std::exception {
public:
    const char* what() const noexcept override { return "refusal shown"; }
};
