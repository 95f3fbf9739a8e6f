#include "package.h"

#include <com/sun/star/embed/ElementModes.hpp>
#include <com/sun/star/embed/StorageFactory.hpp>
#include <com/sun/star/embed/XTransactedObject.hpp>
#include <com/sun/star/io/XStream.hpp>
#include <com/sun/star/io/XTruncate.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/lang/XSingleServiceFactory.hpp>

#include <iostream>

namespace tessaro {

Package::Package(const Reference<css::uno::XComponentContext>& context, const std::string& path, Kind kind)
{
    Reference<css::lang::XSingleServiceFactory> factory = css::embed::StorageFactory::create(context);
    // A Word package is no OpenDocument one: opened as plain zip, it gets
    // no manifest or mimetype entry of ODF's added when it is written back.
    const char* const format = kind == Kind::PlainZip ? "ZipFormat" : "PackageFormat";
    const css::uno::Any arguments[] = {css::uno::Any(fileUrl(path)), css::uno::Any(css::embed::ElementModes::READWRITE),
                                       css::uno::Any(props({prop("StorageFormat", css::uno::Any(rtl::OUString::createFromAscii(format)))}))};
    // The SDK marks this deprecated, but it is how the storage factory takes its URL and mode.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    root_.set(factory->createInstanceWithArguments(css::uno::Sequence<css::uno::Any>(arguments, 3)), UNO_QUERY_THROW);
#pragma GCC diagnostic pop
}

Package::~Package()
{
    try {
        Reference<css::lang::XComponent>(root_, UNO_QUERY_THROW)->dispose();
    } catch (const css::uno::RuntimeException& e) {
        // A dead soffice took the package with it; the call that failed said why.
        std::cerr << "tessaro-engine: closing a package failed: " << utf8(e.Message) << "\n";
    }
}

void Package::commit() { Reference<css::embed::XTransactedObject>(root_, UNO_QUERY_THROW)->commit(); }

std::string readStream(const Reference<css::embed::XStorage>& folder, const rtl::OUString& name)
{
    Reference<css::io::XStream> stream = folder->openStreamElement(name, css::embed::ElementModes::READ);
    Reference<css::io::XInputStream> input = stream->getInputStream();
    std::string bytes;
    css::uno::Sequence<sal_Int8> chunk;
    while (input->readBytes(chunk, 1 << 20) > 0)
        bytes.append(reinterpret_cast<const char*>(chunk.getConstArray()), size_t(chunk.getLength()));
    input->closeInput();
    return bytes;
}

void writeStream(const Reference<css::embed::XStorage>& folder, const rtl::OUString& name, const std::string& bytes)
{
    Reference<css::io::XStream> stream = folder->openStreamElement(name, css::embed::ElementModes::READWRITE);
    Reference<css::io::XOutputStream> output = stream->getOutputStream();
    Reference<css::io::XTruncate>(output, UNO_QUERY_THROW)->truncate();
    output->writeBytes(css::uno::Sequence<sal_Int8>(reinterpret_cast<const sal_Int8*>(bytes.data()),
                                                    static_cast<sal_Int32>(bytes.size())));
    output->closeOutput();
}

}  // namespace tessaro
