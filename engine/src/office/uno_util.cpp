#include "office/uno_util.h"

#include "engine_error.h"

#include <osl/file.hxx>

#include <vector>

namespace tessaro {

css::beans::PropertyValue prop(const char* name, const css::uno::Any& value)
{
    css::beans::PropertyValue p;
    p.Name = rtl::OUString::createFromAscii(name);
    p.Value = value;
    return p;
}

css::uno::Sequence<css::beans::PropertyValue> props(std::initializer_list<css::beans::PropertyValue> list)
{
    std::vector<css::beans::PropertyValue> items(list);
    return css::uno::Sequence<css::beans::PropertyValue>(items.data(), static_cast<sal_Int32>(items.size()));
}

rtl::OUString ou(const std::string& text)
{
    return rtl::OUString(text.data(), static_cast<sal_Int32>(text.size()), RTL_TEXTENCODING_UTF8);
}

std::string utf8(const rtl::OUString& text)
{
    rtl::OString bytes = rtl::OUStringToOString(text, RTL_TEXTENCODING_UTF8);
    return std::string(bytes.getStr(), static_cast<size_t>(bytes.getLength()));
}

rtl::OUString fileUrl(const std::string& path)
{
    rtl::OUString url;
    if (path.empty() || path[0] != '/' ||
        osl::FileBase::getFileURLFromSystemPath(ou(path), url) != osl::FileBase::E_None)
        throw EngineError("路径无效 (invalid path): " + path);
    return url;
}

void setProperty(const Reference<css::uno::XInterface>& object, const char* name, const css::uno::Any& value)
{
    Reference<css::beans::XPropertySet> set(object, UNO_QUERY_THROW);
    set->setPropertyValue(rtl::OUString::createFromAscii(name), value);
}

css::uno::Any getProperty(const Reference<css::uno::XInterface>& object, const char* name)
{
    Reference<css::beans::XPropertySet> set(object, UNO_QUERY_THROW);
    return set->getPropertyValue(rtl::OUString::createFromAscii(name));
}

}  // namespace tessaro
