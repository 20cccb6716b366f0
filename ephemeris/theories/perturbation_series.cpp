// Summation of the periodic perturbation terms of the solar and planetary theory: the tables
// of multiples of the two mean anomalies, the four long series (Newcomb's perturbations of the
// Sun by Venus and by Mars, Mercury by Venus, Venus by the Earth) and the shorter blocks of
// the other disturbing planets. Every term costs one cosine of a sum of table entries and a
// phase; the series only add to the sums.
#include <cmath>
#include <cstdlib>

#include "ephemeris/angles.h"
#include "ephemeris/checked_float.h"
#include "ephemeris/theories/planet_theory.h"

namespace orbelle::ephemeris {

double SolarPlanetaryTheory::OwnMultiple(int k) const {
  if (k == 16) return own_multiple_16_;
  return own_multiple_[static_cast<std::size_t>(k)];
}

double SolarPlanetaryTheory::DisturberMultiple(int k) const {
  if (k <= 10) return disturber_multiple_[static_cast<std::size_t>(k)];
  return disturber_multiple_single_[static_cast<std::size_t>(k)];
}

// k*M by repeated addition of M, each stored in its own width.
void SolarPlanetaryTheory::SetOwnMultiples() {
  const double m = work_.MeanAnomaly;
  own_multiple_[1] = ToSingle(m, "own multiple");
  own_multiple_[2] = ToSingle(m + m, "own multiple");
  for (int k = 3; k <= 18; ++k) {
    const double v = OwnMultiple(k - 1) + m;
    if (k == 16) {
      own_multiple_16_ = Checked(v, "own multiple");
      own_multiple_[16] = 0;
    } else {
      own_multiple_[static_cast<std::size_t>(k)] = ToSingle(v, "own multiple");
    }
  }
  pert_longitude_ = pert_log_radius_ = pert_latitude_ = 0;
}

// k*x for k = 1..13, then 15 = 13 + 2 and 17 = 15 + 2; x reduced to one turn and in radians.
void SolarPlanetaryTheory::SetDisturberMultiples(double x_degrees) {
  const double x = Norm360D(x_degrees) * work_.DegToRad;
  disturber_multiple_[1] = x;
  disturber_multiple_[2] = x + x;
  for (std::size_t k = 3; k <= 10; ++k) disturber_multiple_[k] = disturber_multiple_[k - 1] + x;
  auto& single = disturber_multiple_single_;
  single[11] = ToSingle(disturber_multiple_[10] + x, "disturber multiple");
  single[12] = ToSingle(double(single[11]) + x, "disturber multiple");
  single[13] = ToSingle(double(single[12]) + x, "disturber multiple");
  single[15] = ToSingle(double(single[13]) + disturber_multiple_[2], "disturber multiple");
  single[17] = ToSingle(double(single[15]) + disturber_multiple_[2], "disturber multiple");
}

// |m| up to 18 from the table; the one term in 19 M (Mars by the Earth) takes 10 M + 9 M.
double SolarPlanetaryTheory::SignedOwn(int m) const {
  if (m == 0) return 0.0;
  const int k = std::abs(m);
  const double v = k == 19 ? OwnMultiple(10) + OwnMultiple(9) : OwnMultiple(k);
  return m < 0 ? -v : v;
}

double SolarPlanetaryTheory::SignedDisturber(int x) const {
  if (x == 0) return 0.0;
  const double v = DisturberMultiple(std::abs(x));
  return x < 0 ? -v : v;
}

double SolarPlanetaryTheory::Argument(const PerturbationTerm& t, ArgumentForm form, const double* direct_x) const {
  const double phase = t.pi_phase == 0 ? t.phase : t.pi_phase * pi_;
  const double own = SignedOwn(t.m), disturber = direct_x ? t.x * *direct_x : SignedDisturber(t.x);
  switch (form) {
    case ArgumentForm::kDisturberPhaseOwn:
      return disturber + phase + own;
    case ArgumentForm::kPhaseDisturberOwn:
      return phase + disturber + own;
    case ArgumentForm::kDisturberOwnPhase:
      break;
  }
  return disturber + own + phase;
}

void SolarPlanetaryTheory::AddSeries(std::span<const PerturbationTerm> terms, double& sum, ArgumentForm form,
                                     bool end_in_three, const double* direct_x) {
  auto value = [&](std::size_t k) { return terms[k].amplitude * std::cos(Argument(terms[k], form, direct_x)); };
  const std::size_t n = terms.size();
  const std::size_t pairs_end = (n % 2 == 1 && end_in_three && n >= 3) ? n - 3 : n - n % 2;
  std::size_t k = 0;
  for (; k < pairs_end; k += 2) sum = Checked((value(k) + sum) + value(k + 1), "perturbation sum");
  if (n - k == 3) {
    sum = Checked(sum + value(k) + value(k + 1) + value(k + 2), "perturbation sum");
  } else if (n - k == 1) {
    sum = Checked(sum + value(k), "perturbation sum");
  }
}

void SolarPlanetaryTheory::AddInlineTerms(const PerturbationBlock& block) {
  AddSeries(block.longitude, pert_longitude_, ArgumentForm::kDisturberOwnPhase, true);
  AddSeries(block.log_radius, pert_log_radius_, ArgumentForm::kDisturberOwnPhase, true);
  AddSeries(block.latitude, pert_latitude_, ArgumentForm::kDisturberOwnPhase, true);
}

void SolarPlanetaryTheory::AddInlineBlock(double x_degrees, const PerturbationBlock& block) {
  SetDisturberMultiples(x_degrees);
  AddInlineTerms(block);
}

// Newcomb's perturbations of the Sun by Venus: longitude, log r and latitude.
void SolarPlanetaryTheory::PerturbSunByVenus() {
  AddSeries(kSunByVenus.longitude, pert_longitude_, ArgumentForm::kDisturberPhaseOwn, false);
  AddSeries(kSunByVenus.log_radius, pert_log_radius_, ArgumentForm::kDisturberPhaseOwn, false);
  AddSeries(kSunByVenus.latitude, pert_latitude_, ArgumentForm::kDisturberPhaseOwn, false);
}

// Newcomb's perturbations of the Sun by Mars: longitude and log r.
void SolarPlanetaryTheory::PerturbSunByMars() {
  AddSeries(kSunByMars.longitude, pert_longitude_, ArgumentForm::kPhaseDisturberOwn, false);
  AddSeries(kSunByMars.log_radius, pert_log_radius_, ArgumentForm::kPhaseDisturberOwn, false);
}

void SolarPlanetaryTheory::PerturbMercuryByVenus() {
  AddSeries(kMercuryByVenus.longitude, pert_longitude_, ArgumentForm::kDisturberOwnPhase, false);
  AddSeries(kMercuryByVenus.log_radius, pert_log_radius_, ArgumentForm::kDisturberOwnPhase, false);
}

void SolarPlanetaryTheory::PerturbVenusByEarth() {
  AddSeries(kVenusByEarth.longitude, pert_longitude_, ArgumentForm::kDisturberOwnPhase, false);
  AddSeries(kVenusByEarth.log_radius, pert_log_radius_, ArgumentForm::kDisturberOwnPhase, false);
  AddSeries(kVenusByEarth.latitude, pert_latitude_, ArgumentForm::kDisturberOwnPhase, false);
}

}  // namespace orbelle::ephemeris
