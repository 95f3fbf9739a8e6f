#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tessaro {

// A zip file read whole into memory, some of its entries replaced and
// written back, in this process: through the office's package service the
// same took about twenty calls a part and 23 ms a page file. Enough for the
// packages the office writes: no encryption, no zip64. Entries keep their
// order and their compression, so an OpenDocument's stored "mimetype" stays
// first and stored. Damaged or unsupported files are refused with EngineError.
class ZipArchive {
public:
    explicit ZipArchive(const std::string& path);

    std::vector<std::string> names() const;
    std::string read(const std::string& name) const;
    void replace(const std::string& name, const std::string& contents);
    void write(const std::string& path) const;

private:
    struct Entry {
        std::string name;
        uint16_t madeBy = 0, needed = 0, flags = 0, method = 0, time = 0, date = 0;
        uint32_t crc = 0, size = 0, externalAttributes = 0;
        std::string data;  // as stored: deflated or not, by `method`
    };

    const Entry& entry(const std::string& name) const;
    Entry& entry(const std::string& name);

    std::string path_;
    std::vector<Entry> entries_;
};

}  // namespace tessaro
