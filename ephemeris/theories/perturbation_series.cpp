// Summation of the periodic perturbation terms of the solar and planetary theory: the tables
// of multiples of the two mean anomalies, the four long series (Newcomb's perturbations of the
// Sun by Venus and by Mars, Mercury by Venus, Venus by the Earth) and the shorter blocks of
// the other disturbing planets. A term's cosine of a sum of table entries and a phase comes
// from the addition theorem, cos(a + b + p) from the cosines and sines of a, b and p, so that
// the thousand terms of an instant cost no trigonometric call of their own; the series only
// add to the sums.
#include <cmath>
#include <cstdlib>
#include <vector>

#include "ephemeris/angles.h"
#include "ephemeris/checked_float.h"
#include "ephemeris/theories/planet_theory_internal.h"

namespace orbelle::ephemeris {

TurnedSeries::TurnedSeries(std::span<const PerturbationTerm> series) : terms(series) {
  turned_amplitudes.reserve(terms.size());
  for (const PerturbationTerm& t : terms) {
    const double phase = t.pi_phase == 0 ? t.phase : t.pi_phase * kDecimalPi;
    const Rotation r = RotationOf(phase);
    turned_amplitudes.push_back({t.amplitude * r.c, t.amplitude * r.s});
  }
}

TurnedBlock::TurnedBlock(const PerturbationBlock& block)
    : longitude(block.longitude), log_radius(block.log_radius), latitude(block.latitude) {}

namespace {

std::vector<TurnedBlock> TurnedBlocksOf(Integer body) {
  std::vector<TurnedBlock> blocks;
  for (const Disturber& d : DisturbersOf(body)) blocks.emplace_back(*d.terms);
  return blocks;
}

}  // namespace

const TurnedTerms& TurnedTerms::Shared() {
  static const TurnedTerms terms{TurnedBlocksOf(kSun), TurnedBlocksOf(kMercury), TurnedBlocksOf(kVenus),
                                 TurnedBlocksOf(kMars)};
  return terms;
}

SolarPlanetaryTheory::SolarPlanetaryTheory() = default;

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
  own_rotation_known_ = 1;  // entry 0 only: the others are worked out when a term needs them
  pert_longitude_ = pert_log_radius_ = pert_latitude_ = 0;
}

// k*x for k = 1..13, then 15 = 13 + 2 and 17 = 15 + 2; x reduced to one turn and in radians.
void SolarPlanetaryTheory::SetDisturberMultiples(double x_degrees) {
  const double x = Norm360D(x_degrees) * kPlanetDegToRad;
  disturber_multiple_[1] = x;
  disturber_multiple_[2] = x + x;
  for (std::size_t k = 3; k <= 10; ++k) disturber_multiple_[k] = disturber_multiple_[k - 1] + x;
  auto& single = disturber_multiple_single_;
  single[11] = ToSingle(disturber_multiple_[10] + x, "disturber multiple");
  single[12] = ToSingle(double(single[11]) + x, "disturber multiple");
  single[13] = ToSingle(double(single[12]) + x, "disturber multiple");
  single[15] = ToSingle(double(single[13]) + disturber_multiple_[2], "disturber multiple");
  single[17] = ToSingle(double(single[15]) + disturber_multiple_[2], "disturber multiple");
  // The double multiples k x, k <= 10, turn by x once more each.
  disturber_rotation_[1] = RotationOf(disturber_multiple_[1]);
  for (std::size_t k = 2; k <= 10; ++k)
    disturber_rotation_[k] = Rotate(disturber_rotation_[k - 1], disturber_rotation_[1]);
  disturber_rotation_known_ = (1u << 11) - 1;
}

// The rotation of a single-precision multiple k x (k = 11, 12, 13, 15, 17), taken as stored,
// worked out at its first use after the multiples were set.
const Rotation& SolarPlanetaryTheory::DisturberRotation(int k) {
  const auto slot = static_cast<std::size_t>(k);
  if (!(disturber_rotation_known_ & (1u << k))) {
    disturber_rotation_[slot] = RotationOf(DisturberMultiple(k));
    disturber_rotation_known_ |= 1u << k;
  }
  return disturber_rotation_[slot];
}

