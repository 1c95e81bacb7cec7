// Print through a real CUPS daemon with a cups-pdf queue as the default
// printer, and read back the PDF it writes.
#include <cups/cups.h>
#include <dlfcn.h>
#include <netdb.h>

#include <QApplication>
#include <QCursor>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLocale>
#include <QPalette>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <optional>

#include "bad_servers.h"
#include "credentials_dialog.h"
#include "form_harness.h"
#include "frmPrint.h"
#include "print_layout.h"
#include "spooler.h"

// The C library's resolver as libcups calls it, never answering for one
// name; every other name is looked up. The test program exports it, so it
// stands in for the C library's in the whole process.
extern "C" int getaddrinfo(const char* node, const char* service, const addrinfo* hints, addrinfo** found) {
  if (node && QByteArray(node) == "hanging.invalid") QThread::sleep(60);
  using Resolver = int (*)(const char*, const char*, const addrinfo*, addrinfo**);
  static const auto resolver = reinterpret_cast<Resolver>(dlsym(RTLD_NEXT, "getaddrinfo"));
  return resolver(node, service, hints, found);
}

using namespace vitayear;
using namespace vitayear::ui;
using vitayear::ui::testing::BadServer;
using vitayear::ui::testing::Harness;
using vitayear::ui::testing::Proxy;
using vitayear::ui::testing::Run;
using vitayear::ui::testing::Spawn;
using vitayear::ui::testing::Spooler;

