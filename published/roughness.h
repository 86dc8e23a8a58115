// SPDX-License-Identifier: MIT
// How much a rough copper surface raises a conductor's loss above that of a smooth one: factors
// K >= 1 multiplying the smooth surface resistance Rs = 1 / (sigma delta), from three published
// models. The skin depth delta they are measured against is reference::SkinDepthMetres
// (reference_lines.h), 1 / sqrt(pi f mu0 sigma). Lengths in metres, any one unit as long as the
// roughness and the skin depth share it.
//
// Sources: E. O. Hammerstad and O. Jensen, "Accurate models for microstrip computer-aided
// design", IEEE MTT-S Int. Microwave Symp. Digest, 1980, pp. 407-409; S. Groiss (often spelt
// Groisse), I. Bardi, O. Biro, K. Preis and K. R. Richter, "Parameters of lossy cavity resonators
// calculated by the finite element method", IEEE Trans. Magnetics 32(3), 1996, pp. 894-897;
// P. G. Huray, O. Oluwafemi, J. Loyer, E. Bogatin and X. Ye, "Impact of copper surface texture on
// loss: a model that works", DesignCon 2010, and P. G. Huray, "The Foundations of Signal
// Integrity", Wiley, 2009.
#pragma once

#include "published/reference_lines.h"

namespace mq::reference {

// Hammerstad and Jensen: K = 1 + (2/pi) atan(1.4 (Delta/delta)^2), Delta the rms height of the
// surface. Fitted to grooves across the current, so it cannot pass 2 however rough the copper.
double HammerstadJensenRoughness(double rmsHeight, double skinDepth);

// Groisse et al.: K = 1 + exp(-(delta / (2 Delta))^1.6); it too tends to 2, more slowly at first.
double GroisseRoughness(double rmsHeight, double skinDepth);

// Huray's snowballs: copper spheres of radius a on a flat (matte) base, SR their total area per
// flat area. Each sphere in the tangential field H0 carries 3/2 H0 sin(theta) on its surface, so
// at a vanishing skin depth it loses 3/2 of what its area would flat; the skin depth cuts that
// by 1 + delta/a + delta^2/(2 a^2). With the matte base counted as flat (A_matte / A_flat = 1):
// K = 1 + (3/2) SR / (1 + delta/a + delta^2 / (2 a^2)): Huray's sum over sphere sizes, for one.
struct Snowballs {
  double radius = 0.5e-6;     // m: Huray's typical nodule for electrodeposited copper
  double surfaceRatio = 2.9;  // N 4 pi a^2 / A_flat
};
double HurayRoughness(double skinDepth, const Snowballs& snowballs = {});

}  // namespace mq::reference
