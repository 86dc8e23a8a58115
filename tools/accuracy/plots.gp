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

set output "coax_impedance.svg"
set title "Coaxial Z0: program's rounded constants vs CODATA (any er)"
set xlabel "D/d"
set xrange [1:11]
set yrange [0:0.002]
plot "coax_impedance.tsv" using 1:2 title "Z0 error" lw 2
