#include "files/zip_archive.h"

#include "engine_error.h"

#include <zlib.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <utility>

namespace tessaro {

namespace {

constexpr uint32_t kLocalHeader = 0x04034b50;
constexpr uint32_t kCentralHeader = 0x02014b50;
constexpr uint32_t kEnd = 0x06054b50;
constexpr size_t kLocalHeaderSize = 30, kCentralHeaderSize = 46, kEndSize = 22;
constexpr uint16_t kStored = 0, kDeflated = 8;
constexpr uint16_t kEncrypted = 1, kSizesAfterData = 1 << 3;

EngineError damaged(const std::string& path, const std::string& why)
{
    return EngineError("压缩包无法读取 (zip " + why + "): " + path);
}

class Reader {
public:
    Reader(const std::string& bytes, const std::string& path) : bytes_(bytes), path_(path) {}

    uint16_t u16(size_t at) const
    {
        need(at, 2);
        return static_cast<uint16_t>(byte(at) | byte(at + 1) << 8);
    }
    uint32_t u32(size_t at) const
    {
        need(at, 4);
        return static_cast<uint32_t>(byte(at)) | static_cast<uint32_t>(byte(at + 1)) << 8 |
               static_cast<uint32_t>(byte(at + 2)) << 16 | static_cast<uint32_t>(byte(at + 3)) << 24;
    }
    std::string text(size_t at, size_t length) const
    {
        need(at, length);
        return bytes_.substr(at, length);
    }
    void need(size_t at, size_t length) const
    {
        if (at > bytes_.size() || length > bytes_.size() - at)
            throw damaged(path_, "truncated");
    }

private:
    uint32_t byte(size_t at) const { return static_cast<unsigned char>(bytes_[at]); }

