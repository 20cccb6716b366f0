#include "ephemeris/record_window.h"

#include <cmath>

#include "ephemeris/checked_float.h"
#include "ephemeris/everett.h"

namespace orbelle::ephemeris {

HeliocentricState RecordWindow::Interpolate(double jd) const {
  const double u = (jd - start) / step;
  const float p = ToSingle(u - std::floor(u), "fraction of the step");
  const InterpolatedValue x = EverettInterpolate(xyz[0], p, step);
  const InterpolatedValue y = EverettInterpolate(xyz[1], p, step);
  const InterpolatedValue z = EverettInterpolate(xyz[2], p, step);
  return {x.value, y.value, z.value, x.rate, y.rate};
}

}  // namespace orbelle::ephemeris
