#pragma once

#include <QString>
#include <exception>
#include <string>

// The toolkit's error. Handlers raise it; the event guard shows it in the error box and the
// program goes on.
class Exception : public std::exception {
public:
    explicit Exception(QString message) : message_(std::move(message)), utf8_(message_.toStdString()) {}
    const QString& Message() const { return message_; }
    const char* what() const noexcept override { return utf8_.c_str(); }

private:
    QString message_;
    std::string utf8_;
};

// A sound device could not be opened (missing, unreadable or undecodable file).
class EMCIDeviceError : public Exception {
public:
    using Exception::Exception;
};