namespace {

struct Word {
  QString text;
  QRectF box;  // points, origin top-left of the page
};

struct Page {
  QSizeF size;
  QList<Word> words;
  const Word* find(const QString& text) const {
    for (const Word& w : words)
      if (w.text == text) return &w;
    return nullptr;
  }
};

Page ReadPage(const QString& pdf) {
  Page page;
  const QString xml = Run(QStringLiteral("pdftotext"), {"-bbox", pdf, "-"});
  static const QRegularExpression pageRe(R"re(<page width="([\d.]+)" height="([\d.]+)">)re");
  static const QRegularExpression wordRe(
      R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
  if (const auto m = pageRe.match(xml); m.hasMatch()) page.size = {m.captured(1).toDouble(), m.captured(2).toDouble()};
  for (auto it = wordRe.globalMatch(xml); it.hasNext();) {
    const auto m = it.next();
    page.words.append({m.captured(5), QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                             QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
  }
  return page;
}

int PageCount(const QString& pdf) {
  static const QRegularExpression pagesRe(R"re(Pages:\s+(\d+))re");
  return pagesRe.match(Run(QStringLiteral("pdfinfo"), {pdf})).captured(1).toInt();
}

// The test queue cannot print on a quarter inch (18 points) round the sheet.
QRectF PrintableArea(QSizeF sheet = QSizeF(595, 842), double margin = 18) {
  return {QPointF(margin, margin), sheet - QSizeF(2 * margin, 2 * margin)};
}

// The fields span 960 to 11895 twips across and 2040 to 13815 down; twips
// to points: divide by 20. The page is drawn smaller where they do not fit.
double ExpectedScale(const QRectF& printable) {
  return std::min({1.0, printable.width() / ((11895 - 960) / 20.0), printable.height() / ((13815 - 2040) / 20.0)});
}

// Where a field of the table must land: the content centred across the
// printable width, the window's top at the top of the printable area (or
// higher, as far as the content's bottom needs).
QRectF ExpectedField(const PrintFieldSpec& f, const QRectF& printable) {
  const double scale = ExpectedScale(printable);
  const double contentLeft = printable.left() + (printable.width() - (11895 - 960) / 20.0 * scale) / 2;
  const double windowTop = printable.top() + std::min(0.0, printable.height() - 13815 / 20.0 * scale);
  return {contentLeft + (f.left - 960) / 20.0 * scale, windowTop + f.top / 20.0 * scale, f.width / 20.0 * scale,
          f.height / 20.0 * scale};
}

// The user's own lpoptions, in a home of the test's own for as long as it lives.
struct UserHome {
  QTemporaryDir dir;
  QByteArray home = qgetenv("HOME");
  explicit UserHome(const QByteArray& lpoptions) {
    QDir(dir.path()).mkpath(QStringLiteral(".cups"));
    QFile file(dir.path() + QStringLiteral("/.cups/lpoptions"));
    if (file.open(QIODevice::WriteOnly)) file.write(lpoptions);
    qputenv("HOME", QFile::encodeName(dir.path()));
  }
  ~UserHome() { qputenv("HOME", home); }
  UserHome(const UserHome&) = delete;
  UserHome& operator=(const UserHome&) = delete;
};

// One attribute of a job the test daemon printed, as text.
QString JobAttribute(const QString& printed, const char* name) {
  static const QRegularExpression jobRe(QStringLiteral("job_(\\d+)\\.pdf$"));
  ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
               "ipp://localhost/printers/vitayear-test");
  ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", jobRe.match(printed).captured(1).toInt());
  ipp_t* answer = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
  ipp_attribute_t* attribute = answer ? ippFindAttribute(answer, name, IPP_TAG_ZERO) : nullptr;
  const QString value = attribute ? QString::fromUtf8(ippGetString(attribute, 0, nullptr)) : QString();
  ippDelete(answer);
  return value;
}

const PrintFieldSpec& Spec(PrintField field) {
  for (const auto& f : kPrintLayout)
    if (f.field == field) return f;
  return kPrintLayout.front();
}

// Share of the page's pixels that are darker than mid-grey.
double DarkShare(const QString& pdf) {
  const auto png = Spawn(QStringLiteral("pdftoppm"), {"-r", "20", "-gray", "-png", "-singlefile", pdf});
  if (!png) return 1;
  const QImage page = QImage::fromData(*png, "PNG");
  if (page.isNull()) return 1;
  qint64 dark = 0;
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x) dark += qGray(page.pixel(x, y)) < 128;
  return double(dark) / (qint64(page.width()) * page.height());
}

// A notice as expected, but for CUPS's words for a printer it cannot reach,
// which the backend gives in the job's language: the operator's, where not
// English.
bool SameNotice(const QStringList& messages, const QString& expected) {
  static const QString kWords = QStringLiteral("The printer may not exist or is unavailable at this time.");
  if (messages == QStringList{expected}) return true;
  if (messages.size() != 1 || !expected.contains(kWords) || QLocale().language() == QLocale::English) return false;
  const QStringList around = expected.split(kWords);
  return messages.first().startsWith(around[0]) && messages.first().endsWith(around[1]) &&
         messages.first().size() > around[0].size() + around[1].size() + 1;
}

// The operator at the password dialog: how often asked, and what to answer:
// `password` each time, or the next of `script`.
struct Operator {
  static inline int asked = 0;
  static inline QString password;  // empty: Cancel
  static inline QStringList script;
  static inline QList<CredentialsQuestion> questions;
  static inline bool keepOffered = false;
  static inline FrmInput* window = nullptr;
  static inline QStringList closeQuestions;

  // Answers from `answers` at the dialog, and at closing `window`.
  static void Start(const QStringList& answers, FrmInput* form) {
    asked = 0;
    script = answers;
    questions.clear();
    closeQuestions.clear();
    keepOffered = false;
    window = form;
    SetCredentialsAnswerer(&Answer);
  }

  static std::optional<Credentials> Answer(const CredentialsQuestion& question, bool canKeep) {
    ++asked;
    questions.append(question);
    keepOffered = keepOffered || canKeep;
    QString given = script.isEmpty() ? password : script.takeFirst();
    if (given.startsWith(QStringLiteral("close"))) {
      const bool cancel = given == QStringLiteral("close-cancel");
      window->setHeldPageChooser([cancel](const QString& text) {
        closeQuestions.append(text);
        return cancel;
      });
      window->close();
      return std::nullopt;
    }
    if (given.isEmpty()) return std::nullopt;
    const bool keep = given.endsWith(QStringLiteral("+keep"));
    if (keep) given.chop(5);
    return Credentials{question.user == QStringLiteral("root") ? QStringLiteral("clinic") : question.user, given, keep};
  }
};

// What the Windows share printed, one file a job.
QStringList ShareOutput(const Spooler& spooler) {
  return QDir(spooler.dir + QStringLiteral("/smb/out")).entryList(QDir::Files);
}

// Counts the timer ticks that ran while a Print handler waited, and whether
// the busy pointer was up meanwhile: the window kept repainting.
struct Ticker {
  int ticks = 0;
  bool busy = false;
  QTimer timer;
  std::function<void()> also;
  Ticker() {
    QObject::connect(&timer, &QTimer::timeout, [this] {
      ++ticks;
      busy =
          busy || (QGuiApplication::overrideCursor() && QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor);
      if (also) also();
    });
    timer.start(50);
  }
};

}  // namespace

class PrintSpoolerTest : public QObject {
  Q_OBJECT

  Spooler spooler;

  QString printOnce(Harness& h) {
    const QStringList before = spooler.pages();
    h.click(h.form->button(Button::Printing));
    const QStringList fresh = spooler.waitForPages(before, 1);
    return fresh.size() == 1 ? fresh.first() : QString();
  }

 private slots:
  void initTestCase() {
    QVERIFY2(spooler.available(), "needs the test CUPS daemon: run through ctest");
    QVERIFY(!QPrinterInfo::defaultPrinter().isNull());
  }

  void eachPressPrintsOnePage() {
    Harness h(Harness::Printer::Spooler);
    h.fill(0, "40", "80", "20", {"2", "1", "3", "2", "1", "3"});
    const QStringList before = spooler.pages();
    h.click(h.form->button(Button::Printing));
    h.click(h.form->button(Button::Printing));
    QVERIFY(h.messages.isEmpty());
    const QStringList fresh = spooler.waitForPages(before, 2);
    QCOMPARE(fresh.size(), 2);
    for (const QString& pdf : fresh) QCOMPARE(PageCount(pdf), 1);
    QVERIFY(spooler.settled());
    QCOMPARE(spooler.pages().size(), before.size() + 2);
  }

