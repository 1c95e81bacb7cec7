#include "job_requests.h"

#include <QFile>
#include <QHash>
#include <vector>

namespace vitayear::ui {
namespace {

using Answer = std::unique_ptr<ipp_t, decltype(&ippDelete)>;

int Number(const Answer& answer, const char* name) {
  ipp_attribute_t* a = answer ? ippFindAttribute(answer.get(), name, IPP_TAG_ZERO) : nullptr;
  return a ? ippGetInteger(a, 0) : -1;
}

QStringList Texts(const Answer& answer, const char* name) {
  QStringList all;
  ipp_attribute_t* a = answer ? ippFindAttribute(answer.get(), name, IPP_TAG_ZERO) : nullptr;
  for (int i = 0; a && i < ippGetCount(a); ++i) all.append(QString::fromUtf8(ippGetString(a, i, nullptr)));
  return all;
}

// A request about a job (job > 0) or a queue, as the printing user.
ipp_t* Request(ipp_op_t operation, const char* printerUri, int job) {
  ipp_t* request = ippNewRequest(operation);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, printerUri);
  if (job > 0) ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
  return request;
}

// Sends and frees it; null when the server refused it or gave no answer.
Answer Send(ServerLink& link, ipp_t* request, const char* resource) {
  Answer answer(cupsDoRequest(link.http, request, resource), &ippDelete);
  if (cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE) answer.reset();
  return answer;
}

Answer AskAttributes(ServerLink& link, const char* printerUri, int job, std::initializer_list<const char*> wanted) {
  if (!link.http || !printerUri) return Answer(nullptr, &ippDelete);
  ipp_t* request = Request(job > 0 ? IPP_OP_GET_JOB_ATTRIBUTES : IPP_OP_GET_PRINTER_ATTRIBUTES, printerUri, job);
  ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", static_cast<int>(wanted.size()),
                nullptr, wanted.begin());
  return Send(link, request, "/");
}

// CUPS's words for a device nobody answers at, in English and, from CUPS's
// own message catalogue, in the language of this thread's requests.
QStringList UnreachableWords() {
  static const char* const kEnglish[] = {"The printer may not exist or is unavailable at this time.",
                                         "The printer is unreachable at this time.", "The printer is not responding.",
                                         "The printer is not connected.", "Unable to locate printer"};
  static std::mutex mutex;
  static QHash<QString, QStringList> known;  // by language
  const cups_lang_t* language = cupsLangDefault();
  const QString name = language ? QString::fromUtf8(language->language) : QString();
  std::lock_guard lock(mutex);
  if (known.contains(name)) return known.value(name);
  QStringList words;
  const QString folder = qEnvironmentVariable("CUPS_LOCALEDIR", QStringLiteral("/usr/share/cups/locale"));
  QFile catalogue(QStringLiteral("%1/%2/cups_%2.po").arg(folder, name));  // "de_DE", else "de"
  if (!catalogue.open(QIODevice::ReadOnly))
    catalogue.setFileName(QStringLiteral("%1/%2/cups_%2.po").arg(folder, name.left(2)));
  const QList<QByteArray> lines =
      catalogue.isOpen() || catalogue.open(QIODevice::ReadOnly) ? catalogue.readAll().split('\n') : QList<QByteArray>();
  for (const char* english : kEnglish) {
    words.append(WithoutClosingStop(QString::fromUtf8(english)));
    const qsizetype at = lines.indexOf(QByteArray("msgid \"") + english + '"');
    if (at >= 0 && at + 1 < lines.size() && lines[at + 1].startsWith("msgstr \"") && lines[at + 1].size() > 9)
      words.append(WithoutClosingStop(QString::fromUtf8(lines[at + 1].mid(8).chopped(1))));
  }
  known.insert(name, words);
  return words;
}

QueueState Queue(const Answer& answer) {
  const QStringList message = Texts(answer, "printer-state-message");
  QueueState queue{answer != nullptr, Number(answer, "printer-state"),
                   message.isEmpty() ? QString() : WithoutClosingStop(message.first()),
                   Texts(answer, "printer-state-reasons")};
  queue.reasons.removeAll(QStringLiteral("none"));
  return queue;
}

}  // namespace

bool JobState::holdsThePage() const {
  if (!known || state < IPP_JSTATE_PENDING || state > IPP_JSTATE_COMPLETED || state == IPP_JSTATE_CANCELED ||
      state == IPP_JSTATE_ABORTED)
    return false;
  return documents >= 0 ? documents > 0 : !reasons.contains(QStringLiteral("job-incoming"));
}

bool JobState::heldForCredentials() const {
  return known && state == IPP_JSTATE_HELD && reasons.contains(QStringLiteral("cups-held-for-authentication"));
}

bool BackendRetrying(const JobState& job, const QueueState& queue) {
  return job.known && job.state == IPP_JSTATE_PROCESSING && !job.printerMessage.isEmpty() && !queue.message.isEmpty() &&
         job.printerMessage != queue.message;
}

bool QueueState::unreachable() const {
  for (const QString& reason : reasons)
    if (reason.startsWith(QStringLiteral("offline")) || reason.endsWith(QStringLiteral("-error"))) return true;
  for (const QString& words : UnreachableWords())
    if (message.contains(words)) return true;
  return false;
}

JobState AskJobState(ServerLink& link, const char* printerUri, int job) {
  const Answer answer = AskAttributes(
      link, printerUri, job, {"job-state", "job-state-reasons", "number-of-documents", "job-printer-state-message"});
  const QStringList message = Texts(answer, "job-printer-state-message");
  return {answer != nullptr, Number(answer, "job-state"), Texts(answer, "job-state-reasons"),
          Number(answer, "number-of-documents"), message.isEmpty() ? QString() : WithoutClosingStop(message.first())};
}

QueueState AskQueue(ServerLink& link, const char* printerUri) {
  return Queue(AskAttributes(link, printerUri, 0, {"printer-state", "printer-state-message", "printer-state-reasons"}));
}

QString QueueReason(ServerLink& link, const char* printerUri) {
  return Queue(AskAttributes(link, printerUri, 0, {"printer-state-message"})).message;
}

void CancelJob(ServerLink& link, const char* printerUri, int job) {
  if (link.http && printerUri) Send(link, Request(IPP_OP_CANCEL_JOB, printerUri, job), "/jobs/");
}

QStringList CredentialsAskedFor(ServerLink& link, const char* printerUri) {
  const QStringList asked = Texts(AskAttributes(link, printerUri, 0, {"auth-info-required"}), "auth-info-required");
  if (asked.isEmpty() || asked == QStringList{QStringLiteral("none")})
    return {QStringLiteral("username"), QStringLiteral("password")};
  for (const QString& kind : asked)
    if (kind != QStringLiteral("username") && kind != QStringLiteral("password")) return {};
  return asked;
}

bool Authenticate(ServerLink& link, const char* printerUri, int job, const QStringList& asked,
                  const Credentials& given) {
  std::vector<QByteArray> values;
  std::vector<const char*> texts;
  for (const QString& kind : asked)
    values.push_back((kind == QStringLiteral("username") ? given.user : given.password).toUtf8());
  for (const QByteArray& value : values) texts.push_back(value.constData());
  ipp_t* request = Request(IPP_OP_CUPS_AUTHENTICATE_JOB, printerUri, job);
  ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_TEXT, "auth-info", static_cast<int>(texts.size()), nullptr,
                texts.data());
  return Send(link, request, "/jobs/") != nullptr;
}

}  // namespace vitayear::ui
