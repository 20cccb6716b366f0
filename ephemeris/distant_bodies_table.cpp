// Fixed mean elements of the distant hypothetical bodies 23..30 of the suite: circular or
// nearly circular orbits beyond Neptune at the J1900.0 epoch (JD 2415020.0), with the node
// carried by the general precession in longitude (1.396 degrees per century) and the mean
// anomaly growing at the rate of Kepler's third law for the semi-major axis. The values are
// the suite's own and are reproduced unchanged.
#include "ephemeris/element_tables.h"

namespace orbelle::ephemeris {

const std::array<DistantBodyRow, 8> kDistantBodies = {{
    //  a          e        i       omega     node0     rate   M0        M rate
    {40.99837, 0.0046, 1.0833, 171.4333, 129.8325, 1.396, 163.7409, 137.1364},
    {50.66744, 0.00245, 1.05, 148.1796, 161.3339, 1.396, 27.6496, 99.81803},
    {59.21436, 0.0012, 0.0, 299.044, 0.0, 1.396, 165.1232, 79.00633},
    {64.8169, 0.00305, 0.0, 208.8801, 0.0, 1.396, 169.0193, 68.98746},
    {70.29949, 0.0, 0.0, 138.0533, 0.0, 1.396, 0.0, 61.0765},
    {73.62765, 0.0, 0.0, 351.335, 0.0, 1.396, 0.0, 56.98245},
    {77.25568, 0.0, 0.0, 55.8983, 0.0, 1.396, 0.0, 53.015987},
    {83.66907, 0.0, 0.0, 165.5163, 0.0, 1.396, 0.0, 47.03868},
}};

}  // namespace orbelle::ephemeris