    const std::string& bytes_;
    const std::string& path_;
};

void put16(std::string& out, uint32_t value)
{
    out += static_cast<char>(value & 0xff);
    out += static_cast<char>(value >> 8 & 0xff);
}

void put32(std::string& out, uint32_t value)
{
    put16(out, value & 0xffff);
    put16(out, value >> 16);
}

uint32_t crcOf(const std::string& bytes)
{
    return static_cast<uint32_t>(
        crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

std::string inflated(const std::string& data, uint32_t size, const std::string& path)
{
    std::string out(size, '\0');
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
        throw damaged(path, "inflate");
    const std::unique_ptr<z_stream, int (*)(z_stream*)> end(&stream, inflateEnd);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = size;
    if (inflate(&stream, Z_FINISH) != Z_STREAM_END || stream.total_out != size)
        throw damaged(path, "data");
    return out;
}

std::string deflated(const std::string& contents)
{
    z_stream stream{};
    if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw EngineError("压缩失败 (deflate)");
    const std::unique_ptr<z_stream, int (*)(z_stream*)> end(&stream, deflateEnd);
    std::string out(deflateBound(&stream, static_cast<uLong>(contents.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(contents.data()));
    stream.avail_in = static_cast<uInt>(contents.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    if (deflate(&stream, Z_FINISH) != Z_STREAM_END)
        throw EngineError("压缩失败 (deflate)");
    out.resize(stream.total_out);
    return out;
}

}  // namespace

ZipArchive::ZipArchive(const std::string& path) : path_(path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw EngineError("无法打开文件 (cannot open): " + path);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const Reader file(bytes, path);
    if (bytes.size() < kEndSize)
        throw damaged(path, "too short");
    // The end record closes the file, followed only by a comment of up to 64 KiB.
    size_t end = bytes.size() - kEndSize;
    while (file.u32(end) != kEnd) {
        if (end == 0 || bytes.size() - end > kEndSize + 0xffff)
            throw damaged(path, "no directory");
        --end;
    }
    const uint16_t count = file.u16(end + 10);
    size_t at = file.u32(end + 16);
    if (count == 0xffff || at == 0xffffffff)
        throw damaged(path, "zip64");
    for (uint16_t i = 0; i < count; ++i) {
        if (file.u32(at) != kCentralHeader)
            throw damaged(path, "directory");
        Entry e;
        e.madeBy = file.u16(at + 4);
        e.needed = file.u16(at + 6);
        e.flags = file.u16(at + 8);
        e.method = file.u16(at + 10);
        e.time = file.u16(at + 12);
        e.date = file.u16(at + 14);
        e.crc = file.u32(at + 16);
        const uint32_t stored = file.u32(at + 20);
        e.size = file.u32(at + 24);
        const uint16_t nameLength = file.u16(at + 28);
        const size_t skipped = size_t(file.u16(at + 30)) + file.u16(at + 32);
        e.externalAttributes = file.u32(at + 38);
        const uint32_t local = file.u32(at + 42);
        e.name = file.text(at + kCentralHeaderSize, nameLength);
        if (e.flags & kEncrypted)
            throw damaged(path, "encrypted");
        if (e.method != kStored && e.method != kDeflated)
            throw damaged(path, "method");
        if (stored == 0xffffffff || e.size == 0xffffffff || local == 0xffffffff)
            throw damaged(path, "zip64");
        if (file.u32(local) != kLocalHeader)
            throw damaged(path, "entry");
        const size_t data = local + kLocalHeaderSize + file.u16(local + 26) + file.u16(local + 28);
        e.data = file.text(data, stored);
        entries_.push_back(std::move(e));
        at += kCentralHeaderSize + nameLength + skipped;
    }
}

std::vector<std::string> ZipArchive::names() const
{
    std::vector<std::string> names;
    for (const Entry& e : entries_)
        names.push_back(e.name);
    return names;
}

const ZipArchive::Entry& ZipArchive::entry(const std::string& name) const
{
    for (const Entry& e : entries_)
        if (e.name == name)
            return e;
    throw damaged(path_, "no entry " + name);
}

ZipArchive::Entry& ZipArchive::entry(const std::string& name)
{
    return const_cast<Entry&>(std::as_const(*this).entry(name));
}

std::string ZipArchive::read(const std::string& name) const
{
    const Entry& e = entry(name);
    std::string contents = e.method == kStored ? e.data : inflated(e.data, e.size, path_);
    if (contents.size() != e.size || crcOf(contents) != e.crc)
        throw damaged(path_, "checksum of " + name);
    return contents;
}

void ZipArchive::replace(const std::string& name, const std::string& contents)
{
    Entry& e = entry(name);
    e.crc = crcOf(contents);
    e.size = static_cast<uint32_t>(contents.size());
    e.data = e.method == kStored ? contents : deflated(contents);
}

void ZipArchive::write(const std::string& path) const
{
    std::string out, directory;
    for (const Entry& e : entries_) {
        const auto header = [&](std::string& to, bool central, uint32_t offset) {
            put32(to, central ? kCentralHeader : kLocalHeader);
            if (central)
                put16(to, e.madeBy);
            put16(to, e.needed);
            // Sizes are written before the data, so none follow it.
            put16(to, e.flags & ~kSizesAfterData);
            put16(to, e.method);
            put16(to, e.time);
            put16(to, e.date);
            put32(to, e.crc);
            put32(to, static_cast<uint32_t>(e.data.size()));
            put32(to, e.size);
            put16(to, static_cast<uint32_t>(e.name.size()));
            put16(to, 0);  // no extra field
            if (central) {
                put16(to, 0);  // comment
                put16(to, 0);  // disk
                put16(to, 0);  // internal attributes
                put32(to, e.externalAttributes);
                put32(to, offset);
            }
            to += e.name;
        };
        header(directory, true, static_cast<uint32_t>(out.size()));
        header(out, false, 0);
        out += e.data;
    }
    if (out.size() + directory.size() > 0xffffffff)
        throw EngineError("保存失败 (too large for a zip without zip64): " + path);
    const auto directoryAt = static_cast<uint32_t>(out.size());
    out += directory;
    put32(out, kEnd);
    put16(out, 0);
    put16(out, 0);
    put16(out, static_cast<uint32_t>(entries_.size()));
    put16(out, static_cast<uint32_t>(entries_.size()));
    put32(out, static_cast<uint32_t>(directory.size()));
    put32(out, directoryAt);
    put16(out, 0);

    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        throw EngineError("保存失败 (cannot write): " + path + ": " + std::strerror(errno));
    const bool written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    if (std::fclose(file) != 0 || !written)
        throw EngineError("保存失败 (cannot write): " + path + ": " + std::strerror(errno));
}

}  // namespace tessaro
