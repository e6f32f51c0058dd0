#pragma once
// Colour effects and cross-fades on 24-bit pixels. The skinned frame renders
// its inactive look from the active picture with an effect; buttons, caption
// objects and menu items morph from their normal face to their active face
// with a transition.
//
// Channel results are rounded to nearest, halves to even, and clamped to
// 0..255. Factors are clamped to 0..1, and a factor that is not a number
// counts as 0. Every read and write stays inside the image, whatever its size
// and whatever the amount.
#include <random>

#include "skin/pixels/pixel_buffer.h"
#include "skin/data/skin_ini_values.h"

using NoiseRandom = std::minstd_rand;

// v' = (1 − k)·v + 255·k
void ApplyBrightness(PixelView image, double k);
// v' = (1 − k)·v
void ApplyDarkness(PixelView image, double k);
// All three channels become 0.3·red + 0.59·green + 0.11·blue.
void ApplyGrayscale(PixelView image);
// Each pixel draws one r in 0..amount − 1 and every channel moves by
// r − amount div 2. An amount below 2 changes nothing.
void ApplyNoise(PixelView image, int amount, NoiseRandom& random);
// Each channel becomes the mean (rounded down) of the four pixels `amount`
// rows and columns away diagonally, worked in place from the top row down, so
// later rows read pixels already blurred. Near the far edges the row below is
// H − y and the column to the right W − x; where that leaves the image (an
// amount not smaller than the height or width) the last row or column is read.
// An amount of 0 or less changes nothing.
void ApplySplitBlur(PixelView image, int amount);
// v' = 255 − v
void ApplyInvert(PixelView image);

// The inactive frame's rendering for each skin effect, with its fixed parameters;
// an effect value outside the enumeration greys, as an unknown skin keyword does.
void ApplyInactiveEffect(PixelView image, TSkinEffect effect, NoiseRandom& random);

// Transitions change `a` (the normal face) towards `b` (the active face) by
// the factor k; images of different sizes are left alone. With W the width,
// n = round(W·k) unless said otherwise; "mix m" is m·a + (1 − m)·b.
//
// Blend: (1 − k)·a + k·b everywhere.
void TransitionBlend(PixelView a, PixelView b, double k);
// Along columns (along rows when W < H): a central band of round(size·k) is b;
// outside it the mix rises from 0 at the band edge by 1/ramp per pixel, capped
// at 1, ramp being half the size left beside the band.
void TransitionGradient(PixelView a, PixelView b, double k);
// n in 1..W − 1: columns 0..n are mixed with m = x / n; the rest stay a.
void TransitionLeftGradient(PixelView a, PixelView b, double k);
// s = W − n in 0..W − 1: columns s..W − 1 are mixed with m = (W − 1 − x) / (W − s).
void TransitionRightGradient(PixelView a, PixelView b, double k);
// n in 1..W − 1 (1 for a single column): the first n columns become b's last n.
void TransitionLeftSlide(PixelView a, PixelView b, double k);
// n as for the left slide: the last n columns become b's first n.
void TransitionRightSlide(PixelView a, PixelView b, double k);
// n in 0..W − 1: a moves right by n + 1 columns and columns 0..n become b's
// columns W − n − 1..W − 1, so b pushes a out to the right.
void TransitionPush(PixelView a, PixelView b, double k);

using PixelTransition = void (*)(PixelView a, PixelView b, double k);
// The transition of each morph kind; a value outside the enumeration blends,
// as an unknown skin keyword does.
PixelTransition TransitionFor(TMorphKind kind);
