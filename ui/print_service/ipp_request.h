// Requests to the print server about a job or a queue, as the printing user,
// and the attributes of its answers.
#pragma once

#include <QString>
#include <QStringList>
#include <initializer_list>
#include <utility>

#include "server_link.h"

namespace vitayear::ui {

// The server's answer; empty when it refused the request or gave none.
class IppAnswer {
 public:
  IppAnswer() = default;
  explicit IppAnswer(ipp_t* ipp) : ipp_(ipp) {}
  ~IppAnswer();
  IppAnswer(IppAnswer&& other) noexcept : ipp_(std::exchange(other.ipp_, nullptr)) {}
  IppAnswer& operator=(IppAnswer&&) = delete;
  IppAnswer(const IppAnswer&) = delete;
  IppAnswer& operator=(const IppAnswer&) = delete;

  bool given() const { return ipp_ != nullptr; }
  // The first value of an integer or enum attribute; -1 when missing.
  int number(const char* name) const;
  // Every value of a text or keyword attribute.
  QStringList texts(const char* name) const;

 private:
  ipp_t* ipp_ = nullptr;
};

// A request about a job (job > 0) or a queue, as the printing user.
ipp_t* IppRequest(ipp_op_t operation, const char* printerUri, int job);

// Sends it, which frees it.
IppAnswer SendRequest(ServerLink& link, ipp_t* request, const char* resource);

// The attributes `wanted` of a job (job > 0) or of the queue.
IppAnswer AskAttributes(ServerLink& link, const char* printerUri, int job, std::initializer_list<const char*> wanted);

}  // namespace vitayear::ui
