#pragma once
// The C library's run-time locale (character classes, messages, collation, dates), set to the
// first of the named locales the system has; quietly left as it is when it has none of them.
// Numbers keep the point as their decimal mark whatever the locale, so that the files the
// program writes read the same in every language. User-interface thread only.
#include <initializer_list>

namespace plat {

bool setRunTimeLocale(std::initializer_list<const char*> names);

}  // namespace plat
