#include "cups_library.h"

#include <QLibrary>

namespace vitayear::ui {
namespace {

template <class Function>
void Resolve(QLibrary& library, Function& function, const char* name) {
  function = reinterpret_cast<Function>(library.resolve(name));
}

CupsLibrary Open() {
  CupsLibrary cups;
  QLibrary library(QStringLiteral("cups"), 2);
  if (!library.load()) return cups;  // stays loaded for the rest of the run
  Resolve(library, cups.lastErrorString, "cupsLastErrorString");
  Resolve(library, cups.getNamedDest, "cupsGetNamedDest");
  Resolve(library, cups.freeDests, "cupsFreeDests");
  Resolve(library, cups.getOption, "cupsGetOption");
  Resolve(library, cups.copyDestInfo, "cupsCopyDestInfo");
  Resolve(library, cups.freeDestInfo, "cupsFreeDestInfo");
  Resolve(library, cups.findDestDefault, "cupsFindDestDefault");
  Resolve(library, cups.getCollection, "ippGetCollection");
  Resolve(library, cups.findAttribute, "ippFindAttribute");
  Resolve(library, cups.getInteger, "ippGetInteger");
  Resolve(library, cups.createDestJob, "cupsCreateDestJob");
  Resolve(library, cups.startDestDocument, "cupsStartDestDocument");
  Resolve(library, cups.writeRequestData, "cupsWriteRequestData");
  Resolve(library, cups.finishDestDocument, "cupsFinishDestDocument");
  Resolve(library, cups.server, "cupsServer");
  Resolve(library, cups.encryption, "cupsEncryption");
  Resolve(library, cups.port, "ippPort");
  Resolve(library, cups.connect, "httpConnect2");
  Resolve(library, cups.setTimeout, "httpSetTimeout");
  Resolve(library, cups.status, "httpGetStatus");
  Resolve(library, cups.close, "httpClose");
  Resolve(library, cups.reconnect, "httpReconnect2");
  Resolve(library, cups.getFd, "httpGetFd");
  Resolve(library, cups.addrGetList, "httpAddrGetList");
  Resolve(library, cups.addrFreeList, "httpAddrFreeList");
  Resolve(library, cups.lastError, "cupsLastError");
  Resolve(library, cups.setPasswordCB2, "cupsSetPasswordCB2");
  Resolve(library, cups.setUser, "cupsSetUser");
  Resolve(library, cups.user, "cupsUser");
  Resolve(library, cups.setServer, "cupsSetServer");
  Resolve(library, cups.setEncryption, "cupsSetEncryption");
  Resolve(library, cups.newRequest, "ippNewRequest");
  Resolve(library, cups.addString, "ippAddString");
  Resolve(library, cups.addStrings, "ippAddStrings");
  Resolve(library, cups.addInteger, "ippAddInteger");
  Resolve(library, cups.doRequest, "cupsDoRequest");
  Resolve(library, cups.deleteIpp, "ippDelete");
  Resolve(library, cups.getString, "ippGetString");
  Resolve(library, cups.getCount, "ippGetCount");
  Resolve(library, cups.getDestMediaByName, "cupsGetDestMediaByName");
  Resolve(library, cups.getDestMediaByIndex, "cupsGetDestMediaByIndex");
  Resolve(library, cups.getDestMediaCount, "cupsGetDestMediaCount");
  Resolve(library, cups.pwgMediaForPWG, "pwgMediaForPWG");
  Resolve(library, cups.pwgMediaForLegacy, "pwgMediaForLegacy");
  Resolve(library, cups.pwgMediaForPPD, "pwgMediaForPPD");
  Resolve(library, cups.langDefault, "cupsLangDefault");
  Resolve(library, cups.langString, "_cupsLangString");
  return cups;
}

}  // namespace

bool CupsLibrary::loaded() const {
  const auto all = [](auto... functions) { return (... && (functions != nullptr)); };
  return all(lastErrorString, getNamedDest, freeDests, getOption, copyDestInfo, freeDestInfo, findDestDefault,
             getCollection, findAttribute, getInteger, createDestJob, startDestDocument, writeRequestData,
             finishDestDocument, server, encryption, port, connect, setTimeout, status, close, reconnect, getFd,
             addrGetList, addrFreeList, lastError, setPasswordCB2, setUser, user, setServer, setEncryption, newRequest,
             addString, addStrings, addInteger, doRequest, deleteIpp, getString, getCount, getDestMediaByName,
             getDestMediaByIndex, getDestMediaCount, pwgMediaForPWG, pwgMediaForLegacy, pwgMediaForPPD);
}

const CupsLibrary& Cups() {
  static const CupsLibrary cups = Open();
  return cups;
}

}  // namespace vitayear::ui
