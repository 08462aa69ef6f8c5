#pragma once

#include <QString>
#include <stdexcept>

namespace teran {

// A failed FTP operation. Its text names the operation, libcurl's code and message and, when the
// server refused something, the server's reply line, so that one log line tells what went wrong:
//   "DeleteFTPFile error code: 21 Message: Quote command returned error 550 No such file or directory."
class FtpError : public std::runtime_error {
public:
    FtpError(QString operation, int code, QString message, QString response = {})
        : std::runtime_error(format(operation, code, message, response).toStdString())
        , m_operation(std::move(operation))
        , m_code(code)
        , m_message(std::move(message))
        , m_response(std::move(response)) {}

    static QString format(const QString& operation, int code, const QString& message,
                          const QString& response) {
        QString text = operation + QStringLiteral(" error code: ") + QString::number(code) +
                       QStringLiteral(" Message: ") + message;
        if (!response.isEmpty())
            text += QLatin1Char(' ') + response;
        return text;
    }

    QString text() const { return format(m_operation, m_code, m_message, m_response); }
    const QString& operation() const { return m_operation; }
    // libcurl's code (CURLcode), e.g. 67 when the server refused the login.
    int code() const { return m_code; }
    const QString& message() const { return m_message; }
    // The server's reply line that refused the request, or a note on a local failure; may be empty.
    const QString& response() const { return m_response; }
    // The three-digit code of the server's reply, or 0 when there was none.
    int replyCode() const {
        bool ok = false;
        const int value = m_response.left(3).toInt(&ok);
        return ok && m_response.size() >= 3 ? value : 0;
    }

private:
    QString m_operation;
    int m_code;
    QString m_message;
    QString m_response;
};

} // namespace teran
