# SPDX-License-Identifier: MIT
# Plots of the closed forms' error against the reference solutions, from accuracy_report's
# tables. Run from the output directory: gnuplot plots.gp
set terminal svg size 720,420 dynamic font "Liberation Sans,12" background "#ffffff"
set logscale x
set grid
set key outside right
set ylabel "error (%)"
set style data lines

set output "microstrip_impedance.svg"
set title "Microstrip Z0: program vs Hammerstad-Jensen (zero thickness)"
set xlabel "W/h"
plot for [i=2:6] "microstrip_impedance.tsv" using 1:i title columnheader(i) lw 2

set output "microstrip_permittivity.svg"
set title "Microstrip effective dielectric constant: program vs Hammerstad-Jensen"
plot for [i=3:6] "microstrip_permittivity.tsv" using 1:i title columnheader(i) lw 2

set output "stripline_impedance.svg"
set title "Stripline Z0: program vs exact conformal mapping (zero thickness, any er)"
set xlabel "W/b"
plot "stripline_impedance.tsv" using 1:2 title "Z0 error" lw 2

set output "coax_impedance.svg"
set title "Coaxial Z0: program's rounded constants vs CODATA (any er)"
set xlabel "D/d - 1"
set yrange [0:0.002]
plot "coax_impedance.tsv" using 1:2 title "Z0 error" lw 2
