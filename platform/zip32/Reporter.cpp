// Every call hands the callback a buffer of its own, so a callback that writes into it harms nothing.
#include "Reporter.h"

#include <cstring>
#include <vector>

#include "Failure.h"

namespace zip32 {

void Reporter::Print(const std::string& message) const {
  if (quiet_ || !callbacks_.PrintCallback) return;
  std::vector<char> buffer(message.begin(), message.end());
  buffer.push_back('\0');
  callbacks_.PrintCallback(buffer.data(), static_cast<unsigned long>(message.size()));
}

bool Reporter::ServiceAsksToStop(const std::string& name, unsigned long long size) const {
  if (!callbacks_.ServiceCallback) return false;
  std::vector<char> buffer(name.begin(), name.end());
  buffer.push_back('\0');
  const unsigned long reported = size > 0xFFFFFFFFull ? 0xFFFFFFFFul : static_cast<unsigned long>(size);
  return callbacks_.ServiceCallback(buffer.data(), reported) != 0;
}

std::optional<std::string> Reporter::AskComment() const {
  if (!callbacks_.CommentCallback) return std::nullopt;
  char buffer[256] = {};
  callbacks_.CommentCallback(buffer);
  const void* end = std::memchr(buffer, '\0', sizeof buffer);
  if (!end) throw Failure(InvalidComment);
  const std::size_t length = static_cast<const char*>(end) - buffer;
  if (length == 0) return std::nullopt;
  return std::string(buffer, length);
}

}  // namespace zip32
