"""Least-squares polynomials and interpolation points for the data files.

Plain Python on purpose (no numpy on the build machines). Coefficients are
rounded to float32, as the program stores them, before they are checked.
"""

import math
import struct


def f32(x):
    return struct.unpack("<f", struct.pack("<f", x))[0]


def horner(coefficients, t):
    """Highest power first, in double precision, as the program evaluates."""
    value = 0.0
    for c in coefficients:
        value = c + t * value
    return value


def neville(temps, values, t):
    q = []
    seen = []
    for ti, vi in zip(temps, values):
        if ti in seen:
            continue
        seen.append(ti)
        q.append(vi)
        k = len(seen) - 1
        for j in range(k - 1, -1, -1):
            q[j] = q[j + 1] + (t - seen[k]) / (seen[k] - seen[j]) * (q[j + 1] - q[j])
    return q[0] if q else 0.0


def _solve(matrix, rhs):
    n = len(rhs)
    a = [row[:] + [r] for row, r in zip(matrix, rhs)]
    for col in range(n):
        pivot = max(range(col, n), key=lambda r: abs(a[r][col]))
        a[col], a[pivot] = a[pivot], a[col]
        for r in range(n):
            if r != col:
                f = a[r][col] / a[col][col]
                for c in range(col, n + 1):
                    a[r][c] -= f * a[col][c]
    return [a[i][n] / a[i][i] for i in range(n)]


def polyfit(ts, ys, degree, relative=True):
    """Least squares in a scaled variable, weighted by 1/y when relative, then
    expanded to powers of t (highest first) and rounded to float32."""
    centre = (max(ts) + min(ts)) / 2
    half = (max(ts) - min(ts)) / 2 or 1.0
    xs = [(t - centre) / half for t in ts]
    ws = [1.0 / (y * y) if relative and y != 0 else 1.0 for y in ys]
    n = degree + 1
    m = [[sum(w * x ** (i + j) for x, w in zip(xs, ws)) for j in range(n)] for i in range(n)]
    r = [sum(w * y * x ** i for x, y, w in zip(xs, ys, ws)) for i in range(n)]
    a = _solve(m, r)  # lowest power first, in x
    # x = (t - centre) / half: expand sum a_i x^i into powers of t.
    coeff_t = [0.0] * n
    for i, ai in enumerate(a):
        for k in range(i + 1):
            coeff_t[k] += ai * math.comb(i, k) * (-centre) ** (i - k) / half ** i
    return [f32(c) for c in reversed(coeff_t)]


def max_rel_error(curve, ts, ys):
    worst = 0.0
    for t, y in zip(ts, ys):
        v = curve(t)
        worst = max(worst, abs(v - y) / abs(y))
    return worst


def pchip(xs, ys):
    """Monotone piecewise cubic through the points (Fritsch-Carlson)."""
    n = len(xs)
    h = [xs[i + 1] - xs[i] for i in range(n - 1)]
    d = [(ys[i + 1] - ys[i]) / h[i] for i in range(n - 1)]
    m = [0.0] * n
    m[0], m[-1] = d[0], d[-1]
    for i in range(1, n - 1):
        if d[i - 1] * d[i] <= 0:
            m[i] = 0.0
        else:
            w1, w2 = 2 * h[i] + h[i - 1], h[i] + 2 * h[i - 1]
            m[i] = (w1 + w2) / (w1 / d[i - 1] + w2 / d[i])

    def curve(x):
        # Beyond the points: straight on with the end slope.
        if x < xs[0]:
            return ys[0] + (x - xs[0]) * m[0]
        if x > xs[-1]:
            return ys[-1] + (x - xs[-1]) * m[-1]
        i = 0
        while i < n - 2 and x > xs[i + 1]:
            i += 1
        s = (x - xs[i]) / h[i]
        h00, h10 = (1 + 2 * s) * (1 - s) ** 2, s * (1 - s) ** 2
        h01, h11 = s * s * (3 - 2 * s), s * s * (s - 1)
        return h00 * ys[i] + h10 * h[i] * m[i] + h01 * ys[i + 1] + h11 * h[i] * m[i + 1]
    return curve


