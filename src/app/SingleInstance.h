#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <sys/types.h>

class QLocalServer;

// The user id of the process at the far end of a connected local socket; none when the system
// does not tell.
std::optional<uid_t> PeerUserOf(qintptr socketDescriptor);

// One panel window per user and program directory. The first copy listens on a local socket;
// a later copy finds it there, asks it to come to the front and ends. Only a copy run by the
// same user counts: a socket answered by anyone else is not trusted, and this copy starts.
class CSingleInstance : public QObject {
    Q_OBJECT
public:
    using PeerUserFunction = std::function<std::optional<uid_t>(qintptr socketDescriptor)>;

    // path: the socket's full path, in a folder only this user can create files in.
    explicit CSingleInstance(const QString& path, QObject* parent = nullptr,
                             PeerUserFunction peerUser = PeerUserOf);
    ~CSingleInstance() override;

    // True when a running copy of this user answered and was asked to come to the front; says
    // so on standard error.
    bool ActivateRunningInstance();
    // Starts listening, taking over a socket left behind by a copy that died or held by another
    // user. False only when a copy of this user got there first (it has then been asked to come
    // to the front); when the socket cannot be made at all, the panel runs without the guard.
    bool Listen();
    // Stops listening and removes the socket file; the program's quick exit skips destructors.
    void Close();

signals:
    void ActivationRequested();

private:
    void OnNewConnection();

    QString m_path;
    PeerUserFunction m_peerUser;
    bool m_toldUntrusted = false;
    QLocalServer* m_server = nullptr;
};
