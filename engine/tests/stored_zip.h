#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tessaro::test {

// CRC-32 as zip and PNG use it.
inline uint32_t crc32Of(const std::string& bytes)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char c : bytes) {
        crc ^= c;
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A zip archive of uncompressed entries, which is all a .docx needs to be.
inline std::string storedZip(const std::vector<std::pair<std::string, std::string>>& entries)
{
    std::string archive, directory;
    auto put = [](std::string& out, uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out += static_cast<char>((value >> (8 * i)) & 0xff);
    };
    for (const auto& [name, data] : entries) {
        const uint32_t offset = static_cast<uint32_t>(archive.size());
        const uint32_t crc = crc32Of(data), size = static_cast<uint32_t>(data.size());
        put(archive, 0x04034b50, 4);
        put(archive, 20, 2), put(archive, 0, 2), put(archive, 0, 2), put(archive, 0, 4);
        put(archive, crc, 4), put(archive, size, 4), put(archive, size, 4);
        put(archive, static_cast<uint32_t>(name.size()), 2), put(archive, 0, 2);
        archive += name + data;
        put(directory, 0x02014b50, 4);
        put(directory, 20, 2), put(directory, 20, 2), put(directory, 0, 2), put(directory, 0, 2), put(directory, 0, 4);
        put(directory, crc, 4), put(directory, size, 4), put(directory, size, 4);
        put(directory, static_cast<uint32_t>(name.size()), 2);
        put(directory, 0, 2), put(directory, 0, 2), put(directory, 0, 2), put(directory, 0, 2), put(directory, 0, 4);
        put(directory, offset, 4);
        directory += name;
    }
    const uint32_t start = static_cast<uint32_t>(archive.size());
    archive += directory;
    put(archive, 0x06054b50, 4);
    put(archive, 0, 2), put(archive, 0, 2);
    put(archive, static_cast<uint32_t>(entries.size()), 2), put(archive, static_cast<uint32_t>(entries.size()), 2);
    put(archive, static_cast<uint32_t>(directory.size()), 4), put(archive, start, 4), put(archive, 0, 2);
    return archive;
}

}  // namespace tessaro::test