def natural_spline(xs, ys):
    """C2 cubic through the points (xs ascending) with no curvature at either
    end, and straight on beyond them, so the continuation is C2 as well: the
    smoother the curve, the fewer interpolation points follow it closely."""
    n = len(xs)
    h = [xs[i + 1] - xs[i] for i in range(n - 1)]
    # Second derivatives k: k[0] = k[-1] = 0, a tridiagonal system between.
    lower, diag, upper, rhs = [0.0] * n, [1.0] * n, [0.0] * n, [0.0] * n
    for i in range(1, n - 1):
        lower[i], diag[i], upper[i] = h[i - 1], 2 * (h[i - 1] + h[i]), h[i]
        rhs[i] = 6 * ((ys[i + 1] - ys[i]) / h[i] - (ys[i] - ys[i - 1]) / h[i - 1])
    for i in range(1, n):
        w = lower[i] / diag[i - 1]
        diag[i] -= w * upper[i - 1]
        rhs[i] -= w * rhs[i - 1]
    k = [0.0] * n
    k[-1] = rhs[-1] / diag[-1]
    for i in range(n - 2, -1, -1):
        k[i] = (rhs[i] - upper[i] * k[i + 1]) / diag[i]
    first = (ys[1] - ys[0]) / h[0] - h[0] * (2 * k[0] + k[1]) / 6
    last = (ys[-1] - ys[-2]) / h[-1] + h[-1] * (2 * k[-1] + k[-2]) / 6

    def curve(x):
        if x <= xs[0]:
            return ys[0] + (x - xs[0]) * first
        if x >= xs[-1]:
            return ys[-1] + (x - xs[-1]) * last
        i = 0
        while x > xs[i + 1]:
            i += 1
        t, u = x - xs[i], xs[i + 1] - x
        return ((k[i] * u ** 3 + k[i + 1] * t ** 3) / (6 * h[i]) + (ys[i] / h[i] - k[i] * h[i] / 6) * u
                + (ys[i + 1] / h[i] - k[i + 1] * h[i] / 6) * t)
    return curve


def log_reference(ts, ys):
    """A smooth curve through the table points for a property that falls
    steeply (viscosity): its logarithm as a natural spline of -1/T, which
    beyond the table goes on linearly in 1/T (Andrade's rule)."""
    inner = natural_spline([-1000 / (t + 273.15) for t in ts], [math.log(y) for y in ys])
    return lambda t: math.exp(inner(-1000 / (t + 273.15)))


def chebyshev_nodes(lo, hi, n):
    return sorted(round((lo + hi) / 2 + (hi - lo) / 2 * math.cos(math.pi * (2 * k + 1) / (2 * n)), 1)
                  for k in range(n))


def fit_points(ts, ys, lo, hi, reference, grid_target=0.005, table_target=0.005, max_points=28, floor=0.0,
               margins=(20.0, 20.0), margin_target=0.02):
    """Interpolation points at Chebyshev nodes of [lo - below, hi + above],
    as few as keep the curve within the targets of the reference on a fine
    grid and of the table. The margins keep the interpolating polynomial close
    to the reference a little beyond the usable range too, where a typed or a
    film temperature may lie: without them it swings wildly just outside.
    Errors are relative to the value, or to `floor` where the value is smaller
    (a property that changes sign)."""
    inside = [(t, y) for t, y in zip(ts, ys) if lo <= t <= hi]
    a, b = lo - margins[0], hi + margins[1]
    grid = [a + i * (b - a) / 800 for i in range(801)]
    for n in range(4, max_points + 1):
        nodes = [f32(x) for x in chebyshev_nodes(a, b, n)]
        values = [f32(reference(t)) for t in nodes]

        def error(t, y):
            return abs(neville(nodes, values, t) - y) / max(abs(y), floor)
        g = max(error(t, reference(t)) / (grid_target if lo <= t <= hi else margin_target) for t in grid)
        e = max(error(t, y) for t, y in inside)
        if g <= 1 and e <= table_target:
            return nodes, values, g, e
    raise ValueError("no points fit within the targets")
