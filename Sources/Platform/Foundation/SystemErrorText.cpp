#include "Platform/Foundation/SystemErrorText.hpp"

#include <cstring>

#include <locale.h>

namespace tessaril::platform {

std::string systemErrorText(int error) {
    static const locale_t cLocale = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    if (cLocale == static_cast<locale_t>(nullptr)) return std::strerror(error);
    return ::strerror_l(error, cLocale);
}

} // namespace tessaril::platform