// The rotation of k M (k = 19: 10 M + 9 M) for the current body, worked out at its first use
// after the multiples were set.
const Rotation& SolarPlanetaryTheory::OwnRotation(int k) {
  const auto slot = static_cast<std::size_t>(k);
  if (!(own_rotation_known_ & (1u << k))) {
    own_rotation_[slot] = RotationOf(k == 19 ? OwnMultiple(10) + OwnMultiple(9) : OwnMultiple(k));
    own_rotation_known_ |= 1u << k;
  }
  return own_rotation_[slot];
}

// A cos(x X + m M + phase) = (A cos phase) cos(x X + m M) - (A sin phase) sin(x X + m M): the
// disturber's and the own rotation from the tables (|m| = 19 is 10 M + 9 M, the one such term
// of Mars by the Earth), a negative multiple turning the other way, and the term's amplitude
// turned by its phase.
inline double SolarPlanetaryTheory::TermValue(const PerturbationTerm& t, const Rotation& turned_amplitude,
                                              const double* direct_x) {
  const Rotation disturber = direct_x ? RotationOf(t.x * *direct_x) : Signed(DisturberRotation(std::abs(t.x)), t.x < 0);
  const Rotation sum = Rotate(disturber, Signed(OwnRotation(std::abs(t.m)), t.m < 0));
  return turned_amplitude.c * sum.c - turned_amplitude.s * sum.s;
}

void SolarPlanetaryTheory::AddSeries(const TurnedSeries& series, double& sum, bool end_in_three,
                                     const double* direct_x) {
  const std::span<const PerturbationTerm> terms = series.terms;
  if (terms.empty()) return;
  const Rotation* turned = series.turned_amplitudes.data();
  auto value = [&](std::size_t k) { return TermValue(terms[k], turned[k], direct_x); };
  const std::size_t n = terms.size();
  const std::size_t pairs_end = (n % 2 == 1 && end_in_three && n >= 3) ? n - 3 : n - n % 2;
  std::size_t k = 0;
  for (; k < pairs_end; k += 2) sum = (value(k) + sum) + value(k + 1);
  if (n - k == 3) {
    sum = sum + value(k) + value(k + 1) + value(k + 2);
  } else if (n - k == 1) {
    sum = sum + value(k);
  }
  Checked(sum, "perturbation sum");
}

void SolarPlanetaryTheory::AddInlineTerms(const TurnedBlock& block) {
  AddSeries(block.longitude, pert_longitude_, true);
  AddSeries(block.log_radius, pert_log_radius_, true);
  AddSeries(block.latitude, pert_latitude_, true);
}

void SolarPlanetaryTheory::AddInlineBlock(double x_degrees, const TurnedBlock& block) {
  SetDisturberMultiples(x_degrees);
  AddInlineTerms(block);
}

// Newcomb's perturbations of the Sun by Venus: longitude, log r and latitude.
void SolarPlanetaryTheory::PerturbSunByVenus() {
  const TurnedBlock& venus = terms_->sun[1];
  AddSeries(venus.longitude, pert_longitude_, false);
  AddSeries(venus.log_radius, pert_log_radius_, false);
  AddSeries(venus.latitude, pert_latitude_, false);
}

// Newcomb's perturbations of the Sun by Mars: longitude and log r.
void SolarPlanetaryTheory::PerturbSunByMars() {
  const TurnedBlock& mars = terms_->sun[2];
  AddSeries(mars.longitude, pert_longitude_, false);
  AddSeries(mars.log_radius, pert_log_radius_, false);
}

void SolarPlanetaryTheory::PerturbMercuryByVenus() {
  const TurnedBlock& venus = terms_->mercury[0];
  AddSeries(venus.longitude, pert_longitude_, false);
  AddSeries(venus.log_radius, pert_log_radius_, false);
}

void SolarPlanetaryTheory::PerturbVenusByEarth() {
  const TurnedBlock& earth = terms_->venus[1];
  AddSeries(earth.longitude, pert_longitude_, false);
  AddSeries(earth.log_radius, pert_log_radius_, false);
  AddSeries(earth.latitude, pert_latitude_, false);
}

}  // namespace orbelle::ephemeris
