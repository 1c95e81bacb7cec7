#include "job_credentials.h"

#include <chrono>
#include <thread>
#include <vector>

#include "ipp_request.h"

namespace vitayear::ui {
namespace {

using namespace std::chrono_literals;

// What the queue's backend asks for, when the operator can answer it: a user
// name and a password (not a Kerberos ticket, not a domain of its own).
QStringList CredentialsAskedFor(ServerLink& link, const char* printerUri) {
  const QStringList asked = AskAttributes(link, printerUri, 0, {"auth-info-required"}).texts("auth-info-required");
  for (const QString& kind : asked)
    if (kind != QStringLiteral("username") && kind != QStringLiteral("password")) return {};
  return asked;
}

// Hands the credentials to the spooler for the held job, which releases it.
bool Authenticate(ServerLink& link, const char* printerUri, int job, const QStringList& asked,
                  const Credentials& given) {
  std::vector<QByteArray> values;
  for (const QString& kind : asked)
    values.push_back((kind == QStringLiteral("username") ? given.user : given.password).toUtf8());
  std::vector<const char*> texts;
  for (const QByteArray& value : values) texts.push_back(value.constData());
  ipp_t* request = IppRequest(IPP_OP_CUPS_AUTHENTICATE_JOB, printerUri, job);
  Cups().addStrings(request, IPP_TAG_OPERATION, IPP_TAG_TEXT, "auth-info", static_cast<int>(texts.size()), nullptr,
                    texts.data());
  return SendRequest(link, request, "/jobs/").given();
}

}  // namespace

LinkFault WatchForCredentials(ServerLink& link, const char* printerUri, int job, JobState& state) {
  const QStringList asked = CredentialsAskedFor(link, printerUri);
  if (asked.isEmpty()) return LinkFault::None;
  int answers = 0;
  QString user = QString::fromUtf8(Cups().user());
  while (state.known &&
         (state.state == IPP_JSTATE_PENDING || state.state == IPP_JSTATE_PROCESSING || state.heldForCredentials()) &&
         !link.expired()) {
    if (state.heldForCredentials()) {
      // Held for ever otherwise: nobody else is there to answer.
      if (answers == kCredentialAnswers) {
        CancelJob(link, printerUri, job);
        return LinkFault::CredentialsRefused;
      }
      const std::optional<Credentials> given = link.askOperator(user, answers++ > 0);
      if (!given && link.expired()) break;  // the window no longer waits: the page stays
      if (!given) {
        CancelJob(link, printerUri, job);
        return LinkFault::CredentialsCancelled;
      }
      user = given->user;
      if (!Authenticate(link, printerUri, job, asked, *given)) break;
    } else {
      std::this_thread::sleep_for(100ms);
    }
    state = AskJobState(link, printerUri, job);
  }
  return LinkFault::None;
}

}  // namespace vitayear::ui
