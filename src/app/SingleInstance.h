#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// One panel window per user and program directory. The first copy listens on a local socket;
// a later copy finds it there, asks it to come to the front and ends.
class CSingleInstance : public QObject {
    Q_OBJECT
public:
    explicit CSingleInstance(const QString& key, QObject* parent = nullptr);
    ~CSingleInstance() override;

    // True when a running copy answered and was asked to come to the front.
    bool ActivateRunningInstance();
    // Starts listening, taking over a socket left behind by a copy that died. False only when
    // another copy got there first (it has then been asked to come to the front); when the
    // socket cannot be made at all, the panel runs without the guard.
    bool Listen();
    // Stops listening and removes the socket file; the program's quick exit skips destructors.
    void Close();

signals:
    void ActivationRequested();

private:
    void OnNewConnection();

    QString m_key;
    QLocalServer* m_server = nullptr;
};
