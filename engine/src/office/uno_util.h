#pragma once
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/uno/Sequence.hxx>
#include <rtl/ustring.hxx>

#include <initializer_list>
#include <string>

namespace tessaro {

namespace css = com::sun::star;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

css::beans::PropertyValue prop(const char* name, const css::uno::Any& value);
css::uno::Sequence<css::beans::PropertyValue> props(std::initializer_list<css::beans::PropertyValue> list);

rtl::OUString ou(const std::string& utf8);
std::string utf8(const rtl::OUString& text);

// File URLs go through osl so that non-ASCII and blank characters are
// escaped the way LibreOffice expects.
rtl::OUString fileUrl(const std::string& path);

void setProperty(const Reference<css::uno::XInterface>& object, const char* name, const css::uno::Any& value);
css::uno::Any getProperty(const Reference<css::uno::XInterface>& object, const char* name);

}  // namespace tessaro
