// A creature at a glance: the block that `tumblenook --list` prints for each
// creature of the garden. A small drawing of its form sits beside its facts:
//
// 3: Pip
//   \ | /    age 23, reincarnations 1
//   .---.    form Swim/Hero
//  ( o o )   skills Swim C 12, Run E 3, Power B 7, Fly E 1, Stamina D 2
// <(~~~~~)>  sliders Hero/Dark -30 Hero, Swim/Fly -9 Swim, Run/Power 0 middle
//  ~~~~~~~   looks Shiny monotone Sky Blue
//
// There is one drawing for the Egg, one for the Child forms and one for each
// adult family (Normal, Swim, Fly, Run, Power); the Orvan forms and the
// character forms (Wendo, Brackus, Pella) are drawn as Normal. A Hero form
// wears a shine above its head, a Dark form horns. On a colour terminal the
// drawing is tinted with the creature's colour, or its coat's when it has
// one, and bold when it is shiny; otherwise the block is plain text.
//
// A portrait only reads the creature; it uses the model and nothing above it.

#ifndef TUMBLENOOK_PORTRAIT_H_
#define TUMBLENOOK_PORTRAIT_H_

#include <array>
#include <ostream>
#include <string>

#include "mirl.h"

// True when text for a reader's eyes may carry colour: the output is a
// terminal, NO_COLOR is unset or empty (only a value counts, by the
// convention), and TERM is set and not "dumb". `noColor` and `term` are the
// variables' values, or null when unset.
bool wantColour(bool terminal, const char* noColor, const char* term);

// The lines of a portrait's drawing: the mark above the head (empty for a
// Neutral form), then the four lines of the drawing of `form`.
inline constexpr int kPortraitDrawingLines = 5;
std::array<std::string, kPortraitDrawingLines> drawingOf(int form);

// Prints the block of `creature`, which lives in `slot`: its slot and name
// on one line, then five lines of drawing and facts. Tinted with ANSI colour
// when `colour` is true.
void printPortrait(std::ostream& out, int slot, const Mirl& creature,
                   bool colour);

#endif  // TUMBLENOOK_PORTRAIT_H_
