#include "job_requests.h"

#include <QFile>
#include <QHash>
#include <vector>

namespace vitayear::ui {
namespace {

// The server's answer; null when it refused the request or gave none.
struct IppAnswer {
  ipp_t* ipp = nullptr;
  explicit IppAnswer(ipp_t* answer) : ipp(answer) {}
  ~IppAnswer() { ippDelete(ipp); }
  IppAnswer(const IppAnswer&) = delete;
  IppAnswer& operator=(const IppAnswer&) = delete;

  // The first value of an integer or enum attribute; -1 when missing.
  int number(const char* name) const {
    ipp_attribute_t* a = ipp ? ippFindAttribute(ipp, name, IPP_TAG_ZERO) : nullptr;
    return a ? ippGetInteger(a, 0) : -1;
  }
  // Every value of a text or keyword attribute.
  QStringList texts(const char* name) const {
    QStringList all;
    ipp_attribute_t* a = ipp ? ippFindAttribute(ipp, name, IPP_TAG_ZERO) : nullptr;
    for (int i = 0; a && i < ippGetCount(a); ++i)
      if (const char* text = ippGetString(a, i, nullptr)) all.append(QString::fromUtf8(text));
    return all;
  }
};

// A request about a job (job > 0) or a queue, as the printing user.
ipp_t* Request(ipp_op_t operation, const char* printerUri, int job) {
  ipp_t* request = ippNewRequest(operation);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, printerUri);
  if (job > 0) ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
  return request;
}

// Sends it, which frees it.
IppAnswer Send(ServerLink& link, ipp_t* request, const char* resource) {
  ipp_t* answer = cupsDoRequest(link.http(), request, resource);
  if (answer && cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE) {
    ippDelete(answer);
    answer = nullptr;
  }
  return IppAnswer(answer);
}

// The attributes `wanted` of a job (job > 0) or of the queue.
IppAnswer AskAttributes(ServerLink& link, const char* printerUri, int job, std::initializer_list<const char*> wanted) {
  if (!link.http() || !printerUri) return IppAnswer(nullptr);
  ipp_t* request = Request(job > 0 ? IPP_OP_GET_JOB_ATTRIBUTES : IPP_OP_GET_PRINTER_ATTRIBUTES, printerUri, job);
  ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", static_cast<int>(wanted.size()),
                nullptr, wanted.begin());
  return Send(link, request, "/");
}

QueueState FromAnswer(const IppAnswer& answer) {
  QueueState queue;
  queue.known = answer.ipp != nullptr;
  queue.state = answer.number("printer-state");
  const QStringList message = answer.texts("printer-state-message");
  if (!message.isEmpty()) queue.message = WithoutClosingStop(message.first());
  queue.reasons = answer.texts("printer-state-reasons");
  queue.reasons.removeAll(QStringLiteral("none"));
  return queue;
}

// CUPS's words for a device nobody answers at.
constexpr const char* kUnreachable[] = {"The printer may not exist or is unavailable at this time.",
                                        "The printer is unreachable at this time.", "The printer is not responding.",
                                        "The printer is not connected.", "Unable to locate printer"};

// Their translations into `language`, from CUPS's own message catalogue.
QStringList Translated(const QString& language) {
  const QString folder = qEnvironmentVariable("CUPS_LOCALEDIR", QStringLiteral("/usr/share/cups/locale"));
  for (const QString& name : {language, language.left(2)}) {
    QFile catalogue(QStringLiteral("%1/%2/cups_%2.po").arg(folder, name));
    if (name.isEmpty() || !catalogue.open(QIODevice::ReadOnly)) continue;
    QStringList translated;
    const QList<QByteArray> lines = catalogue.readAll().split('\n');
    for (qsizetype i = 0; i + 1 < lines.size(); ++i)
      for (const char* english : kUnreachable)
        if (lines[i] == QByteArray("msgid \"") + english + '"' && lines[i + 1].startsWith("msgstr \""))
          translated.append(QString::fromUtf8(lines[i + 1].mid(8).chopped(1)));
    return translated;
  }
  return {};
}

// In English and in the language of this thread's requests, the job's.
QStringList UnreachableWords() {
  static std::mutex mutex;
  static QHash<QString, QStringList> known;  // by language
  const cups_lang_t* language = cupsLangDefault();
  const QString name = language ? QString::fromUtf8(language->language) : QString();
  std::lock_guard lock(mutex);
  if (!known.contains(name)) {
    QStringList words = Translated(name);
    for (const char* english : kUnreachable) words.append(QString::fromUtf8(english));
    for (QString& text : words) text = WithoutClosingStop(text);
    words.removeAll(QString());
    known.insert(name, words);
  }
  return known.value(name);
}

}  // namespace

bool JobState::holdsThePage() const {
  if (!known || state < IPP_JSTATE_PENDING || state > IPP_JSTATE_COMPLETED || state == IPP_JSTATE_CANCELED ||
      state == IPP_JSTATE_ABORTED)
    return false;
  if (documents >= 0) return documents > 0;
  return !reasons.contains(QStringLiteral("job-incoming"));
}

bool JobState::heldForCredentials() const {
  return known && state == IPP_JSTATE_HELD && reasons.contains(QStringLiteral("cups-held-for-authentication"));
}

bool QueueState::unreachable() const {
  for (const QString& reason : reasons)
    if (reason.startsWith(QStringLiteral("offline")) || reason.endsWith(QStringLiteral("-error"))) return true;
  for (const QString& words : UnreachableWords())
    if (message.contains(words)) return true;
  return false;
}

JobState AskJobState(ServerLink& link, const char* printerUri, int job) {
  const IppAnswer answer =
      AskAttributes(link, printerUri, job, {"job-state", "job-state-reasons", "number-of-documents"});
  return {answer.ipp != nullptr, answer.number("job-state"), answer.texts("job-state-reasons"),
          answer.number("number-of-documents")};
}

QueueState AskQueue(ServerLink& link, const char* printerUri) {
  return FromAnswer(
      AskAttributes(link, printerUri, 0, {"printer-state", "printer-state-message", "printer-state-reasons"}));
}

QString QueueReason(ServerLink& link, const char* printerUri) {
  return FromAnswer(AskAttributes(link, printerUri, 0, {"printer-state-message"})).message;
}

void CancelJob(ServerLink& link, const char* printerUri, int job) {
  if (link.http() && printerUri) Send(link, Request(IPP_OP_CANCEL_JOB, printerUri, job), "/jobs/");
}

QStringList CredentialsAskedFor(ServerLink& link, const char* printerUri) {
  const QStringList asked = AskAttributes(link, printerUri, 0, {"auth-info-required"}).texts("auth-info-required");
  for (const QString& kind : asked)
    if (kind != QStringLiteral("username") && kind != QStringLiteral("password")) return {};
  return asked;
}

bool Authenticate(ServerLink& link, const char* printerUri, int job, const QStringList& asked,
                  const Credentials& given) {
  std::vector<QByteArray> values;
  for (const QString& kind : asked)
    values.push_back((kind == QStringLiteral("username") ? given.user : given.password).toUtf8());
  std::vector<const char*> texts;
  for (const QByteArray& value : values) texts.push_back(value.constData());
  ipp_t* request = Request(IPP_OP_CUPS_AUTHENTICATE_JOB, printerUri, job);
  ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_TEXT, "auth-info", static_cast<int>(texts.size()), nullptr,
                texts.data());
  return Send(link, request, "/jobs/").ipp != nullptr;
}

}  // namespace vitayear::ui
