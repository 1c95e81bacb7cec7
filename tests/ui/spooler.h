// The private CUPS daemon of the print tests: its pages, and the script that
// starts, stops and reconfigures it.
#pragma once

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>

namespace vitayear::ui::testing {

struct Spooler {
  QString dir = FolderOfRecord(qEnvironmentVariable("VITAYEAR_TEST_CUPS_RECORD"));
  QString script = qEnvironmentVariable("VITAYEAR_TEST_CUPS_SCRIPT");

  // The daemon's folder is made afresh for each run and named in a record
  // file; the program and the CUPS tools reach the daemon through its socket.
  static QString FolderOfRecord(const QString& record) {
    QFile file(record);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QString folder = QString::fromLocal8Bit(file.readAll()).trimmed();
    if (!folder.isEmpty()) qputenv("CUPS_SERVER", QFile::encodeName(folder + "/cups.sock"));
    return folder;
  }

  bool available() const { return !dir.isEmpty() && !script.isEmpty(); }

  QStringList pages() const { return QDir(dir + "/pdf").entryList({"*.pdf"}, QDir::Files, QDir::Name); }

  // Waits until `count` more PDF files than `before` exist; returns the new ones.
  QStringList waitForPages(const QStringList& before, int count, int timeoutMs = 30000) const {
    QElapsedTimer timer;
    timer.start();
    QStringList fresh;
    while (timer.elapsed() < timeoutMs) {
      fresh.clear();
      for (const QString& page : pages())
        if (!before.contains(page)) fresh.append(dir + "/pdf/" + page);
      if (fresh.size() >= count) {
        QTest::qWait(300);  // cups-pdf writes the file before it finishes it
        return fresh;
      }
      QTest::qWait(100);
    }
    return fresh;
  }

  // The document the job handed to the spooler, kept by the daemon: the
  // printed PDF's name carries its job number. The printer's own output is
  // redrawn through PostScript and loses the text of embedded fonts.
  QString document(const QString& printed) const {
    static const QRegularExpression jobRe(QStringLiteral("job_(\\d+)\\.pdf$"));
    const auto m = jobRe.match(printed);
    if (!m.hasMatch()) return {};
    return QStringLiteral("%1/spool/d%2-001").arg(dir).arg(m.captured(1).toInt(), 5, 10, QChar(u'0'));
  }

  bool run(const QString& action) const {
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.start(script, {action, dir});
    return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
  }
};

// Output of a command, or an empty string when it fails.
inline QString Run(const QString& program, const QStringList& arguments) {
  QProcess p;
  p.start(program, arguments);
  if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
  return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace vitayear::ui::testing
