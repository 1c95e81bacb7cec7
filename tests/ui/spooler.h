// The private CUPS daemon of the print tests: its pages, and the script that
// starts, stops and reconfigures it.
#pragma once

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>
#include <cerrno>
#include <optional>
#include <vector>

extern char** environ;

namespace vitayear::ui::testing {

// Runs a program and returns what it wrote to standard output (or, with
// `forward`, lets it write to the test's own), nullopt when it failed.
// posix_spawn rather than QProcess: its child only execs, which the
// ThreadSanitizer build of the print tests can follow, where the clone
// behind QProcess trips clang 14's runtime.
inline std::optional<QByteArray> Spawn(const QString& program, const QStringList& arguments, bool forward = false) {
  std::vector<QByteArray> words{program.toLocal8Bit()};
  for (const QString& a : arguments) words.push_back(a.toLocal8Bit());
  std::vector<char*> argv;
  for (QByteArray& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  int out[2];
  if (pipe(out) != 0) return std::nullopt;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!forward) posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  posix_spawn_file_actions_addclose(&actions, out[1]);
  pid_t child = 0;
  const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  QByteArray text;
  char buffer[4096];
  for (ssize_t n; spawned == 0 && (n = read(out[0], buffer, sizeof buffer)) != 0;)
    if (n > 0)
      text.append(buffer, n);
    else if (errno != EINTR)
      break;
  close(out[0]);
  int status = 0;
  if (spawned != 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return std::nullopt;
  return text;
}

// Output of a command, or an empty string when it fails.
inline QString Run(const QString& program, const QStringList& arguments) {
  return QString::fromUtf8(Spawn(program, arguments).value_or(QByteArray()));
}

struct Spooler {
  // The daemon's folder, made afresh for each test by `cups-test-daemon.sh
  // run`, which points CUPS_SERVER at its socket for the program and the tools.
  QString dir = qEnvironmentVariable("VITAYEAR_TEST_CUPS_DIR");
  QString script = qEnvironmentVariable("VITAYEAR_TEST_CUPS_SCRIPT");

  bool available() const { return !dir.isEmpty() && !script.isEmpty(); }

  QStringList pages() const { return QDir(dir + "/pdf").entryList({"*.pdf"}, QDir::Files, QDir::Name); }

  // Waits until the daemon has no job left to print: every page that was
  // coming has come, and whole. True at once where it runs no more.
  bool settled(int timeoutMs = 30000) const {
    return QTest::qWaitFor([] { return Run(QStringLiteral("lpstat"), {QStringLiteral("-o")}).isEmpty(); }, timeoutMs);
  }

  // Waits until `count` more PDF files than `before` exist and their jobs
  // are done; returns the new ones.
  QStringList waitForPages(const QStringList& before, int count, int timeoutMs = 30000) const {
    QStringList fresh;
    const bool came = QTest::qWaitFor(
        [&] {
          fresh.clear();
          for (const QString& page : pages())
            if (!before.contains(page)) fresh.append(dir + "/pdf/" + page);
          return fresh.size() >= count;
        },
        timeoutMs);
    if (came) settled();
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

  bool run(const QString& action) const { return Spawn(script, {action, dir}, true).has_value(); }
};

}  // namespace vitayear::ui::testing
