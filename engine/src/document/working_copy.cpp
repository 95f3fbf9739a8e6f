#include "document/working_copy.h"

#include "engine_error.h"

#include <com/sun/star/document/MacroExecMode.hpp>
#include <com/sun/star/frame/XLoadable.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/lang/XMultiComponentFactory.hpp>

namespace tessaro {

namespace {

// Flat XML: no zip to pack and unpack, and no preview picture, whose
// rendering would lay out the first page.
const char* const kFilter = "OpenDocument Text Flat XML";

}  // namespace

void storeWorkingCopy(const Document& doc, const std::string& path)
{
    Reference<css::frame::XStorable> storable(doc.component(), UNO_QUERY_THROW);
    storable->storeToURL(fileUrl(path), props({prop("FilterName", css::uno::Any(rtl::OUString::createFromAscii(kFilter))),
                                               prop("Overwrite", css::uno::Any(true))}));
}

Document loadWorkingCopy(const Reference<css::uno::XComponentContext>& context, const std::string& path)
{
    Reference<css::frame::XLoadable> model(
        context->getServiceManager()->createInstanceWithContext("com.sun.star.text.TextDocument", context),
        UNO_QUERY_THROW);
    Document doc(Reference<css::lang::XComponent>(model, UNO_QUERY_THROW));
    model->load(props({prop("URL", css::uno::Any(fileUrl(path))),
                       prop("FilterName", css::uno::Any(rtl::OUString::createFromAscii(kFilter))),
                       prop("MacroExecutionMode", css::uno::Any(css::document::MacroExecMode::NEVER_EXECUTE))}));
    return doc;
}

}  // namespace tessaro
