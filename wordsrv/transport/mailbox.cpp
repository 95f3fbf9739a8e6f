#include "transport/mailbox.h"

#include "base/text.h"

#include <cstring>
#include <utility>

namespace wordsrv {

namespace {

// A request or reply holds one call: its texts are file names and short causes.
constexpr uint32_t kCapacity = 4u << 20;

std::wstring nameOf(const std::string& token, const wchar_t* part)
{
    return L"Local\\tessaro-word-" + fromUtf8(token) + part;
}

}  // namespace

Mailbox Mailbox::create(const std::string& token)
{
    Mailbox box;
    // The names are the secret: one that existed already was not made here.
    const auto fresh = [](HANDLE made) {
        KernelHandle handle(made);
        return GetLastError() == ERROR_ALREADY_EXISTS ? nullptr : handle.release();
    };
    box.mapping_.reset(fresh(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kCapacity + 4,
                                                nameOf(token, L"-box").c_str())));
    box.request_.reset(fresh(CreateEventW(nullptr, FALSE, FALSE, nameOf(token, L"-request").c_str())));
    box.reply_.reset(fresh(CreateEventW(nullptr, FALSE, FALSE, nameOf(token, L"-reply").c_str())));
    if (!box.mapping_ || !box.request_ || !box.reply_)
        return {};
    box.view_ = static_cast<uint32_t*>(MapViewOfFile(box.mapping_.get(), FILE_MAP_ALL_ACCESS, 0, 0, 0));
    return box;
}

Mailbox Mailbox::open(const std::string& token)
{
    Mailbox box;
    box.mapping_.reset(OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, nameOf(token, L"-box").c_str()));
    box.request_.reset(OpenEventW(EVENT_MODIFY_STATE | SYNCHRONIZE, FALSE, nameOf(token, L"-request").c_str()));
    box.reply_.reset(OpenEventW(EVENT_MODIFY_STATE | SYNCHRONIZE, FALSE, nameOf(token, L"-reply").c_str()));
    if (!box.mapping_ || !box.request_ || !box.reply_)
        return {};
    box.view_ = static_cast<uint32_t*>(MapViewOfFile(box.mapping_.get(), FILE_MAP_ALL_ACCESS, 0, 0, 0));
    return box;
}

Mailbox::Mailbox(Mailbox&& other) noexcept
    : mapping_(std::move(other.mapping_)), request_(std::move(other.request_)), reply_(std::move(other.reply_)),
      view_(std::exchange(other.view_, nullptr))
{
}

Mailbox& Mailbox::operator=(Mailbox&& other) noexcept
{
    std::swap(mapping_, other.mapping_);
    std::swap(request_, other.request_);
    std::swap(reply_, other.reply_);
    std::swap(view_, other.view_);
    return *this;
}

Mailbox::~Mailbox()
{
    if (view_)
        UnmapViewOfFile(view_);
}

bool Mailbox::put(const std::vector<Fields>& frames)
{
    std::string bytes;
    for (const Fields& frame : frames) {
        const std::optional<std::string> encoded = tessaro::wire::EncodeFrame(frame);
        if (!encoded)
            return false;
        bytes += *encoded;
    }
    if (!view_ || bytes.size() > kCapacity)
        return false;
    std::memcpy(view_ + 1, bytes.data(), bytes.size());
    view_[0] = static_cast<uint32_t>(bytes.size());
    return true;
}

bool Mailbox::take(std::vector<Fields>& frames) const
{
    frames.clear();
    if (!view_)
        return false;
    // The other side may be anyone who learnt the names: nothing it wrote is trusted.
    const uint32_t size = view_[0];
    if (size > kCapacity)
        return false;
    const std::string bytes(reinterpret_cast<const char*>(view_ + 1), size);
    size_t at = 0;
    while (at < bytes.size()) {
        constexpr size_t kHeader = tessaro::wire::kHeaderSize;
        if (bytes.size() - at < kHeader)
            return false;
        unsigned char header[kHeader];
        std::memcpy(header, bytes.data() + at, kHeader);
        const size_t length = tessaro::wire::BodySize(header);
        if (length > bytes.size() - at - kHeader)
            return false;
        std::optional<Fields> frame = tessaro::wire::DecodeBody(bytes.substr(at + kHeader, length));
        if (!frame)
            return false;
        frames.push_back(std::move(*frame));
        at += kHeader + length;
    }
    return true;
}

}  // namespace wordsrv
