// What the Word server and the engine say to each other, and how it is
// framed: a 4-byte big-endian length, then that many bytes of UTF-8 fields,
// each one followed by a NUL byte (no path or message holds a NUL, so nothing
// needs escaping). The call channel between the program's proxy and the Word
// server frames its messages the same way. Plain C++, compiled by both
// toolchains; engine/PROTOCOL.md describes each request.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessaro::wire {

using Fields = std::vector<std::string>;

inline constexpr std::size_t kHeaderSize = 4;
// Neither side writes or reads a longer body.
inline constexpr std::size_t kMaxBody = 1 << 20;

// The frame of `fields`; nothing when its body would be longer than kMaxBody.
std::optional<std::string> EncodeFrame(const Fields& fields);
// The body's length a header announces.
std::uint32_t BodySize(const unsigned char (&header)[kHeaderSize]);
// The fields of a body; nothing when it is not a list of NUL-ended fields.
std::optional<Fields> DecodeBody(const std::string& body);

// The engine's greeting carries this; a server that speaks another refuses it.
inline constexpr char kProtocolVersion[] = "1";

// The requests, by the name that starts their frame.
namespace request {
inline constexpr char kHello[] = "hello";
inline constexpr char kOpen[] = "open";
inline constexpr char kAdd[] = "add";
inline constexpr char kHome[] = "home";
inline constexpr char kEndKey[] = "end_key";
inline constexpr char kInsertBreak[] = "insert_break";
inline constexpr char kInsertFile[] = "insert_file";
inline constexpr char kPageCount[] = "page_count";
inline constexpr char kUpdateFields[] = "update_fields";
inline constexpr char kSaveAs[] = "save_as";
inline constexpr char kPrint[] = "print";
inline constexpr char kClose[] = "close";
inline constexpr char kFullName[] = "full_name";
inline constexpr char kText[] = "text";
inline constexpr char kCurrentPage[] = "current_page";
inline constexpr char kNextPage[] = "next_page";
inline constexpr char kCopy[] = "copy";
inline constexpr char kPaste[] = "paste";
inline constexpr char kSavePages[] = "save_pages";
inline constexpr char kSavePage[] = "save_page";
inline constexpr char kCutAhead[] = "cut_ahead";
inline constexpr char kShow[] = "show";
inline constexpr char kSplit[] = "split";
inline constexpr char kQuit[] = "quit";
}  // namespace request

// The first field of a reply.
namespace reply {
inline constexpr char kReady[] = "ready";
inline constexpr char kOk[] = "ok";
inline constexpr char kError[] = "error";
// Follows an error after which the engine's session cannot go on.
inline constexpr char kEnded[] = "ended";
}  // namespace reply

}  // namespace tessaro::wire
