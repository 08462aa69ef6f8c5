#pragma once

#include "TestCertificates.h"

#include <QByteArray>
#include <future>
#include <thread>

namespace teran::test {

// A server that greets as MariaDB does and then, when it offers TLS, takes the client's request
// for it and shakes hands with the certificate it was given: the desk's check meets exactly what
// a wrong or downgraded server would show it. It keeps every byte the client sent before the
// handshake.
class GreetingServer {
public:
    GreetingServer(bool offersTls, TestCertificate certificate);
    ~GreetingServer();
    quint16 port() const { return m_port; }
    QByteArray clearBytes() const { return m_clear; }

private:
    void serveOne(std::promise<quint16>& listening);

    bool m_offersTls;
    TestCertificate m_certificate;
    quint16 m_port = 0;
    QByteArray m_clear;
    std::thread m_thread;
};

} // namespace teran::test
