// Request texts: any bytes either give a valid calendar instant or a RequestError naming the
// text; nothing else escapes.
#include <cstdint>
#include <cstdlib>

#include "host/core/request_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  orbelle::host::RegionalConventions german;
  german.date_order = {orbelle::host::DateField::kDay, orbelle::host::DateField::kMonth,
                       orbelle::host::DateField::kYear};
  german.date_separator = ".";
  german.decimal_separator = ",";
  for (const orbelle::host::RegionalConventions& locale : {orbelle::host::RegionalConventions(), german}) {
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
