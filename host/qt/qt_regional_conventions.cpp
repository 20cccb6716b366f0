#include "host/qt/qt_regional_conventions.h"

namespace orbelle::host {

RegionalConventions ConventionsOf(const QLocale& locale) {
  RegionalConventions region;
  region.am_text = locale.amText().toStdString();
  region.pm_text = locale.pmText().toStdString();
  region.decimal_separator = locale.decimalPoint().toStdString();
  if (locale.language() == QLocale::C) return region;
  TakeShortDatePattern(locale.dateFormat(QLocale::ShortFormat).toStdString(), region);
  return region;
}

RegionalConventions SystemConventions() { return ConventionsOf(QLocale::system()); }

}  // namespace orbelle::host
