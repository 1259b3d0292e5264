#include "platform/system/RunTimeLocale.h"

#include <clocale>

namespace plat {

bool setRunTimeLocale(std::initializer_list<const char*> names) {
    for (const char* name : names) {
        if (!std::setlocale(LC_ALL, name)) continue;
        std::setlocale(LC_NUMERIC, "C");
        return true;
    }
    return false;
}

}  // namespace plat
