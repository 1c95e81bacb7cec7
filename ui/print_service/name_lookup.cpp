#include "name_lookup.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "cups_library.h"

namespace vitayear::ui {
namespace {

using namespace std::chrono_literals;

std::atomic<NameLookup> lookupFunction{nullptr};

struct Lookup {
  std::mutex mutex;
  std::condition_variable done;
  bool finished = false;
  bool late = false;
  http_addrlist_t* addresses = nullptr;
};

}  // namespace

void SetNameLookup(NameLookup lookup) { lookupFunction = lookup; }

http_addrlist_t* LookUpName(const QByteArray& host, int port, const std::function<bool()>& goOn) {
  auto lookup = std::make_shared<Lookup>();
  NameLookup function = lookupFunction.load();
  if (!function) function = Cups().addrGetList;
  std::thread([lookup, function, host, service = QByteArray::number(port)] {
    http_addrlist_t* found = function(host.constData(), AF_UNSPEC, service.constData());
    std::lock_guard lock(lookup->mutex);
    if (lookup->late) {
      if (found) Cups().addrFreeList(found);
      return;
    }
    lookup->addresses = found;
    lookup->finished = true;
    lookup->done.notify_all();
  }).detach();
  std::unique_lock lock(lookup->mutex);
  while (!lookup->finished && goOn()) lookup->done.wait_for(lock, 50ms);
  if (!lookup->finished) lookup->late = true;
  return lookup->addresses;
}

}  // namespace vitayear::ui
