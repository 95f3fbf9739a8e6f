#pragma once
#include "uno_util.h"

#include <com/sun/star/embed/XStorage.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <string>

namespace tessaro {

// A document file's zip package opened in place, for changing the XML it
// holds. Nothing reaches the file before commit(); the package is let go of
// on every path.
class Package {
public:
    enum class Kind { OpenDocument, PlainZip };

    Package(const Reference<css::uno::XComponentContext>& context, const std::string& path, Kind kind);
    ~Package();
    Package(const Package&) = delete;
    Package& operator=(const Package&) = delete;

    const Reference<css::embed::XStorage>& root() const { return root_; }
    void commit();

private:
    Reference<css::embed::XStorage> root_;
};

std::string readStream(const Reference<css::embed::XStorage>& folder, const rtl::OUString& name);
void writeStream(const Reference<css::embed::XStorage>& folder, const rtl::OUString& name, const std::string& bytes);

}  // namespace tessaro
