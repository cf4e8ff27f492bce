// Integer arithmetic that stops at the limits of `int` instead of
// overflowing. The console lets a player add any number to a slider or an
// experience count, and a save file may hold values at the very edge of the
// range; the model's sums go through these helpers so that no input can make
// them wrap around.

#ifndef TUMBLENOOK_SATURATING_H_
#define TUMBLENOOK_SATURATING_H_

#include <climits>

// `value` clamped into the range of `int`.
constexpr int saturate(long long value) {
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

// a + b, clamped into the range of `int`.
// REQUIRES: |b| < 2^62, so that the sum fits in a long long.
constexpr int saturatingAdd(int a, long long b) { return saturate(a + b); }

#endif  // TUMBLENOOK_SATURATING_H_
