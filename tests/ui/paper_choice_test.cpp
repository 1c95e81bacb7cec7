// The system's paper, the fit of the page, and which setting names the
// default printer: the parts of choosing paper and printer that need no
// print server.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "paper.h"
#include "print_outcome.h"

using namespace vitayear::ui;

namespace {

// Sets the variables for as long as it lives, and unsets the others named.
struct Environment {
  QList<QByteArray> names;
  explicit Environment(const QList<std::pair<QByteArray, QByteArray>>& values) {
    for (const auto& [name, value] : values) {
      names.append(name);
      if (value.isNull())
        qunsetenv(name.constData());
      else
        qputenv(name.constData(), value);
    }
  }
  ~Environment() {
    for (const QByteArray& name : names) qunsetenv(name.constData());
  }
};

void Write(const QString& path, const QByteArray& text) {
  QDir().mkpath(QFileInfo(path).path());
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(text);
}

}  // namespace

class PaperChoiceTest : public QObject {
  Q_OBJECT

 private slots:
  void systemPaper_data() {
    QTest::addColumn<QByteArray>("papersize");  // PAPERSIZE; null: unset
    QTest::addColumn<QByteArray>("file");       // the papersize file
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("width");
    QTest::newRow("PAPERSIZE letter") << QByteArray("letter") << QByteArray("a4\n") << "Letter" << 21590;
    QTest::newRow("PAPERSIZE in capitals") << QByteArray("A5") << QByteArray() << "A5" << 14800;
    QTest::newRow("the file, past its comment") << QByteArray() << QByteArray("# paper\n\nlegal\n") << "Legal" << 21590;
    QTest::newRow("the file, a4") << QByteArray() << QByteArray("a4\n") << "A4" << 21000;
  }
  void systemPaper() {
    QFETCH(QByteArray, papersize);
    QFETCH(QByteArray, file);
    QFETCH(QString, name);
    QFETCH(int, width);
    QTemporaryDir dir;
    Write(dir.filePath("papersize"), file);
    const Environment environment({{"PAPERSIZE", papersize}, {"PAPERCONF", dir.filePath("papersize").toUtf8()}});
    const Paper paper = SystemPaper();
    QCOMPARE(paper.name, name);
    QCOMPARE(paper.width, width);
    QCOMPARE(paper.left + paper.top + paper.right + paper.bottom, 0);
  }

  // The fields take 10935 by 11775 twips: 192.88 by 207.70 mm.
  void fitScale_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("margin");  // each side
    QTest::addColumn<double>("scale");
    QTest::newRow("A4, a quarter inch round") << 21000 << 29700 << 635 << 1.0;
    QTest::newRow("US Letter, no margins") << 21590 << 27940 << 0 << 1.0;
    QTest::newRow("A5, a quarter inch round") << 14800 << 21000 << 635 << (14800 - 1270) / 19288.125;
    QTest::newRow("A4 landscape: the length decides") << 29700 << 21000 << 635 << (21000 - 1270) / 20769.792;
    QTest::newRow("an address label") << 2858 << 8890 << 0 << 2858 / 19288.125;
    QTest::newRow("A4 whose margins leave nothing: none") << 21000 << 29700 << 15000 << 1.0;
  }
  void fitScale() {
    QFETCH(int, width);
    QFETCH(int, length);
    QFETCH(int, margin);
    QFETCH(double, scale);
    const Paper paper = Sized(width, length, margin, margin, margin, margin);
    QVERIFY(qAbs(PaperFitScale(paper) - scale) < 0.001);
  }

  // libcups's order: LPDEST, PRINTER but "lp", the user's lpoptions, the system's.
  void namedDefault_data() {
    QTest::addColumn<QByteArray>("lpdest");
    QTest::addColumn<QByteArray>("printer");
    QTest::addColumn<QByteArray>("userOptions");
    QTest::addColumn<QByteArray>("systemOptions");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("where");  // "~" and "/etc": the test's home and server root
    QTest::newRow("LPDEST first") << QByteArray("front/copy") << QByteArray("back") << QByteArray("Default user\n")
                                  << QByteArray() << "front"
                                  << "LPDEST";
    QTest::newRow("PRINTER next") << QByteArray() << QByteArray("back") << QByteArray("Default user\n") << QByteArray()
                                  << "back"
                                  << "PRINTER";
    QTest::newRow("PRINTER=lp is no choice")
        << QByteArray() << QByteArray("lp") << QByteArray("Dest x sides=one-sided\ndefault user/a4 media=A4\n")
        << QByteArray() << "user"
        << "~/.cups/lpoptions";
    QTest::newRow("the system's lpoptions last")
        << QByteArray() << QByteArray() << QByteArray("Dest x sides=one-sided\n") << QByteArray("Default office\n")
        << "office"
        << "/etc/lpoptions";
    QTest::newRow("none named") << QByteArray() << QByteArray() << QByteArray() << QByteArray() << ""
                                << "";
  }
  void namedDefault() {
    QFETCH(QByteArray, lpdest);
    QFETCH(QByteArray, printer);
    QFETCH(QByteArray, userOptions);
    QFETCH(QByteArray, systemOptions);
    QFETCH(QString, name);
    QFETCH(QString, where);
    QTemporaryDir home, serverRoot;
    if (!userOptions.isEmpty()) Write(home.filePath(".cups/lpoptions"), userOptions);
    if (!systemOptions.isEmpty()) Write(serverRoot.filePath("lpoptions"), systemOptions);
    const QByteArray oldHome = qgetenv("HOME");
    const Environment environment({{"LPDEST", lpdest.isEmpty() ? QByteArray() : lpdest},
                                   {"PRINTER", printer.isEmpty() ? QByteArray() : printer},
                                   {"CUPS_SERVERROOT", serverRoot.path().toUtf8()}});
    qputenv("HOME", home.path().toUtf8());
    const QString message = NoDefaultPrinter(QStringLiteral("print.example:631"));
    qputenv("HOME", oldHome);
    QString setting = where;
    setting.replace(QStringLiteral("~"), home.path()).replace(QStringLiteral("/etc"), serverRoot.path());
    QCOMPARE(message, name.isEmpty()
                          ? QStringLiteral("No default printer is set up at the print server print.example:631. "
                                           "Choose a default printer in the system's printer settings, then "
                                           "press Print again.")
                          : QStringLiteral("The printer \"%1\" that %2 names as the default is not set up at "
                                           "the print server print.example:631.")
                                .arg(name, setting));
  }
};

QTEST_GUILESS_MAIN(PaperChoiceTest)
#include "paper_choice_test.moc"