  // The page on the paper the job prints on: the queue's, the user's own
  // default for it, the system's for a queue that states none; drawn smaller
  // where it does not fit. Sheets in points.
  // clang-format off
  void fieldsLandAtTheirPlaces_data() {
    QTest::addColumn<QString>("paper");  // the test daemon's action, or "user-a5": the user's own lpoptions
    QTest::addColumn<QSizeF>("sheet");
    QTest::addColumn<double>("margin");
    QTest::addColumn<bool>("darkDesktop");
    QTest::addColumn<QString>("name");  // the two longer ones are wider than their box at full size
    QTest::newRow("A4") << "a4" << QSizeF(595, 842) << 18.0 << false << QStringLiteral("Олена Коваль");
    QTest::newRow("A4, a long Cyrillic name") << "a4" << QSizeF(595, 842) << 18.0 << false << QStringLiteral("Олена Їжакевич-Ґудзь");
    QTest::newRow("US Letter, dark colour scheme, a long name") << "letter" << QSizeF(612, 792) << 18.0 << true << QStringLiteral("Alexandra Montgomery-Smith");
    QTest::newRow("A5: scaled to fit") << "a5" << QSizeF(420, 595) << 18.0 << false << QStringLiteral("Олена Коваль");
    QTest::newRow("the user's own A5 on an A4 queue") << "user-a5" << QSizeF(420, 595) << 18.0 << false << QStringLiteral("Ann Lee");
    QTest::newRow("a raw queue: the system's paper") << "raw" << QSizeF(612, 792) << 0.0 << false << QStringLiteral("Ann Lee");
  }
  // clang-format on
  void fieldsLandAtTheirPlaces() {
    QFETCH(QString, paper);
    QFETCH(QSizeF, sheet);
    QFETCH(double, margin);
    QFETCH(bool, darkDesktop);
    QFETCH(QString, name);
    const QPalette light = QApplication::palette();
    const QByteArray systemPaper = qgetenv("PAPERSIZE");
    qputenv("PAPERSIZE", "letter");  // the raw queue's, seen apart from the queue's A4
    const auto restore = qScopeGuard([&] {
      QApplication::setPalette(light);
      qputenv("PAPERSIZE", systemPaper);
      spooler.run(paper == "raw" ? "ppd-queue" : "a4");
    });
    if (darkDesktop) {
      QPalette dark(QColor(0xe0, 0xe0, 0xe0), QColor(0x24, 0x24, 0x24));
      dark.setColor(QPalette::Base, QColor(0x3d, 0x3d, 0x3d));
      dark.setColor(QPalette::Text, QColor(0xe0, 0xe0, 0xe0));
      QApplication::setPalette(dark);
    }
    std::optional<UserHome> home;
    if (paper == "user-a5")
      home.emplace("Dest vitayear-test media=A5 sides=two-sided-long-edge\n");
    else
      QVERIFY(spooler.run(paper));
    Harness h(Harness::Printer::Spooler);
    h.fill(1, "25", "70", "30", {"1", "1", "3", "2", "1", "1"}, 2);
    h.box(TextBox::UsrName)->setText(name);
    const QString pdf = printOnce(h);
    QVERIFY(!pdf.isEmpty());
    QVERIFY2(h.messages.isEmpty(), qPrintable(h.messages.join(u'\n')));
    QCOMPARE(PageCount(pdf), 1);
    const Page page = ReadPage(spooler.document(pdf));
    const QRectF printable = PrintableArea(sheet, margin);
    QVERIFY2(qAbs(page.size.width() - sheet.width()) < 2 && qAbs(page.size.height() - sheet.height()) < 2,
             qPrintable(QStringLiteral("%1x%2").arg(page.size.width()).arg(page.size.height())));
    // The user's other defaults for the queue went with the job.
    if (paper == "user-a5") QCOMPARE(JobAttribute(pdf, "sides"), QStringLiteral("two-sided-long-edge"));

    const std::pair<PrintField, QString> firstWords[] = {
        {PrintField::UsrName, name.section(u' ', 0, 0)},
        {PrintField::Habits, "6"},
        {PrintField::Age, "25"},
        {PrintField::Vitayear, "21.7"},
        {PrintField::IdealAge, "20.5"},
        {PrintField::AddedYears, "3.8"},
        {PrintField::Recommendation, "Досягніть"},
    };
    constexpr double kTolerance = 1.5;  // points: glyph bounds against field edges
    for (const auto& [field, text] : firstWords) {
      const Word* word = page.find(text);
      QVERIFY2(word, qPrintable(text));
      const QRectF expected = ExpectedField(Spec(field), printable);
      QVERIFY2(expected.adjusted(-kTolerance, -kTolerance, kTolerance, kTolerance).contains(word->box),
               qPrintable(QStringLiteral("%1 at %2,%3 outside %4,%5 %6x%7")
                              .arg(text)
                              .arg(word->box.x())
                              .arg(word->box.y())
                              .arg(expected.x())
                              .arg(expected.y())
                              .arg(expected.width())
                              .arg(expected.height())));
      // Left-aligned: the text starts near the left edge (a figure after its sign blank).
      QVERIFY2(word->box.left() - expected.left() < 14 * ExpectedScale(printable), qPrintable(text));
    }
    // The whole name, its last letter too, inside its box.
    const Word* last = page.find(name.section(u' ', -1));
    QVERIFY2(last, qPrintable(name));
    const QRectF nameBox = ExpectedField(Spec(PrintField::UsrName), printable);
    QVERIFY2(nameBox.adjusted(-kTolerance, -kTolerance, kTolerance, kTolerance).contains(last->box),
             qPrintable(QStringLiteral("%1 ends at %2, the box at %3")
                            .arg(last->text)
                            .arg(last->box.right())
                            .arg(nameBox.right())));
    // Everything printed lies on the printable area.
    for (const Word& w : page.words)
      QVERIFY2(printable.adjusted(-kTolerance, -kTolerance, kTolerance, kTolerance).contains(w.box),
               qPrintable(w.text));
    // White paper, black text, whatever the desktop's colours.
    QVERIFY2(DarkShare(pdf) < 0.05, qPrintable(QString::number(DarkShare(pdf))));
  }

