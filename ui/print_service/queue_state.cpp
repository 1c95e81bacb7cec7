#include "queue_state.h"

#include "ipp_request.h"

namespace vitayear::ui {

bool QueueState::unreachable() const {
  for (const QString& reason : reasons)
    if (reason.startsWith(QStringLiteral("offline")) || reason.endsWith(QStringLiteral("-error"))) return true;
  static const char* const kWords[] = {"The printer may not exist or is unavailable at this time.",
                                       "The printer is unreachable at this time.", "The printer is not responding.",
                                       "The printer is not connected.", "Unable to locate printer"};
  const CupsLibrary& cups = Cups();
  cups_lang_t* language = cups.langDefault && cups.langString ? cups.langDefault() : nullptr;
  for (const char* words : kWords) {
    if (message.contains(WithoutClosingStop(QString::fromUtf8(words)))) return true;
    if (language && message.contains(WithoutClosingStop(QString::fromUtf8(cups.langString(language, words)))))
      return true;
  }
  return false;
}

namespace {

QueueState FromAnswer(const IppAnswer& answer) {
  QueueState queue;
  queue.known = answer.given();
  queue.state = answer.number("printer-state");
  const QStringList message = answer.texts("printer-state-message");
  if (!message.isEmpty()) queue.message = WithoutClosingStop(message.first());
  queue.reasons = answer.texts("printer-state-reasons");
  queue.reasons.removeAll(QStringLiteral("none"));
  return queue;
}

}  // namespace

QueueState AskQueue(ServerLink& link, const char* printerUri) {
  return FromAnswer(
      AskAttributes(link, printerUri, 0, {"printer-state", "printer-state-message", "printer-state-reasons"}));
}

QString QueueReason(ServerLink& link, const char* printerUri) {
  return FromAnswer(AskAttributes(link, printerUri, 0, {"printer-state-message"})).message;
}

}  // namespace vitayear::ui
