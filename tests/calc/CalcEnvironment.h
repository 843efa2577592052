#pragma once
// Installs what a calculation reads from the program's globals (media and
// insulation data bases, price list, options, language, message box) and
// removes it again, so each test starts from the same known world.
//
// The data are chosen for hand calculation:
//   "brine"  constant properties: rho 1000, c 4200, nu 1e-6, lambda 0.6,
//            beta 2e-4, freezing point 0 (so Pr = 7)
//   "water"  linear in t: rho 1006 - 0.3 t, c 4190, nu 1.2e-6 - 1e-8 t,
//            lambda 0.57 + 0.0015 t, beta 1e-4 + 4e-6 t, freezing point 0
//   "air"    rho 1.2, c 1005, lambda 0.026, beta 1/293 (polynomials), nu
//            through the points (0, 1.3e-5), (50, 1.8e-5), (100, 2.3e-5);
//            no "to" curve
//   "wool"   lambda 0.04, -50 .. 250 degC, sizes 20 30 40 50 60 80 100 mm,
//            "Wool %s", priced per m2
//   "shell"  pipe shells, lambda 0.035 + 0.0002 x, -20 .. 120 degC, sizes
//            (bore, thickness) (89, 30) (89, 50) (108, 30) (108, 50)
//            (108, 80) (114, 30) (114, 50) (114, 80), "Shell %s"
//   "quad"   lambda 0.03 + 1e-4 x + 1e-6 x^2, one size of 50 mm
//   "limited" lambda 0.04, 0 .. 120 degC, one size of 50 mm
//   "bare"   lambda 0.04, wide limits, no sizes
// Texts: every key reads as "<KEY>", except those a test needs as a format
// (see kTestTexts in the .cpp).

#include "support/TestSupport.h"

#include <map>
#include <string>
#include <vector>

class TItem;
class TPrice;

namespace calc_testing {

class TCalcEnvironment {
public:
    TCalcEnvironment();
    ~TCalcEnvironment();
    TCalcEnvironment(const TCalcEnvironment&) = delete;
    TCalcEnvironment& operator=(const TCalcEnvironment&) = delete;

    // The price list: rows as given (an "END" row is added); RemovePriceList
    // runs the program without prices.
    void SetPrices(const std::map<std::string, float>& prices);
    void RemovePriceList();
    void SetCalcPrecision(bool keepTenths);
    // Replaces one text of the installed language.
    void SetText(const std::string& key, const std::string& text);

    // Message boxes shown since the start or the last ClearBoxes.
    const std::vector<testing_support::TShownBox>& Boxes() const { return boxes_.Shown; }
    void ClearBoxes() { boxes_.Shown.clear(); }

private:
    testing_support::ScopedMessageBoxRecorder boxes_;
};

// The text a key reads as in the test language when it is not a format.
std::string KeyText(const std::string& key);

}  // namespace calc_testing
