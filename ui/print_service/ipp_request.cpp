#include "ipp_request.h"

namespace vitayear::ui {

IppAnswer::~IppAnswer() {
  if (ipp_) Cups().deleteIpp(ipp_);
}

int IppAnswer::number(const char* name) const {
  ipp_attribute_t* a = ipp_ ? Cups().findAttribute(ipp_, name, IPP_TAG_ZERO) : nullptr;
  return a ? Cups().getInteger(a, 0) : -1;
}

QStringList IppAnswer::texts(const char* name) const {
  QStringList all;
  ipp_attribute_t* a = ipp_ ? Cups().findAttribute(ipp_, name, IPP_TAG_ZERO) : nullptr;
  for (int i = 0; a && i < Cups().getCount(a); ++i)
    if (const char* text = Cups().getString(a, i, nullptr)) all.append(QString::fromUtf8(text));
  return all;
}

ipp_t* IppRequest(ipp_op_t operation, const char* printerUri, int job) {
  const CupsLibrary& cups = Cups();
  ipp_t* request = cups.newRequest(operation);
  cups.addString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, printerUri);
  if (job > 0) cups.addInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job);
  cups.addString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cups.user());
  return request;
}

IppAnswer SendRequest(ServerLink& link, ipp_t* request, const char* resource) {
  const CupsLibrary& cups = Cups();
  ipp_t* answer = cups.doRequest(link.http(), request, resource);
  if (answer && cups.lastError() > IPP_STATUS_OK_EVENTS_COMPLETE) {
    cups.deleteIpp(answer);
    answer = nullptr;
  }
  return IppAnswer(answer);
}

IppAnswer AskAttributes(ServerLink& link, const char* printerUri, int job, std::initializer_list<const char*> wanted) {
  if (!link.http() || !printerUri) return {};
  ipp_t* request = IppRequest(job > 0 ? IPP_OP_GET_JOB_ATTRIBUTES : IPP_OP_GET_PRINTER_ATTRIBUTES, printerUri, job);
  Cups().addStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                    static_cast<int>(wanted.size()), nullptr, wanted.begin());
  return SendRequest(link, request, "/");
}

}  // namespace vitayear::ui
