#include "SingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>

#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int CONNECT_TIMEOUT_MS = 1000;
const QByteArray ACTIVATE_MESSAGE("activate\n");

} // namespace

std::optional<uid_t> PeerUserOf(qintptr socketDescriptor) {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    if (getsockopt(static_cast<int>(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &credentials,
                   &size) != 0) {
        return std::nullopt;
    }
    return credentials.uid;
}

CSingleInstance::CSingleInstance(const QString& path, QObject* parent, PeerUserFunction peerUser)
    : QObject(parent), m_path(path), m_peerUser(std::move(peerUser)) {}

CSingleInstance::~CSingleInstance() = default;

bool CSingleInstance::ActivateRunningInstance() {
    QLocalSocket socket;
    socket.connectToServer(m_path);
    if (!socket.waitForConnected(CONNECT_TIMEOUT_MS)) {
        return false;
    }
    // Whoever else answers could otherwise keep this user's panel from ever starting.
    const std::optional<uid_t> peer = m_peerUser(socket.socketDescriptor());
    if (!peer || *peer != getuid()) {
        if (!m_toldUntrusted) {
            m_toldUntrusted = true;
            std::fprintf(stderr, "tarnel: %s does not answer as this user; starting all the same\n",
                         m_path.toLocal8Bit().constData());
        }
        return false;
    }
    socket.write(ACTIVATE_MESSAGE);
    socket.waitForBytesWritten(CONNECT_TIMEOUT_MS);
    socket.disconnectFromServer();
    std::fputs("tarnel: already running; brought its window to the front\n", stderr);
    return true;
}

bool CSingleInstance::Listen() {
    if (m_server == nullptr) {
        m_server = new QLocalServer(this);
        connect(m_server, &QLocalServer::newConnection, this, &CSingleInstance::OnNewConnection);
    }
    // A plain bind, which fails on a name in use. Qt's access options would bind elsewhere and
    // rename over the name, silently taking it from a copy that runs; the folder is private.
    if (m_server->listen(m_path)) {
        return true;
    }
    if (m_server->serverError() == QAbstractSocket::AddressInUseError) {
        if (ActivateRunningInstance()) {
            return false;
        }
        // A socket file nobody answers on is left from a copy that did not end cleanly; one
        // answered by another user is not to be trusted. The folder is this user's own.
        QLocalServer::removeServer(m_path);
        if (m_server->listen(m_path)) {
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
