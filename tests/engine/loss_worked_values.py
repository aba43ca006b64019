#!/usr/bin/env python3
"""Worked values for loss_model_test.cpp, computed apart from the engine with mpmath at 30 digits.

Run it to see where each number typed into the test comes from. Integrals are taken numerically
(quad), roots with findroot, so the closed forms of the engine are checked, not repeated.
"""
from mpmath import mp, mpf, pi, sqrt, sin, cos, sinh, cosh, log, quad, findroot, gamma

mp.dps = 30
MU0 = 4e-7 * pi
RHO20 = mpf("1.7241e-8")
ALPHA20 = mpf("0.00393")


def show(name, value):
    print(f"{name} = {mp.nstr(value, 17)}")


def ki(k, a, b):
    integral = quad(lambda t: abs(cos(t)) ** a, [0, pi / 2, 3 * pi / 2, 2 * pi])
    return k / ((2 * pi) ** (a - 1) * integral * 2 ** (b - a))


def dowell(a, m):
    a = mpf(a)
    return a * ((sinh(2 * a) + sin(2 * a)) / (cosh(2 * a) - cos(2 * a))
                + 2 * (m * m - 1) / mpf(3) * (sinh(a) - sin(a)) / (cosh(a) + cos(a)))


def harmonic_rms(peak, d, n):
    # the n-th Fourier coefficient of the ramp by numerical integration
    re = quad(lambda t: peak * t / d * cos(2 * pi * n * t), [0, d])
    im = quad(lambda t: peak * t / d * sin(2 * pi * n * t), [0, d])
    return sqrt(2) * sqrt(re * re + im * im)


def winding_loss(peak, d, f, temp, turns, bare, ins, strands, layers, mlt):
    rho = RHO20 * (1 + ALPHA20 * (temp - 20))
    rdc = rho * turns * mlt / (strands * pi * bare ** 2 / 4)
    delta = sqrt(rho / (pi * f * MU0))
    a1 = (pi / 4) ** mpf(0.75) * bare / delta * sqrt(bare / ins)
    dc = peak * d / 2
    total = dc * dc
    rms2 = peak * peak * d / 3
    tail = rms2 - dc * dc
    fr = 1
    for n in range(1, 11):
        i_n = harmonic_rms(peak, d, n)
        fr = dowell(a1 * sqrt(n), layers)
        total += fr * i_n ** 2
        tail -= i_n ** 2
    total += fr * tail
    return rdc, rho, total * rdc


def gap_reluctance(lg, ac, c, hw):
    rin = lg / (MU0 * ac)
    h = hw - lg / 2
    rfr = pi / (MU0 * c * log((2 * h + lg) / lg))
    return rin * rfr / (rin + rfr)


