#pragma once
// What the item's source files share and nobody else needs.

#include "calc/Item.h"

#include <string>
#include <string_view>

namespace item_internal {

constexpr double kPi = 3.141592653589793;

// Pipes and round ducts: k per metre, logarithmic wall and insulation layers.
inline bool IsCircular(GeometryType geometry) {
    return geometry == GeometryType::Tube || geometry == GeometryType::RoundCanal;
}

// Rectangular ducts and tanks: k per m2, flat layers.
inline bool IsPlane(GeometryType geometry) {
    return geometry == GeometryType::SquareCanal || geometry == GeometryType::Tank;
}

// Nusselt number of natural convection inside for X = Gr * Pr: C * X^n of
// the first row whose limit is not below X (500 itself takes the second
// row), the last row above 2e7.
double NaturalConvectionNusselt(double x);

// The text of an "IDS_" key in the user-interface language; "" when there is
// no language or no such key.
std::string Text(std::string_view key);

}  // namespace item_internal
