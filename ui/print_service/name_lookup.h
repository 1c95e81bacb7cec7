// The print server's name looked up on a thread of its own, within a bound.
#pragma once

#include <QByteArray>
#include <functional>

struct http_addrlist_s;  // libcups's http_addrlist_t

namespace vitayear::ui {

// Looks a host name up; replaceable so that a test can make lookups hang.
using NameLookup = http_addrlist_s* (*)(const char* host, int family, const char* service);
void SetNameLookup(NameLookup lookup);

// The addresses of `host`, or null when it has none or `goOn` turned false
// first: nothing can interrupt a resolver that does not answer, so a late
// lookup is left to finish alone and frees what it finds.
http_addrlist_s* LookUpName(const QByteArray& host, int port, const std::function<bool()>& goOn);

}  // namespace vitayear::ui
