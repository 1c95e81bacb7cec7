// libcups, opened on the first Print rather than linked: linking it loads it
// and the TLS, Kerberos and Avahi libraries behind it at every start, which
// cost a tenth of the start-up time and 3 MiB of memory.
#pragma once

#include <cups/cups.h>

namespace vitayear::ui {

struct CupsLibrary {
  decltype(&::cupsLastErrorString) lastErrorString = nullptr;
  decltype(&::cupsGetNamedDest) getNamedDest = nullptr;
  decltype(&::cupsFreeDests) freeDests = nullptr;
  decltype(&::cupsGetOption) getOption = nullptr;
  decltype(&::cupsCopyDestInfo) copyDestInfo = nullptr;
  decltype(&::cupsFreeDestInfo) freeDestInfo = nullptr;
  decltype(&::cupsFindDestDefault) findDestDefault = nullptr;
  decltype(&::ippGetCollection) getCollection = nullptr;
  decltype(&::ippFindAttribute) findAttribute = nullptr;
  decltype(&::ippGetInteger) getInteger = nullptr;
  decltype(&::cupsCreateDestJob) createDestJob = nullptr;
  decltype(&::cupsStartDestDocument) startDestDocument = nullptr;
  decltype(&::cupsWriteRequestData) writeRequestData = nullptr;
  decltype(&::cupsFinishDestDocument) finishDestDocument = nullptr;
  decltype(&::cupsServer) server = nullptr;
  decltype(&::cupsEncryption) encryption = nullptr;
  decltype(&::ippPort) port = nullptr;
  decltype(&::httpConnect2) connect = nullptr;
  decltype(&::httpSetTimeout) setTimeout = nullptr;
  decltype(&::httpGetStatus) status = nullptr;
  decltype(&::httpClose) close = nullptr;
  decltype(&::httpReconnect2) reconnect = nullptr;
  decltype(&::httpGetFd) getFd = nullptr;
  decltype(&::httpAddrGetList) addrGetList = nullptr;
  decltype(&::httpAddrFreeList) addrFreeList = nullptr;
  decltype(&::cupsLastError) lastError = nullptr;
  decltype(&::cupsSetPasswordCB2) setPasswordCB2 = nullptr;
  decltype(&::cupsSetUser) setUser = nullptr;
  decltype(&::cupsUser) user = nullptr;
  decltype(&::cupsSetServer) setServer = nullptr;
  decltype(&::cupsSetEncryption) setEncryption = nullptr;
  decltype(&::ippNewRequest) newRequest = nullptr;
  decltype(&::ippAddString) addString = nullptr;
  decltype(&::ippAddStrings) addStrings = nullptr;
  decltype(&::ippAddInteger) addInteger = nullptr;
  decltype(&::cupsDoRequest) doRequest = nullptr;
  decltype(&::ippDelete) deleteIpp = nullptr;
  decltype(&::ippGetString) getString = nullptr;
  decltype(&::ippGetCount) getCount = nullptr;
  decltype(&::cupsGetDestMediaByName) getDestMediaByName = nullptr;
  decltype(&::cupsGetDestMediaByIndex) getDestMediaByIndex = nullptr;
  decltype(&::cupsGetDestMediaCount) getDestMediaCount = nullptr;
  decltype(&::pwgMediaForPWG) pwgMediaForPWG = nullptr;
  decltype(&::pwgMediaForLegacy) pwgMediaForLegacy = nullptr;
  decltype(&::pwgMediaForPPD) pwgMediaForPPD = nullptr;
  // Optional: CUPS's own words in the language of this thread's requests
  // (libcups exports the lookup without declaring it); null where missing.
  decltype(&::cupsLangDefault) langDefault = nullptr;
  const char* (*langString)(cups_lang_t* language, const char* message) = nullptr;

  bool loaded() const;
};

// Opened once; loaded() is false when the library or a function is missing.
const CupsLibrary& Cups();

}  // namespace vitayear::ui
