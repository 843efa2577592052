#pragma once
// Data-base records built in code for tests and fuzz targets. Header-only:
// the fuzz targets use it without the test library.

#include "data/Isolation.h"
#include "data/Mediumdbitem.h"

#include <string>
#include <utility>
#include <vector>

namespace testing_support {

// A characteristic as a polynomial, highest power first.
inline TMediumFunction Polinom(std::string name, std::vector<float> coefficients) {
    TMediumFunction function;
    function.Name = std::move(name);
    function.Mode = TMediumFunction::kPolinom;
    function.PolinomValues = std::move(coefficients);
    return function;
}

// A characteristic through points, temperatures and values in parallel.
inline TMediumFunction Points(std::string name, std::vector<float> temperatures, std::vector<float> values) {
    TMediumFunction function;
    function.Name = std::move(name);
    function.Mode = TMediumFunction::kPoints;
    function.PointTemperatures = std::move(temperatures);
    function.PointValues = std::move(values);
    return function;
}

// One size of an insulation: bore (0 for any), thickness and name.
inline TIsolationSubItem IsolationSize(float bore, float thickness, std::string name) {
    TIsolationSubItem size;
    size.db = bore;
    size.v = thickness;
    size.SizeName = std::move(name);
    return size;
}

}  // namespace testing_support
