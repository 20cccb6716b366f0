#include "ephemeris/everett.h"

#include "ephemeris/checked_float.h"

namespace orbelle::ephemeris {

namespace {

// Everett's coefficients: E2(x) = (x+1) x (x-1) / 3!, E4 = E2 (x+2)(x-2) / (4*5),
// E6 = E4 (x+3)(x-3) / (6*7), i.e. the binomial coefficients C(x+k, 2k+1).
struct Coefficients {
  double e2, e4, e6;
};
Coefficients Everett(double x) {
  const double e2 = (x + 1.0) * x * (x - 1.0) / 6.0;
  const double e4 = e2 * (x + 2.0) * (x - 2.0) / 20.0;
  return {e2, e4, e4 * (x + 3.0) * (x - 3.0) / 42.0};
}

// Their derivatives with respect to x.
Coefficients EverettDerivative(double x) {
  const double x2 = x * x, x4 = x2 * x2;
  return {(3.0 * x2 - 1.0) / 6.0, (5.0 * x4 - 15.0 * x2 + 4.0) / 120.0,
          (7.0 * x4 * x2 - 70.0 * x4 + 147.0 * x2 - 36.0) / 5040.0};
}

}  // namespace

// Everett's formula f(p) = q f4 + E2(q) d2_4 + E4(q) d4_4 + E6(q) d6_4
//                        + p f5 + E2(p) d2_5 + E4(p) d4_5 + E6(p) d6_5,  q = 1 - p,
// with the even central differences at f4 and f5. The rate is its derivative in p divided by
// the step (dq/dp = -1).
InterpolatedValue EverettInterpolate(const std::array<float, 8>& f, float p, float h) {
  // Difference table: row k holds the k-th differences; row[k][j] spans f[j] .. f[j + k].
  std::array<std::array<double, 8>, 7> d{};
  for (std::size_t j = 0; j < 8; ++j) d[0][j] = f[j];
  for (std::size_t k = 1; k <= 6; ++k) {
    for (std::size_t j = 0; j + k < 8; ++j) d[k][j] = d[k - 1][j + 1] - d[k - 1][j];
  }
  // Centred on f4 (index 3): d2 from f3..f5, d4 from f2..f6, d6 from f1..f7; on f5 one further.
  const double d2_4 = d[2][2], d4_4 = d[4][1], d6_4 = d[6][0];
  const double d2_5 = d[2][3], d4_5 = d[4][2], d6_5 = d[6][1];
  const double P = p, Q = 1.0 - P;
  const Coefficients cp = Everett(P), cq = Everett(Q);
  const double value = Q * d[0][3] + cq.e2 * d2_4 + cq.e4 * d4_4 + cq.e6 * d6_4 + P * d[0][4] + cp.e2 * d2_5 +
                       cp.e4 * d4_5 + cp.e6 * d6_5;
  const Coefficients dp = EverettDerivative(P), dq = EverettDerivative(Q);
  const double slope =
      d[1][3] + dp.e2 * d2_5 - dq.e2 * d2_4 + dp.e4 * d4_5 - dq.e4 * d4_4 + dp.e6 * d6_5 - dq.e6 * d6_4;
  return {ToSingle(value, "interpolated coordinate"), ToSingle(Divide(slope, h, "interpolated rate"))};
}

}  // namespace orbelle::ephemeris
