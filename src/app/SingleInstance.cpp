#include "SingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>

#include <cstdio>

namespace {

constexpr int CONNECT_TIMEOUT_MS = 1000;
const QByteArray ACTIVATE_MESSAGE("activate\n");

} // namespace

CSingleInstance::CSingleInstance(const QString& key, QObject* parent)
    : QObject(parent), m_key(key) {}

CSingleInstance::~CSingleInstance() = default;

bool CSingleInstance::ActivateRunningInstance() {
    QLocalSocket socket;
    socket.connectToServer(m_key);
    if (!socket.waitForConnected(CONNECT_TIMEOUT_MS)) {
        return false;
    }
    socket.write(ACTIVATE_MESSAGE);
    socket.waitForBytesWritten(CONNECT_TIMEOUT_MS);
    socket.disconnectFromServer();
    return true;
}

bool CSingleInstance::Listen() {
    if (m_server == nullptr) {
        m_server = new QLocalServer(this);
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_server, &QLocalServer::newConnection, this, &CSingleInstance::OnNewConnection);
    }
    if (m_server->listen(m_key)) {
        return true;
    }
    if (m_server->serverError() == QAbstractSocket::AddressInUseError) {
        if (ActivateRunningInstance()) {
            return false;
        }
        // A socket file nobody answers on is left from a copy that did not end cleanly.
        QLocalServer::removeServer(m_key);
        if (m_server->listen(m_key)) {
            return true;
        }
    }
    std::fprintf(stderr, "tarnel: no single-instance socket: %s\n",
                 m_server->errorString().toLocal8Bit().constData());
    return true;
}

void CSingleInstance::Close() {
    if (m_server != nullptr) {
        m_server->close();
    }
}

void CSingleInstance::OnNewConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->readAll().contains(ACTIVATE_MESSAGE.trimmed())) {
                emit ActivationRequested();
            }
        });
    }
}
