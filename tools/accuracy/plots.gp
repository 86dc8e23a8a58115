# SPDX-License-Identifier: MIT
# Plots of the closed forms' and the published models' error against the field solver, from
# accuracy_report's tables. Run from the output directory: gnuplot plots.gp
set terminal svg size 720,420 dynamic font "Liberation Sans,12" background "#ffffff"
set logscale x
set grid
set key outside right
set ylabel "error (%)"
set style data lines
set xrange [0.05:10]

set xlabel "W/h"
set output "microstrip_impedance.svg"
set title "Microstrip Z0: program vs field solver (zero thickness)"
plot for [i=2:6] "microstrip_impedance.tsv" using 1:i title columnheader(i) lw 2

set output "microstrip_impedance_hj.svg"
set title "Microstrip Z0: Hammerstad-Jensen vs field solver (zero thickness)"
plot for [i=2:6] "microstrip_impedance_hj.tsv" using 1:i title columnheader(i) lw 2

# er 1 is left out: there the effective dielectric constant is 1 by construction.
set output "microstrip_permittivity.svg"
set title "Microstrip effective dielectric constant: program vs field solver"
plot for [i=3:6] "microstrip_permittivity.tsv" using 1:i title columnheader(i) lw 2 lc i - 1

set output "microstrip_permittivity_hj.svg"
set title "Microstrip effective dielectric constant: Hammerstad-Jensen vs field solver"
plot for [i=3:6] "microstrip_permittivity_hj.tsv" using 1:i title columnheader(i) lw 2 lc i - 1

set xlabel "W/b"
set output "stripline_impedance.svg"
set title "Stripline Z0: program (ignores thickness) vs field solver with strip thickness t"
plot for [i=2:5] "stripline_impedance.tsv" using 1:i title columnheader(i) lw 2

set output "stripline_thickness.svg"
set title "Stripline Z0: Cohn's exact zero-thickness form vs field solver with thickness t"
plot for [i=2:5] "stripline_thickness.tsv" using 1:i title columnheader(i) lw 2

# The lines boards are made of, on er 4.3 with copper a twentieth of the height: each
# published form against the field solver; a curve stops where its form gives no figure (NaN).
set xlabel "W/h"
set xrange [0.1:10]
set output "coated_microstrip.svg"
set title "Coated microstrip Z0, mask er 3.5: Bahl-Stuchly, Wan-Hoorfar vs field solver\n" . \
  "(er 4.3, t/h 0.05, conformal mask in the solver)"
plot for [i=2:4] "coated_microstrip.tsv" using 1:i title columnheader(i) lw 2

set output "embedded_microstrip.svg"
set title "Embedded microstrip Z0: IPC-2141 vs field solver\n" . \
  "(er 4.3, t/h 0.05, cover over the strip; no figure past W/h 7.4)"
plot for [i=2:4] "embedded_microstrip.tsv" using 1:i title columnheader(i) lw 2

set xlabel "W/h (h: lower plane to the strip)"
set output "offset_stripline.svg"
set title "Offset stripline Z0: Cohn's thick strip, offset vs field solver\n" . \
  "(er 4.3, t/h 0.05; above/below: the planes' distances from the strip)"
plot for [i=2:4] "offset_stripline.tsv" using 1:i title columnheader(i) lw 2

set xlabel "W/h"
set output "coplanar.svg"
set title "Coplanar waveguide Z0: Ghione-Naldi, Gupta's thickness vs field solver\n" . \
  "(er 4.3, t/h 0.05, wide grounds; g: strip to ground)"
plot for [i=2:4] "coplanar.tsv" using 1:i title columnheader(i) lw 2

set output "grounded_coplanar.svg"
set title "Grounded coplanar waveguide Z0: Ghione-Naldi, Gupta's thickness vs field solver\n" . \
  "(er 4.3, t/h 0.05, wide grounds; g: strip to ground)"
plot for [i=2:4] "grounded_coplanar.tsv" using 1:i title columnheader(i) lw 2

set output "broadside_pair.svg"
set title "Broadside stripline pair, differential Z: Cohn 1960 vs field solver\n" . \
  "(er 4.3, t/h 0.05, h from each strip to its plane; s between the strips)"
plot for [i=2:4] "broadside_pair.tsv" using 1:i title columnheader(i) lw 2

set output "microstrip_loss.svg"
set title "Microstrip total loss: field solution vs the page's closed forms\n" . \
  "(50 ohm lines, 35 um smooth copper)"
set xlabel "GHz"
set ylabel "loss (dB/m)"
set logscale y
set xrange [0.1:50]
plot for [i=2:5:2] "microstrip_loss.tsv" using 1:i title columnheader(i) lw 2 dt 1 lc i / 2, \
  for [i=3:5:2] "microstrip_loss.tsv" using 1:i title columnheader(i) lw 2 dt 2 lc (i - 1) / 2
unset logscale y
set ylabel "error (%)"

set output "coax_impedance.svg"
set title "Coaxial Z0: program's rounded constants vs CODATA (any er)"
set xlabel "D/d"
set xrange [1:11]
set yrange [0:0.002]
plot "coax_impedance.tsv" using 1:2 title "Z0 error" lw 2