if __name__ == "__main__":
    print("# Bsat of N27 between 25 and 100 °C")
    for t in (40, 62.5, 99):
        show(f"bsat({t})", mpf("0.5028") + (mpf("0.4109") - mpf("0.5028")) * (t - 25) / 75)

    print("# ki of N27's middle range, and a triangle through the iGSE")
    k, a, b = mpf("21.6825"), mpf("1.75723"), mpf("2.59381")
    kk = ki(k, a, b)
    show("ki", kk)
    s100 = mpf("0.00602201") - mpf("9.78727e-05") * 100 + mpf("5.78518e-07") * 100 ** 2
    f, dB, d, d2 = 132000, mpf("0.25"), mpf("0.4"), mpf("0.35")
    # (1/T)∫ ki |dB/dt|^α ΔB^(β−α) dt over the two ramps
    pv = kk * s100 * ((dB / (d / f)) ** a * d / f + (dB / (d2 / f)) ** a * d2 / f) * f * dB ** (b - a)
    show("pv triangle", pv)

    print("# Dowell")
    for m in (1, 2, 3):
        for x in ("0.019999", "0.020001", "0.5", "1", "2", "5"):
            show(f"Fr(A={x}, m={m})", dowell(mpf(x), m))

    print("# a ramp's harmonics against its rms")
    for dd in ("0.1", "0.45", "0.5", "1"):
        dd = mpf(dd)
        s = (dd / 2) ** 2 + sum(harmonic_rms(1, dd, n) ** 2 for n in range(1, 11))
        show(f"share of rms^2 at d={dd}", s / (dd / 3))
        show(f"  rms ratio", sqrt(s / (dd / 3)))
    show("I3 of 2 A over 0.45", harmonic_rms(2, mpf("0.45"), 3))

    print("# DC resistance")
    mlt = 2 * pi * (mpf("4.5e-3") + mpf("0.05e-3") + mpf("0.3e-3"))
    show("round MLT", mlt)
    show("R20 60 t 0.25 mm", RHO20 * 60 * mlt / (pi * mpf("0.25e-3") ** 2 / 4))
    show("R100", RHO20 * (1 + ALPHA20 * 80) * 60 * mlt / (pi * mpf("0.25e-3") ** 2 / 4))
    mlt2 = 2 * (mpf("10e-3") + mpf("6e-3")) + 2 * pi * (mpf("0.05e-3") + mpf("0.6e-3") + mpf("0.1e-3") + mpf("0.2e-3"))
    show("rect MLT of the second winding", mlt2)
    show("R20 second: 8 t 3 x 0.4 mm", RHO20 * 8 * mlt2 / (3 * pi * mpf("0.4e-3") ** 2 / 4))

    print("# the gap")
    show("Rgap(hw)", gap_reluctance(mpf("6.2e-3"), mpf("52.5e-6"), mpf("29e-3"), mpf("6.2e-3")))
    ae, le, ac, c, hw, mu = mpf("52.5e-6"), mpf("57.5e-3"), mpf("52.5e-6"), mpf("29e-3"), mpf("6.2e-3"), 2000
    for lp, np_ in ((mpf("600e-6"), 60), (mpf("1.3e-3"), 131), (mpf("1e-6"), 10)):
        wanted = np_ ** 2 / lp - le / (MU0 * mu * ae)
        if gap_reluctance(hw, ac, c, hw) < wanted:
            print(f"Lp={lp} Np={np_}: beyond half the window")
            continue
        lg = findroot(lambda x: gap_reluctance(x, ac, c, hw) / wanted - 1, (MU0 * ac * wanted, hw),
                      solver="anderson")
        show(f"gap Lp={lp} Np={np_}", lg)
        show("  first order", MU0 * ac * np_ ** 2 / lp - le / mu)

    print("# temperature rise")
    show("1 W on 5 cm^3", 53 * mpf(5) ** mpf("-0.54"))
    show("2.5 W on 0.8 cm^3", mpf("2.5") * 53 * mpf("0.8") ** mpf("-0.54"))

    print("# one solution: EF25-like core, N27 at 100 °C, 66 kHz")
    f, temp = 66000, 100
    lp, ipkp, ipks, d, d2 = mpf("600e-6"), mpf("0.9"), mpf("4.5"), mpf("0.42"), mpf("0.45")
    npri, nsec, naux = 60, 12, 10
    # N27's first range (1 Hz … 100 kHz)
    k, a, b = mpf("15003.3"), mpf("1.22528"), mpf("2.57602")
    s = mpf("0.00488149") - mpf("8.36579e-05") * temp + mpf("4.7572e-07") * temp ** 2
    bpk = lp * ipkp / (npri * ae)
    show("bpk T", bpk)
    pv = ki(k, a, b) * s * ((bpk / (d / f)) ** a * d / f + (bpk / (d2 / f)) ** a * d2 / f) * f * bpk ** (b - a)
    ve = mpf("3020e-9")
    show("pv", pv)
    show("pcore", pv * ve)
    # round column r = 4 mm; windings from the column: primary 60 t 0.3/0.34 mm, 2 layers, build 0.7 mm,
    # tape 0.1 mm below; secondary 12 t 2 × 0.6/0.65 mm, 1 layer, build 0.65, tape 0.1; aux 10 t 0.2/0.23,
    # 1 layer, build 0.23, tape 0.1
    r = mpf("4e-3")
    m1 = 2 * pi * (r + mpf("0.1e-3") + mpf("0.35e-3"))
    m2 = 2 * pi * (r + mpf("0.8e-3") + mpf("0.1e-3") + mpf("0.325e-3"))
    m3 = 2 * pi * (r + mpf("1.55e-3") + mpf("0.1e-3") + mpf("0.115e-3"))
    rp, _, pp = winding_loss(ipkp, d, f, temp, npri, mpf("0.3e-3"), mpf("0.34e-3"), 1, 2, m1)
    rs, _, ps = winding_loss(ipks, d2, f, temp, nsec, mpf("0.6e-3"), mpf("0.65e-3"), 2, 1, m2)
    show("primary loss", pp)
    show("secondary loss", ps)
    show("primary R20", RHO20 * npri * m1 / (pi * mpf("0.3e-3") ** 2 / 4))
    show("secondary R20", RHO20 * nsec * m2 / (2 * pi * mpf("0.6e-3") ** 2 / 4))
    show("aux R20", RHO20 * naux * m3 / (pi * mpf("0.2e-3") ** 2 / 4))
    show("primary rms", ipkp * sqrt(d / 3))
    show("secondary rms", ipks * sqrt(d2 / 3))
    total = pv * ve + pp + ps
    show("dT", total * 53 * (ve * 1e6) ** mpf("-0.54"))
    show("efficiency %", 100 * 10 / (10 + total))
    mu100 = 3230
    wanted = npri ** 2 / lp - le / (MU0 * mu100 * ae)
    lg = findroot(lambda x: gap_reluctance(x, ac, c, hw) / wanted - 1, (MU0 * ac * wanted, hw),
                  solver="anderson")
    show("gap", lg)
