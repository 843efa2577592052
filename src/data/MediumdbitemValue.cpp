// Property values of a medium's curves: Horner's scheme for a polynomial,
// Neville's scheme for points.
//
// The textbook Neville loop runs point by point:
//     for k: q[k] = v[k]; for j = k-1 down to 0:
//         q[j] = q[j+1] + (t - T[k]) / (T[k] - T[j]) * (q[j+1] - q[j])
// Its entry (k, j) depends on (k, j+1) and (k-1, j) only, so all entries
// with the same k - j (a level) are independent, and no quotient depends
// on the tableau at all. We work the tableau level by level: every entry is
// computed from the same operands by the same operations as in the loop
// above, so the result is the same to the last bit (and so are the
// floating-point exception flags); only independent operations move. That
// lets the divisions, most of the work, run two at a time and one level
// ahead of the sums that wait for them. For the usual few points the whole
// tableau is unrolled, so that the levels pass from one to the next in
// registers. The calculation asks for these values thousands of times per
// item.

#include "data/Mediumdbitem.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cfenv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

namespace {

// Two doubles in one register: element-wise IEEE arithmetic, so each lane
// rounds exactly as the scalar operation would.
using TPair = double __attribute__((vector_size(16)));

TPair LoadPair(const double* from) {
    TPair pair;
    std::memcpy(&pair, from, sizeof pair);
    return pair;
}

void StorePair(double* to, TPair pair) { std::memcpy(to, &pair, sizeof pair); }

// A level's quotients are stored in pairs: an odd count gets one filler.
constexpr std::size_t PaddedCount(std::size_t count) { return count + (count & 1); }

// Room for the quotients (or denominators) of every level of n points.
constexpr std::size_t TableauSize(std::size_t n) { return n < 2 ? 0 : n * (n - 1) / 2 + n / 2; }

// Where level L (from 1) starts among the quotients of n points.
constexpr std::size_t LevelOffset(std::size_t n, std::size_t level) {
    std::size_t offset = 0;
    for (std::size_t l = 1; l < level; ++l) offset += PaddedCount(n - l);
    return offset;
}

// Points beyond this count take the looped tableau; up to it, one unrolled
// copy per count (all shipped curves but one have fewer points). Measured
// against the loop alone, the copies take a third off a tank's calculation
// (BM_ItemCalculateTank): without such a gain the loop would do.
constexpr std::size_t kMaxUnrolled = 20;

// The distances t - T[i] for i <= n, and the same shifted by one, so that a
// level starting at an odd point reads its pairs where they were stored.
// temperatures holds n + 2 entries.
void Distances(std::size_t n, const double* temperatures, double temperature, double* distance,
               double* distanceNext) {
    const TPair t = {temperature, temperature};
    for (std::size_t i = 0; i < n; i += 2) {
        StorePair(distance + i, t - LoadPair(temperatures + i));
        StorePair(distanceNext + i, t - LoadPair(temperatures + i + 1));
    }
}

// Level L's quotients (t - T[L+m]) / (T[L+m] - T[m]), m < n - L, in pairs.
inline void Divide(std::size_t n, std::size_t level, const double* distance, const double* distanceNext,
                   const double* denominators, double* quotients) {
    const double* d = level % 2 == 0 ? distance + level : distanceNext + (level - 1);
    for (std::size_t m = 0; m < n - level; m += 2)
        StorePair(quotients + m, LoadPair(d + m) / LoadPair(denominators + m));
}

// Level L's entries from level L - 1's (the values for L = 1), in place.
inline void Sum(std::size_t count, const double* previous, const double* quotients, double* q) {
    for (std::size_t m = 0; m < count; ++m)
        q[m] = previous[m + 1] + quotients[m] * (previous[m + 1] - previous[m]);
}

// The tableau of n >= 2 points. denominators: T[L+m] - T[m] level by level,
// each level padded to pairs.
double NevilleLooped(std::size_t n, const double* temperatures, const double* values, const double* denominators,
                     double temperature) {
    constexpr std::size_t kStackPoints = 32;
    std::array<double, 3 * (kStackPoints + 2) + TableauSize(kStackPoints)> onStack;
    std::vector<double> onHeap;
    double* work = onStack.data();
    if (n > kStackPoints) {
        onHeap.resize(3 * (n + 2) + TableauSize(n));
        work = onHeap.data();
    }
    double* distance = work;
    double* distanceNext = distance + n + 2;
    double* q = distanceNext + n + 2;
    double* quotients = q + n + 2;
    Distances(n, temperatures, temperature, distance, distanceNext);
    Divide(n, 1, distance, distanceNext, denominators, quotients);
    const double* previous = values;
    std::size_t offset = 0;
    for (std::size_t level = 1; level < n; ++level) {
        const std::size_t next = offset + PaddedCount(n - level);
        if (level + 1 < n)  // ahead of this level's sums
            Divide(n, level + 1, distance, distanceNext, denominators + next, quotients + next);
        Sum(n - level, previous, quotients + offset, q);
        previous = q;
        offset = next;
    }
    return q[0];
}

// The same steps for a count known when compiling, with every loop
// unrolled: the levels pass from one to the next in registers.
template <std::size_t N>
double NevilleUnrolled(const double* temperatures, const double* values, const double* denominators,
                       double temperature) {
    std::array<double, N + 2> distance;
    std::array<double, N + 2> distanceNext;
    std::array<double, N> q;
    std::array<double, TableauSize(N)> quotients;
    const TPair t = {temperature, temperature};
#pragma GCC unroll 32
    for (std::size_t i = 0; i < N; i += 2) {
        StorePair(&distance[i], t - LoadPair(temperatures + i));
        StorePair(&distanceNext[i], t - LoadPair(temperatures + i + 1));
    }
    auto divide = [&](std::size_t level) {
        const double* d = level % 2 == 0 ? &distance[level] : &distanceNext[level - 1];
        const std::size_t offset = LevelOffset(N, level);
#pragma GCC unroll 32
        for (std::size_t m = 0; m < N - level; m += 2)
            StorePair(&quotients[offset + m], LoadPair(d + m) / LoadPair(denominators + offset + m));
    };
    divide(1);
    const double* previous = values;
#pragma GCC unroll 32
    for (std::size_t level = 1; level < N; ++level) {
        if (level + 1 < N) divide(level + 1);
        const double* quotient = &quotients[LevelOffset(N, level)];
#pragma GCC unroll 32
        for (std::size_t m = 0; m < N - level; ++m)
            q[m] = previous[m + 1] + quotient[m] * (previous[m + 1] - previous[m]);
        previous = q.data();
    }
    return q[0];
}

using TNeville = double (*)(const double*, const double*, const double*, double);

template <std::size_t... Counts>
constexpr std::array<TNeville, sizeof...(Counts)> UnrolledKernels(std::index_sequence<Counts...>) {
    return {(Counts < 2 ? nullptr : &NevilleUnrolled<Counts < 2 ? 2 : Counts>)...};
}

constexpr auto kUnrolled = UnrolledKernels(std::make_index_sequence<kMaxUnrolled + 1>());

// A signalling NaN raises the invalid flag when it becomes a double, which
// the textbook scheme does at every value.
bool IsSignaling(float value) {
    const auto bits = std::bit_cast<std::uint32_t>(value);
    return (bits & 0x7f800000u) == 0x7f800000u && (bits & 0x007fffffu) != 0 && (bits & 0x00400000u) == 0;
}

template <class Number>
double HornerValue(const Number* coefficients, std::size_t count, double temperature) {
    double value = 0;
    for (std::size_t i = 0; i < count; ++i) value = coefficients[i] + temperature * value;
    return value;
}

}  // namespace

