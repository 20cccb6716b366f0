// Request texts: any bytes either give a valid calendar instant or a RequestError naming the
// text; nothing else escapes.
#include <cstdint>
#include <cstdlib>

#include "host/request_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  for (const QLocale& locale : {QLocale(QLocale::C), QLocale(QLocale::German, QLocale::Germany)}) {
    try {
      const orbelle::host::RequestInstant r = orbelle::host::ReadRequest(text, locale);
      if (r.month < 1 || r.month > 12 || r.day < 1 || r.day > 31 || r.hour < 0 || r.hour > 23 || r.minute < 0 ||
          r.minute > 59 || !(r.Hours() >= 0.0f && r.Hours() < 24.0f)) {
        std::abort();
      }
    } catch (const orbelle::host::RequestError&) {
    }
  }
  return 0;
}
