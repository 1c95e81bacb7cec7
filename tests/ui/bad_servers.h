// Print servers on loopback that misbehave as real ones do, for the spooler
// tests: one that hangs, drops, trickles its answer, cannot encrypt; and a
// proxy in front of the test daemon that holds each answer's body back or
// asks for a password. Each stops with the test case that made it.
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace vitayear::ui::testing {

struct BadServer {
  QTcpServer listener;
  // kind: "hang" (accepts, never answers), "drop" (closes at once),
  // "trickle" (one header line every 50 ms, for ever), "plain" (answers
  // anything, a TLS greeting too, with an HTTP error).
  explicit BadServer(const QString& kind) {
    listener.listen(QHostAddress::LocalHost);
    QObject::connect(&listener, &QTcpServer::newConnection, &listener, [this, kind] {
      while (QTcpSocket* peer = listener.nextPendingConnection()) {
        if (kind == "drop") peer->abort();
        if (kind == "plain")
          QObject::connect(peer, &QTcpSocket::readyRead, peer, [peer] {
            peer->readAll();
            peer->write("HTTP/1.1 400 Bad Request\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
            peer->disconnectFromHost();
          });
        if (kind == "trickle")
          QObject::connect(peer, &QTcpSocket::readyRead, peer, [peer] {
            peer->readAll();
            if (peer->property("answering").toBool()) return;
            peer->setProperty("answering", true);
            peer->write("HTTP/1.1 200 OK\r\n");
            auto* drip = new QTimer(peer);
            QObject::connect(drip, &QTimer::timeout, peer, [peer] { peer->write("X-Still-Thinking: yes\r\n"); });
            drip->start(50);
          });
      }
    });
  }
  QString name() const { return QStringLiteral("127.0.0.1:%1").arg(listener.serverPort()); }
};

// Forwards to the test daemon's socket. `bodyDelayMs` holds every answer's
// body back that long behind its header, as a lost packet on Wi-Fi does;
// `password`, when set, makes it ask for "clinic" with that password (HTTP
// Basic) on every connection until the right one is given.
struct Proxy {
  QTcpServer listener;
  int bodyDelayMs = 0;
  QByteArray password;
  int refusals = 0;

  Proxy(const QString& daemonSocket, int delayMs, const QByteArray& secret = {})
      : bodyDelayMs(delayMs), password(secret) {
    listener.listen(QHostAddress::LocalHost);
    QObject::connect(&listener, &QTcpServer::newConnection, &listener, [this, daemonSocket] {
      while (QTcpSocket* client = listener.nextPendingConnection()) serve(client, daemonSocket);
    });
  }
  QString name() const { return QStringLiteral("127.0.0.1:%1").arg(listener.serverPort()); }

 private:
  void serve(QTcpSocket* client, const QString& daemonSocket) {
    auto* daemon = new QLocalSocket(client);
    daemon->connectToServer(daemonSocket);
    auto* held = new QByteArray;   // body bytes waiting for their time
    auto* heard = new QByteArray;  // the client's first request head, while a password is due
    auto* open = new bool(password.isEmpty());
    QObject::connect(client, &QObject::destroyed, [held, heard, open] {
      delete held;
      delete heard;
      delete open;
    });
    const QByteArray expected = "Authorization: Basic " + ("clinic:" + password).toBase64();
    QObject::connect(client, &QTcpSocket::readyRead, client, [=, this] {
      if (*open) return void(daemon->write(client->readAll()));
      heard->append(client->readAll());
      if (!heard->contains("\r\n\r\n")) return;
      if (heard->contains(expected)) {
        *open = true;
        daemon->write(*heard);
        return;
      }
      ++refusals;
      client->write(
          "HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"CUPS\"\r\nContent-Length: 0\r\n"
          "Connection: close\r\n\r\n");
      client->disconnectFromHost();
    });
    QObject::connect(daemon, &QLocalSocket::readyRead, client, [=, this] {
      QByteArray data = daemon->readAll();
      if (bodyDelayMs <= 0) return void(client->write(data));
      if (!held->isEmpty()) return void(held->append(data));
      const qsizetype end = data.indexOf("\r\n\r\n");
      if (end < 0) return void(client->write(data));
      client->write(data.left(end + 4));
      *held = data.mid(end + 4);
      if (held->isEmpty()) return;
      QTimer::singleShot(bodyDelayMs, client, [client, held] {
        client->write(*held);
        held->clear();
      });
    });
    QObject::connect(daemon, &QLocalSocket::disconnected, client, &QTcpSocket::disconnectFromHost);
    QObject::connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
  }
};

}  // namespace vitayear::ui::testing