TPreparedFunction::TPreparedFunction(const TMediumFunction& function) : polinom_(function.Mode == TMediumFunction::kPolinom) {
    if (polinom_) {
        // A float held as a double is the same number: the sums don't change.
        count_ = function.PolinomValues.size();
        data_.assign(function.PolinomValues.begin(), function.PolinomValues.end());
        signaling_ = std::any_of(function.PolinomValues.begin(), function.PolinomValues.end(), IsSignaling);
        return;
    }
    // A repeated temperature would divide by zero, so such a point is left out.
    const std::size_t n = std::min(function.PointTemperatures.size(), function.PointValues.size());
    data_.resize(n + 2 + n + TableauSize(n));
    double* temperatures = data_.data();
    double* values = temperatures + n + 2;  // moved down once the count is known
    std::size_t count = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double temperature = function.PointTemperatures[i];
        signaling_ = signaling_ || IsSignaling(function.PointTemperatures[i]);
        if (std::find(temperatures, temperatures + count, temperature) != temperatures + count) continue;
        temperatures[count] = temperature;
        values[count++] = function.PointValues[i];
        signaling_ = signaling_ || IsSignaling(function.PointValues[i]);
    }
    count_ = count;
    // Fillers: the pairs of t - T[i] read two entries past the last point.
    // t - 0 raises nothing that t - T[1] would not raise already.
    temperatures[count] = 0;
    temperatures[count + 1] = 0;
    values = std::copy(values, values + count, temperatures + count + 2) - count;
    // T[L+m] - T[m] of every level L; a filler divides by 1. The differences
    // of two floats are exact in double: no flag is raised here.
    double* denominator = values + count;
    for (std::size_t level = 1; level < count; ++level) {
        for (std::size_t m = 0; m < count - level; ++m) *denominator++ = temperatures[level + m] - temperatures[m];
        if ((count - level) & 1) *denominator++ = 1.0;
    }
    data_.resize(static_cast<std::size_t>(denominator - data_.data()));
}

double TPreparedFunction::Value(double temperature) const {
    if (signaling_) std::feraiseexcept(FE_INVALID);
    if (polinom_) return HornerValue(data_.data(), count_, temperature);
    const std::size_t n = count_;
    const double* temperatures = data_.data();
    const double* values = temperatures + n + 2;
    const double* denominators = values + n;
    if (n < 2) return n == 0 ? 0.0 : values[0];
    if (n <= kMaxUnrolled) return kUnrolled[n](temperatures, values, denominators, temperature);
    return NevilleLooped(n, temperatures, values, denominators, temperature);
}

double TMediumFunction::Value(double temperature) const {
    if (Mode == kPolinom) return HornerValue(PolinomValues.data(), PolinomValues.size(), temperature);
    return TPreparedFunction(*this).Value(temperature);
}
