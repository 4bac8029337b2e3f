// The calling thread's connection, kept in a process-wide registry keyed by thread. Connections
// are closed by Close (the calling thread's) or CloseAll, which the library runs when it may be
// unloaded; never by a thread-local or static destructor, which would disconnect under the loader
// lock. A thread that ends keeps its connection in the registry until then.
#include "ThreadConnection.h"

#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "OdbcConnection.h"
#include "com/NeverDestroyed.h"

namespace talvo::translators::informix {
namespace {

struct Registry {
  std::mutex mutex;
  std::map<std::thread::id, std::unique_ptr<OdbcConnection>> connections;
};

Registry& TheRegistry() {
  static com::NeverDestroyed<Registry> registry;
  return registry.get();
}

// The calling thread's connection, opened on first use. Only its own thread uses it, so it is
// used outside the registry's lock.
OdbcConnection& Opened() {
  Registry& registry = TheRegistry();
  const std::thread::id self = std::this_thread::get_id();
  {
    std::lock_guard<std::mutex> lock(registry.mutex);
    auto found = registry.connections.find(self);
    if (found != registry.connections.end() && found->second) return *found->second;
  }
  auto opened = std::make_unique<OdbcConnection>(kDataSource);
  std::lock_guard<std::mutex> lock(registry.mutex);
  auto& slot = registry.connections[self];
  slot = std::move(opened);
  return *slot;
}

}  // namespace

std::vector<Number> ThreadConnection::Query(std::u16string_view sql, int columns) {
  return Opened().Query(sql, columns);
}

void ThreadConnection::Execute(std::u16string_view sql) { Opened().Execute(sql); }

bool ThreadConnection::Connected() noexcept {
  Registry& registry = TheRegistry();
  std::lock_guard<std::mutex> lock(registry.mutex);
  return registry.connections.count(std::this_thread::get_id()) != 0;
}

void ThreadConnection::Close() noexcept {
  std::unique_ptr<OdbcConnection> closing;
  Registry& registry = TheRegistry();
  {
    std::lock_guard<std::mutex> lock(registry.mutex);
    auto found = registry.connections.find(std::this_thread::get_id());
    if (found == registry.connections.end()) return;
    closing = std::move(found->second);
    registry.connections.erase(found);
  }
}

void ThreadConnection::CloseAll() noexcept {
  std::map<std::thread::id, std::unique_ptr<OdbcConnection>> closing;
  Registry& registry = TheRegistry();
  {
    std::lock_guard<std::mutex> lock(registry.mutex);
    closing.swap(registry.connections);
  }
  // Disconnected here, outside the registry's lock.
}

std::size_t ThreadConnection::OpenCount() noexcept {
  Registry& registry = TheRegistry();
  std::lock_guard<std::mutex> lock(registry.mutex);
  return registry.connections.size();
}

}  // namespace talvo::translators::informix