  void russianRecommendationsPrintAsCyrillicText() {
    Harness h(Harness::Printer::Spooler);
    h.fill(0, "40", "80", "20", {"2", "1", "3", "2", "1", "3"}, 1);
    const QString pdf = printOnce(h);
    QVERIFY(!pdf.isEmpty());
    const QString text = Run(QStringLiteral("pdftotext"), {"-layout", spooler.document(pdf), "-"});
    QVERIFY2(text.contains(QStringLiteral("Регулярно делайте физические упражнения;")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Не употребляйте алкоголь;")));
  }

  void aLongRecommendationIsCutAtTheFieldBottom() {
    PrintoutTexts texts = InitialPrintoutTexts();
    QString lines;
    for (int i = 1; i <= 40; ++i) lines += QStringLiteral("Line%1 of advice\r").arg(i);
    texts[PrintField::Recommendation] = lines;
    const QStringList before = spooler.pages();
    const PrintResult result = PrintOnDefaultPrinter(texts);
    QVERIFY2(result.ok, qPrintable(result.problem));
    const QStringList fresh = spooler.waitForPages(before, 1);
    QCOMPARE(fresh.size(), 1);
    const Page page = ReadPage(spooler.document(fresh.first()));
    const QRectF field = ExpectedField(Spec(PrintField::Recommendation), PrintableArea());
    int shown = 0;
    for (const Word& w : page.words) {
      if (!w.text.startsWith(QStringLiteral("Line"))) continue;
      ++shown;
      QVERIFY2(w.box.bottom() <= field.bottom() + 1, qPrintable(w.text));
    }
    QVERIFY(page.find(QStringLiteral("Line1")));
    QVERIFY(shown > 5 && shown < 40);
    // The lines that fit are there up to the bottom: the next would not fit.
    QVERIFY(page.find(QStringLiteral("Line%1").arg(shown)));
    QVERIFY(!page.find(QStringLiteral("Line%1").arg(shown + 1)));
  }

  // Each fault is set up in the real daemon, or the client is sent to a
  // loopback server that misbehaves; Print is pressed and everything put
  // right again. The message says what went wrong and names the server;
  // nothing typed is lost, and the window kept repainting under a busy
  // cursor while it waited.
  // One row a line reads as a table.
  // clang-format off
  void faultsAreReported_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("repair");
    QTest::addColumn<QString>("said");  // %1: the server
    QTest::newRow("queue refuses jobs") << "reject" << "accept" << "at %1 did not accept the page: ";
    QTest::newRow("no default queue") << "remove-queue" << "add-queue" << "No default printer is set up at the print server %1.";
    QTest::newRow("spooler stopped") << "kill" << "start" << "not running, or cannot be reached at %1.";
    QTest::newRow("server hangs") << "hang" << "" << "The print server %1 does not answer.";
    QTest::newRow("server trickles its answer") << "trickle" << "" << "The print server %1 does not answer.";
    QTest::newRow("name lookup hangs") << "lookup" << "" << "The name of the print server %1 could not be looked up.";
    QTest::newRow("server drops connections") << "drop" << "" << "The print server %1 closed the connection.";
    QTest::newRow("nothing listens on the port") << "closed-port" << "" << "cannot be reached at %1.";
    QTest::newRow("server cannot encrypt") << "plain" << "" << "could not set up an encrypted connection to the print server %1.";
    QTest::newRow("password wrong three times") << "password-wrong" << "" << "The print server %1 did not accept the user name and password.";
    QTest::newRow("password question cancelled") << "password-cancel" << "" << "The question of the print server %1 for a user name and password was cancelled.";
    QTest::newRow("printer's password wrong three times") << "credentials-wrong" << "plain-device" << "The print server %1 did not accept the user name and password.";
    QTest::newRow("printer's password question cancelled") << "credentials-cancel" << "plain-device" << "The question of the print server %1 for a user name and password was cancelled.";
    QTest::newRow("paper far too small") << "label" << "a4" << "The printer \"vitayear-test\" at %1 holds paper of 28.6 x 88.9 mm, too small for the page. The smallest of its papers that takes the page is A5 (148.5 x 209.9 mm).";
    QTest::newRow("LPDEST names a missing default") << "lpdest" << "" << "The printer \"NOSUCH\" that LPDEST names as the default is not set up at the print server %1.";
    QTest::newRow("lpoptions names a missing default") << "lpoptions" << "" << "The printer \"NOSUCH\" that %2/.cups/lpoptions names as the default is not set up at the print server %1.";
  }
  // clang-format on
  void faultsAreReported() {
    QFETCH(QString, fault);
    QFETCH(QString, repair);
    QFETCH(QString, said);
    const QByteArray daemon = cupsServer();
    std::optional<BadServer> bad;
    std::optional<Proxy> proxy;
    std::optional<UserHome> home;
    QString server = QString::fromLocal8Bit(daemon);
    Operator::asked = 0;
    Operator::password = fault.endsWith(QStringLiteral("-wrong")) ? QStringLiteral("wrong") : QString();
    if (fault.startsWith(QStringLiteral("password"))) {
      proxy.emplace(spooler.dir + "/cups.sock", 0, "right");
      server = proxy->name();
    } else if (fault.startsWith(QStringLiteral("credentials"))) {
      QVERIFY(spooler.run(QStringLiteral("credentials-device")));
    } else if (fault == "lpdest") {
      qputenv("LPDEST", "NOSUCH");
    } else if (fault == "lpoptions") {
      home.emplace("Default NOSUCH\n");
      said = said.arg(QStringLiteral("%1"), home->dir.path());
    } else if (fault == "lookup") {
      server = QStringLiteral("hanging.invalid:631");
    } else if (repair.isEmpty()) {
      bad.emplace(fault);
      server = bad->name();
      if (fault == "closed-port") bad->listener.close();
    } else {
      QVERIFY(spooler.run(fault));
    }
    if (daemon != server.toLocal8Bit()) cupsSetServer(server.toLatin1().constData());
    if (fault == "plain") cupsSetEncryption(HTTP_ENCRYPTION_ALWAYS);
    SetCredentialsAnswerer(&Operator::Answer);
    const auto restore = qScopeGuard([&] {
      cupsSetServer(daemon.constData());
      cupsSetEncryption(HTTP_ENCRYPTION_IF_REQUESTED);
      SetCredentialsAnswerer(nullptr);
      qunsetenv("LPDEST");
      if (!repair.isEmpty()) spooler.run(repair);
    });
    // Where the bound only has to be there, a short one; a hanging server
    // waits out the real one.
    const int bound = fault == "trickle" || fault == "lookup" ? 2000 : kPrintBoundMs;
    Harness h(Harness::Printer::Spooler, bound);
    h.fill(0, "40", "80", "20", {"2", "1", "3", "2", "1", "3"});
    const QStringList before = spooler.pages();
    Ticker ticker;
    QElapsedTimer clock;
    clock.start();
    h.click(h.form->button(Button::Printing));
    const qint64 took = clock.elapsed();
    qInfo() << fault << "answered after" << took << "ms";
    ticker.timer.stop();
    QVERIFY2(took < bound + 800, "the bound did not hold");
    // A printer's question comes from the watch after the hand-over.
    QTRY_COMPARE_WITH_TIMEOUT(h.messages.size(), 1, 20000);
    QVERIFY2(h.messages.first().contains(said.arg(server)), qPrintable(h.messages.first()));
    QVERIFY(h.messages.first().endsWith(QStringLiteral(". Nothing was printed.")));
    QVERIFY(!h.messages.first().contains(QStringLiteral("..")));
    QVERIFY(!QGuiApplication::overrideCursor());
    if (took > 1000) QVERIFY(ticker.ticks > 0 && ticker.busy);
    // The server's own words may be in the operator's language; the
    // administrator's are as given.
    if (fault == "reject")
      QVERIFY(h.messages.first().contains(QStringLiteral("The reason given: Out of service until Monday.")));
    if (fault.endsWith(QStringLiteral("-wrong"))) QCOMPARE(Operator::asked, 3);
    if (fault.endsWith(QStringLiteral("-cancel"))) QCOMPARE(Operator::asked, 1);
    // A job held for credentials nobody gave would wait for ever.
    if (fault.startsWith(QStringLiteral("credentials"))) {
      QVERIFY(!Run(QStringLiteral("lpstat"), {"-W", "all", "-o"}).isEmpty());
      QCOMPARE(Run(QStringLiteral("lpstat"), {"-o"}), QString());
    }
    QCOMPARE(h.box(TextBox::UsrName)->text(), QStringLiteral("Ann"));
    QCOMPARE(h.box(TextBox::Weight1)->text(), QStringLiteral("80"));
    QVERIFY(h.form->result()->text().startsWith(QStringLiteral("Current Health Practices:  5")));
    QVERIFY(spooler.settled());
    QCOMPARE(spooler.pages(), before);
  }

  // Servers that are slow, or ask for a password, still print the page once
  // and say nothing; a second press meanwhile starts no second Print.
  // clang-format off
  void slowServersPrintOnce_data() {
    QTest::addColumn<int>("delayMs");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("pressAgain");
    QTest::addColumn<bool>("printerAsks");  // the printer behind the server asks, not the server
    QTest::newRow("answers' bodies 0.15 s late") << 150 << "" << false << false;
    QTest::newRow("answers' bodies 1.5 s late") << 1500 << "" << false << false;
    QTest::newRow("Print pressed again meanwhile") << 500 << "" << true << false;
    QTest::newRow("password asked and given") << 0 << "right" << false << false;
    QTest::newRow("printer's password asked and given") << 0 << "right" << false << true;
  }
  // clang-format on
  void slowServersPrintOnce() {
    QFETCH(int, delayMs);
    QFETCH(QString, password);
    QFETCH(bool, pressAgain);
    QFETCH(bool, printerAsks);
    const QByteArray daemon = cupsServer();
    Proxy proxy(spooler.dir + "/cups.sock", delayMs, printerAsks ? QByteArray() : password.toLatin1());
    cupsSetServer(proxy.name().toLatin1().constData());
    if (printerAsks) QVERIFY(spooler.run(QStringLiteral("credentials-device")));
    Operator::asked = 0;
    Operator::password = password;
    SetCredentialsAnswerer(&Operator::Answer);
    const auto restore = qScopeGuard([&] {
      cupsSetServer(daemon.constData());
      SetCredentialsAnswerer(nullptr);
      if (printerAsks) spooler.run(QStringLiteral("plain-device"));
    });
    Harness h(Harness::Printer::Spooler);
    h.fill(0, "40", "80", "20", {"2", "1", "3", "2", "1", "3"});
    const QStringList before = spooler.pages();
    Ticker ticker;
    int presses = 0;
    if (pressAgain)
      ticker.also = [&] {
        if (presses++ < 3) h.form->button(Button::Printing)->click();
      };
    QElapsedTimer clock;
    clock.start();
    h.click(h.form->button(Button::Printing));
    const qint64 took = clock.elapsed();
    ticker.timer.stop();
    QCOMPARE(spooler.waitForPages(before, 1).size(), 1);
    QVERIFY2(h.messages.isEmpty(), qPrintable(h.messages.join(u'\n')));
    QCOMPARE(spooler.pages().size(), before.size() + 1);
    if (delayMs >= 1000 && took >= 1000) QVERIFY(ticker.ticks > 10);
    if (pressAgain) QVERIFY(presses > 3);  // three presses came while it waited
    QCOMPARE(Operator::asked, password.isEmpty() ? 0 : 1);
  }

  // The page is handed over but waits at the server: the operator is told
  // where and why, in the administrator's words, and it is not sent twice.
  // clang-format off
  void aWaitingPageIsReported_data() {
    QTest::addColumn<QString>("setUp");
    QTest::addColumn<QString>("putRight");
    QTest::addColumn<QString>("said");
    QTest::newRow("queue paused") << "disable" << "enable" << "The page is waiting at the printer \"vitayear-test\", which is paused: Paper jam in tray 2. It prints once the printer is resumed.";
    QTest::newRow("queue holds every job") << "hold" << "release" << "The page is waiting at the printer \"vitayear-test\": the print server holds it (job-hold-until-specified). It prints once the job is released.";
    QTest::newRow("device cannot be reached") << "unreachable" << "reachable" << "The page is waiting at the printer \"vitayear-test\", which reports: The printer may not exist or is unavailable at this time. It prints once the printer can be reached.";
    QTest::newRow("printer switched off") << "switched-off" << "switched-on" << "The page is waiting at the printer \"vitayear-test\", which reports: The printer may not exist or is unavailable at this time. It prints once the printer can be reached.";
  }
  // clang-format on
  void aWaitingPageIsReported() {
    QFETCH(QString, setUp);
    QFETCH(QString, putRight);
    QFETCH(QString, said);
    QVERIFY(spooler.run(setUp));
    auto restore = qScopeGuard([&] { spooler.run(putRight); });
    Harness h(Harness::Printer::Spooler);
    h.fill(0, "40", "80", "20", {"2", "1", "3", "2", "1", "3"});
    const QStringList before = spooler.pages();
    h.click(h.form->button(Button::Printing));
    QTRY_VERIFY2_WITH_TIMEOUT(SameNotice(h.messages, said), qPrintable(h.messages.join(u'\n')), 15000);
    QVERIFY(!Run(QStringLiteral("lpstat"), {QStringLiteral("-o")}).trimmed().isEmpty());  // still waiting
    QCOMPARE(spooler.pages(), before);
    restore.dismiss();
    QVERIFY(spooler.run(putRight));
    QCOMPARE(spooler.waitForPages(before, 1).size(), 1);  // it prints once put right, once
    QCOMPARE(h.messages.size(), 1);                       // told once, and nothing more
  }

  // A driverless printer (IPP Everywhere) behind a queue made with
  // lpadmin -m everywhere: a whole page on its own Letter and on the user's
  // A4 (lpoptions), and once switched off the notice, and the page printed
  // once when it is on again.
  void driverlessPrinter() {
    const QString script = QFileInfo(spooler.script).dir().filePath(QStringLiteral("ipp-everywhere-printer.sh"));
    const auto printer = [&](const char* action) { return Spawn(script, {QLatin1String(action), spooler.dir}, true); };
    QVERIFY(printer("start"));
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME");
    const auto restore = qScopeGuard([&] {
      qputenv("HOME", oldHome);
      printer("stop");
    });
    // Every PDF the printer got, oldest first.
    const auto jobs = [&] {
      QStringList all;
      QDirIterator it(spooler.dir + QStringLiteral("/everywhere/spool"), {QStringLiteral("*.pdf")}, QDir::Files,
                      QDirIterator::Subdirectories);
      while (it.hasNext()) all.append(it.next());
      all.sort();
      return all;
    };
    Harness h(Harness::Printer::Spooler);
    h.fill(0, "40", "80", "20", {"2", "1", "3", "2", "1", "3"});
    const auto printsOn = [&](const QString& paper) {
      const int before = int(jobs().size());
      h.click(h.form->button(Button::Printing));
      QVERIFY2(h.messages.isEmpty(), qPrintable(h.messages.join(u'\n')));
      QTRY_COMPARE_WITH_TIMEOUT(jobs().size(), before + 1, 30000);
      const QString info = Run(QStringLiteral("pdfinfo"), {jobs().constLast()});
      QVERIFY2(info.contains(paper), qPrintable(info));
      QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))), qPrintable(info));
    };
    printsOn(QStringLiteral("(letter)"));
    QVERIFY(QDir(home.path()).mkpath(QStringLiteral(".cups")));
    QFile options(home.filePath(QStringLiteral(".cups/lpoptions")));
    QVERIFY(options.open(QIODevice::WriteOnly));
    options.write("Dest vitayear-everywhere media=iso_a4_210x297mm\n");
    options.close();
    qputenv("HOME", home.path().toLocal8Bit());
    printsOn(QStringLiteral("(A4)"));

    // Switched off while it is idle, as at the end of a day.
    QTRY_VERIFY_WITH_TIMEOUT(
        Run(QStringLiteral("lpstat"), {QStringLiteral("-o"), QStringLiteral("vitayear-everywhere")})
            .trimmed()
            .isEmpty(),
        60000);
    QVERIFY(printer("off"));
    const QStringList before = jobs();
    h.click(h.form->button(Button::Printing));
    QTRY_VERIFY2_WITH_TIMEOUT(
        SameNotice(h.messages, QStringLiteral("The page is waiting at the printer \"vitayear-everywhere\", which "
                                              "reports: The printer may not exist or is unavailable at this time. "
                                              "It prints once the printer can be reached.")),
        qPrintable(h.messages.join(u'\n')), 30000);
    QVERIFY(printer("on"));
    // The backend tries again within half a minute; the page comes once.
    QTRY_COMPARE_WITH_TIMEOUT(jobs().size(), before.size() + 1, 60000);
    QVERIFY(spooler.settled());
    QCOMPARE(jobs().size(), before.size() + 1);
    QCOMPARE(h.messages.size(), 1);  // told once, however often the backend tried
  }

  // A printer shared from a Windows PC: a real smbd behind CUPS's smb
  // backend, on a queue made with plain lpadmin, whose share takes only the
  // user clinic with the password "right". Each answer in `answers` is given
  // in turn at the password dialog ("" cancels it; "close-cancel" and
  // "close-leave" close the window instead, cancelling the page or leaving
  // it held). The window takes input right after Print, in every case.
  // clang-format off
  void sharedPrinterAsksForTheHeldPage_data() {
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QStringList>("said");  // %1: the print server
    QTest::newRow("first print on a new queue") << QStringList{"right"} << 1 << QStringList{};
    QTest::newRow("wrong password, then right") << QStringList{"wrong", "right"} << 1 << QStringList{};
    QTest::newRow("wrong password three times") << QStringList{"wrong", "wrong", "wrong"} << 0 << QStringList{"The print server %1 did not accept the user name and password. Nothing was printed."};
    QTest::newRow("Cancel") << QStringList{""} << 0 << QStringList{"The question of the print server %1 for a user name and password was cancelled. Nothing was printed."};
    QTest::newRow("closing: cancel the page") << QStringList{"close-cancel"} << 0 << QStringList{};
    QTest::newRow("closing: leave it held") << QStringList{"close-leave"} << 0 << QStringList{};
  }
  // clang-format on
  void sharedPrinterAsksForTheHeldPage() {
    QFETCH(QStringList, answers);
    QFETCH(int, pages);
    QFETCH(QStringList, said);
    QVERIFY(spooler.run(QStringLiteral("smb-queue")));
    const auto restore = qScopeGuard([&] {
      SetCredentialsAnswerer(nullptr);
      spooler.run(QStringLiteral("no-smb-queue"));
    });
    const QString server = QString::fromLocal8Bit(cupsServer());
    for (QString& text : said) text = text.arg(server);
    Harness h(Harness::Printer::Spooler);
    Operator::Start(answers, h.form.get());
    h.fill(0, "40", "80", "20", {"2", "1", "3", "2", "1", "3"});
    h.click(h.form->button(Button::Printing));
    h.click(h.form->button(Button::Clear));  // lands at once: Print has returned
    QCOMPARE(h.box(TextBox::UsrName)->text(), QString());
    const bool closing = answers.first().startsWith(QStringLiteral("close"));
    QTRY_COMPARE_WITH_TIMEOUT(Operator::asked, int(answers.size()), 20000);
    // Named by the printer, the user name typed last for it offered.
    QCOMPARE(Operator::questions.first().printer, QStringLiteral("clinic"));
    QVERIFY(!Operator::keepOffered);  // no keyring in this session
    for (qsizetype i = 1; i < Operator::questions.size(); ++i) {
      QVERIFY(Operator::questions[i].again);
      QCOMPARE(Operator::questions[i].user, QStringLiteral("clinic"));
    }
    QTRY_COMPARE_WITH_TIMEOUT(ShareOutput(spooler).size(), pages, 30000);
    QTRY_COMPARE_WITH_TIMEOUT(h.messages, said, 20000);
    if (closing)
      QCOMPARE(Operator::closeQuestions, QStringList{"A page is waiting at the printer \"clinic\" for a user name and "
                                                     "password. Cancel it, or leave it held at the print server?"});
    // A page left held waits at the server; any other is done with.
    const bool held = answers.first() == QStringLiteral("close-leave");
    QTRY_COMPARE_WITH_TIMEOUT(Run(QStringLiteral("lpstat"), {QStringLiteral("-o")}).isEmpty(), !held, 10000);
    QCOMPARE(ShareOutput(spooler).size(), pages);
  }

  // The share down at Print: the backend's own words, once, and the page
  // once it is back (the backend tries again each minute), asked for then.
  void sharedPrinterComesBack() {
    QVERIFY(spooler.run(QStringLiteral("smb-queue")));
    const auto restore = qScopeGuard([&] {
      SetCredentialsAnswerer(nullptr);
      spooler.run(QStringLiteral("no-smb-queue"));
    });
    QVERIFY(spooler.run(QStringLiteral("share-down")));
    Harness h(Harness::Printer::Spooler);
    Operator::Start({QStringLiteral("right")}, h.form.get());
    h.fill(0, "40", "80", "20", {"2", "1", "3", "2", "1", "3"});
    h.click(h.form->button(Button::Printing));
    h.click(h.form->button(Button::Clear));
    QCOMPARE(h.box(TextBox::UsrName)->text(), QString());
    const QStringList said{QStringLiteral(
        "The page is waiting at the printer \"clinic\", which reports: Unable to connect to CIFS host: "
        "NT_STATUS_CONNECTION_REFUSED. Will retry in 60 seconds. It prints once the printer can be reached.")};
    QTRY_COMPARE_WITH_TIMEOUT(h.messages, said, 20000);
    QVERIFY(spooler.run(QStringLiteral("share-up")));
    QTRY_COMPARE_WITH_TIMEOUT(ShareOutput(spooler).size(), 1, 90000);
    QVERIFY(spooler.settled());
    QCOMPARE(ShareOutput(spooler).size(), 1);
    QCOMPARE(Operator::asked, 1);
    QCOMPARE(h.messages, said);  // nothing more
  }

  // With a keyring in the session, a password the operator asked to remember
  // is used without asking; once the share takes it no more, the dialog asks
  // again and the new answer replaces it.
  void sharedPrinterKeepsThePassword() {
    const QString keyring = QFileInfo(spooler.script).dir().filePath(QStringLiteral("keyring.sh"));
    QVERIFY(Spawn(keyring, {QStringLiteral("start"), spooler.dir}, true));
    QVERIFY(spooler.run(QStringLiteral("smb-queue")));
    const auto restore = qScopeGuard([&] {
      SetCredentialsAnswerer(nullptr);
      spooler.run(QStringLiteral("no-smb-queue"));
      Spawn(keyring, {QStringLiteral("stop"), spooler.dir}, true);
    });
    Harness h(Harness::Printer::Spooler);
    h.fill(0, "40", "80", "20", {"2", "1", "3", "2", "1", "3"});
    const auto print = [&](int asked) {
      const int pages = int(ShareOutput(spooler).size());
      h.click(h.form->button(Button::Printing));
      QTRY_COMPARE_WITH_TIMEOUT(ShareOutput(spooler).size(), pages + 1, 30000);
      QCOMPARE(Operator::asked, asked);
    };
    Operator::Start({QStringLiteral("right+keep")}, h.form.get());
    print(1);
    QVERIFY(Operator::keepOffered);
    print(1);
    QVERIFY(spooler.run(QStringLiteral("share-password")));
    Operator::script = QStringList{QStringLiteral("changed+keep")};
    print(2);
    QVERIFY(Operator::questions.last().again);
    print(2);
    QVERIFY2(h.messages.isEmpty(), qPrintable(h.messages.join(u'\n')));
  }
};

QTEST_MAIN(PrintSpoolerTest)
#include "print_spooler_test.moc"
