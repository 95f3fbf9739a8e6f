#include "contract/engine_wire.h"

namespace tessaro::wire {

std::optional<std::string> EncodeFrame(const Fields& fields) {
  std::string body;
  for (const std::string& field : fields) {
    body += field;
    body += '\0';
  }
  if (body.size() > kMaxBody) return std::nullopt;
  const auto size = static_cast<std::uint32_t>(body.size());
  std::string frame{static_cast<char>(size >> 24), static_cast<char>(size >> 16), static_cast<char>(size >> 8),
                    static_cast<char>(size)};
  return frame + body;
}

std::uint32_t BodySize(const unsigned char (&header)[kHeaderSize]) {
  return std::uint32_t{header[0]} << 24 | std::uint32_t{header[1]} << 16 | std::uint32_t{header[2]} << 8 | header[3];
}

std::optional<Fields> DecodeBody(const std::string& body) {
  if (!body.empty() && body.back() != '\0') return std::nullopt;
  Fields fields;
  std::size_t start = 0;
  while (start < body.size()) {
    const std::size_t end = body.find('\0', start);
    fields.push_back(body.substr(start, end - start));
    start = end + 1;
  }
  return fields;
}

}  // namespace tessaro::wire
